#pragma once
// The engine's own picture file: "XYZ1", width and height as little-endian
// uint16, then one zlib stream holding 256 RGB palette entries followed by
// one palette index per pixel, rows from the top, no padding. Index 0 is the
// transparent colour.

#include <cstddef>
#include <cstdint>

namespace tw {

inline constexpr char kXyzMagic[4] = {'X', 'Y', 'Z', '1'};
inline constexpr size_t kXyzHeaderBytes = 8;
inline constexpr size_t kXyzPaletteBytes = 256 * 3;

}  // namespace tw
