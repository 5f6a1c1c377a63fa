#pragma once
// Small drawing helpers for the pictures the program draws itself: its icon
// and the About picture. Everything clips to the raster.

#include <cstdint>

#include "platform/raster.h"

namespace tw::art {

// Fills the w x h block at (x, y); what lies outside the raster is skipped.
void FillRect(Raster& r, int x, int y, int w, int h, Pixel p);
// Sets one pixel if it lies inside the raster.
void Plot(Raster& r, int x, int y, Pixel p);
// A filled disc of radius `radius` around (cx, cy).
void FillDisc(Raster& r, int cx, int cy, int radius, Pixel p);
// A 1-pixel rectangle ring of thickness `t` around the w x h block at (x, y).
void Ring(Raster& r, int x, int y, int w, int h, int t, Pixel p);

// A repeatable pseudo-random value 0..255 for a position: speckle without state.
uint32_t Noise(int x, int y, uint32_t seed);
// Lightens (delta > 0) or darkens each channel, saturating.
Pixel Shade(Pixel p, int delta);
// a when t = 0, b when t = 256.
Pixel Mix(Pixel a, Pixel b, int t);

}  // namespace tw::art
