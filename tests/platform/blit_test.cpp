// Block and stretched copies against a plain per-pixel reference, over sizes
// around the 8- and 16-pixel boundaries and offsets on both sides of every
// edge.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/editor.h"
#include "platform/blit.h"

namespace tw {
namespace {

// Destination pixel (i, j) takes the AND of the source pixels that fall onto
// it (one when enlarging, 2 x 2 when halving), counting only those inside the
// source; with none, or outside the destination, it keeps its value.
void Reference(Raster& dst, int dx, int dy, int dw, int dh, const Raster& src, int sx, int sy, int sw, int sh) {
    const int bw = std::max(1, sw / std::max(dw, 1)), bh = std::max(1, sh / std::max(dh, 1));
    for (int j = 0; j < dh; ++j)
        for (int i = 0; i < dw; ++i) {
            Pixel acc = 0xFFFFFF;
            bool any = false;
            for (int v = 0; v < bh; ++v)
                for (int u = 0; u < bw; ++u) {
                    const int x = sx + i * sw / dw + u, y = sy + j * sh / dh + v;
                    if (src.Contains(x, y)) acc &= src.At(x, y), any = true;
                }
            if (any && dst.Contains(dx + i, dy + j)) dst.Set(dx + i, dy + j, acc);
        }
}

TEST(Blit, CopiesEnlargesAndHalvesOnlyWhatLiesInsideBothRasters) {
    struct Size {
        int w, h;
    };
    const Size rasters[] = {{7, 9}, {8, 8}, {9, 7}, {15, 17}, {16, 16}, {17, 15}};
    const int offsets[] = {-9, -1, 0, 7, 16};
    struct Copy {
        int dw, dh, sw, sh;
    };
    const Copy copies[] = {// block copies
                           {0, 5, 0, 5}, {1, 1, 1, 1}, {7, 8, 7, 8}, {9, 17, 9, 17}, {16, 16, 16, 16}, {40, 3, 40, 3},
                           // enlarging by 2, 3 and 8; one pixel over a whole raster
                           {10, 6, 5, 3}, {15, 9, 5, 3}, {40, 24, 5, 3}, {17, 15, 1, 1},
                           // halving
                           {1, 1, 2, 2}, {4, 4, 8, 8}, {8, 8, 16, 16}, {64, 64, 128, 128}};
    uint32_t seed = 0;
    for (Size s : rasters)
        for (Size d : rasters) {
            const Raster src = test::NoisePicture(s.w, s.h, ++seed), dstStart = test::NoisePicture(d.w, d.h, ++seed);
            for (Copy c : copies)
                for (int dx : offsets)
                    for (int dy : offsets)
                        for (int sx : offsets)
                            for (int sy : offsets) {
                                Raster actual = dstStart, expected = dstStart;
                                if (c.dw == c.sw && c.dh == c.sh)
                                    BitBlt(actual, dx, dy, c.dw, c.dh, src, sx, sy, SRCCOPY);
                                else
                                    StretchBlt(actual, dx, dy, c.dw, c.dh, src, sx, sy, c.sw, c.sh, SRCCOPY);
                                Reference(expected, dx, dy, c.dw, c.dh, src, sx, sy, c.sw, c.sh);
                                ASSERT_TRUE(test::SameRaster(actual, expected))
                                    << s.w << "x" << s.h << " -> " << d.w << "x" << d.h << ", " << c.sw << "x" << c.sh
                                    << " to " << c.dw << "x" << c.dh << " from (" << sx << "," << sy << ") to (" << dx
                                    << "," << dy << ")";
                            }
        }
}

}  // namespace
}  // namespace tw
