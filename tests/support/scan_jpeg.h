#pragma once
// A progressive JPEG of many scans over a large picture, written by hand in
// a few bytes a block: one DC scan, then AC scans of nothing but runs of
// empty blocks. The decoder reads it as a flat grey picture; the marker pass
// sees exactly `scans` scans.

#include <string>

namespace tw::test {

// `components` 1 (grey) or 3; false when the file cannot be written.
bool WriteScanJpeg(const std::string& path, int width, int height, int components, int scans);

}  // namespace tw::test
