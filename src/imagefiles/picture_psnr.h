#pragma once
// How close a picture with fewer colours stays to the one it came from:
// the peak signal-to-noise ratio over the red, green and blue samples.

#include "platform/raster.h"

namespace tw {

// In decibels; infinity for equal pictures, 0 for pictures of different sizes.
double Psnr(const Raster& original, const Raster& changed);

}  // namespace tw
