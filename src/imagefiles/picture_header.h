#pragma once
// What a picture file's header declares, read without decoding: enough to
// decide which page a file belongs to, or to allocate the image a load fills.

#include <optional>
#include <string>

namespace tw {

struct PictureHeader {
    int width, height;
    int bitsPerPixel;  // the depth the format's load routine delivers
};

// The header of the file, by the format its name picks; nothing when the
// name's format is unknown or the header cannot be read.
std::optional<PictureHeader> ReadPictureHeader(const std::string& fileName);

}  // namespace tw
