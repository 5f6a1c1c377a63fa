#pragma once
// Generated pictures and raster comparisons.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/raster.h"

namespace tw::test {

// Pixels that differ from their neighbours and from one seed to the next, so
// that any misplaced, lost or mixed pixel shows.
Raster NoisePicture(int w, int h, uint32_t seed);
// Exactly `colours` distinct colours in 8 x 8 blocks; the colour at the
// transparent position appears nowhere else, so that order mistakes show.
Raster ColourSheet(int w, int h, int colours);
// Smooth gradients with noise: thousands of colours like a photo.
Raster PhotoLike(int w, int h, uint32_t seed = 1);

// The w x h block at (x, y) of r; pixels outside r take `outside`.
Raster Block(const Raster& r, int x, int y, int w, int h, Pixel outside);
// r with the w x h block at (0, 0) of `cell` put at (x, y), clipped to both.
Raster Stamped(Raster r, int x, int y, const Raster& cell, int w, int h);

// Where two rasters first differ, for a readable failure.
::testing::AssertionResult SameRaster(const Raster& actual, const Raster& expected);
// Peak signal-to-noise ratio in dB of b against a (same size).
double Psnr(const Raster& a, const Raster& b);
// A binary PPM (P6, 8 bits) as a raster; empty when it cannot be read.
Raster ReadPpm(const std::string& path);

}  // namespace tw::test
