#pragma once
// How many different colours a picture holds: what decides whether a save
// can keep every pixel in an 8-bit palette.

#include "platform/raster.h"

namespace tw {

// The number of distinct 0x00RRGGBB values in the raster (0 when it is empty).
int CountColours(const Raster& picture);

}  // namespace tw
