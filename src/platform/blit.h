#pragma once
// Block copies between rasters, as the surfaces' device contexts do them.

#include <cstdint>

#include "platform/raster.h"

namespace tw {

constexpr uint32_t SRCCOPY = 0x00CC0020;

// Copies the w x h block at (sx, sy) of src to (dx, dy) of dst. Only the part
// that lies inside both rasters is copied: a destination pixel whose source
// pixel falls outside src keeps its value.
void BitBlt(Raster& dst, int dx, int dy, int w, int h, const Raster& src, int sx, int sy,
            uint32_t rop = SRCCOPY);

// Copies the sw x sh block at (sx, sy) of src onto the dw x dh block at
// (dx, dy) of dst. Enlarging replicates pixels; shrinking combines the source
// pixels that fall onto one destination pixel by bitwise AND (the default
// stretch mode). Clips like BitBlt: source pixels outside src take no part, and
// a destination pixel with none left keeps its value.
void StretchBlt(Raster& dst, int dx, int dy, int dw, int dh, const Raster& src, int sx, int sy,
                int sw, int sh, uint32_t rop = SRCCOPY);

}  // namespace tw
