#pragma once
// Writes a raster to a file at 24 bits through our own encoders, format by the
// name's extension: the runner's dumps, the program icons, and any 24-bit
// BMP the program writes. Returns an error message, or "" when written.

#include <string>

#include "platform/raster.h"

namespace tw {

std::string DumpRaster(const Raster& raster, const std::string& path);

}  // namespace tw
