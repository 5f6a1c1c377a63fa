// Block and stretched copies against plain per-pixel references, over sizes
// around the 8- and 16-pixel boundaries and offsets on both sides of every
// edge.

#include <gtest/gtest.h>

#include "../editors/editor_fixture.h"
#include "platform/blit.h"

namespace tw {
namespace {

using test::NoisePicture;
using test::SameRaster;

struct Size {
    int w, h;
};
const Size kRasters[] = {{7, 9}, {8, 8}, {9, 7}, {15, 17}, {16, 16}, {17, 15}};
const int kOffsets[] = {-9, -1, 0, 7, 16};

// Every pixel of the block whose source and destination both lie inside.
void ReferenceBitBlt(Raster& dst, int dx, int dy, int w, int h, const Raster& src, int sx, int sy) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (src.Contains(sx + i, sy + j) && dst.Contains(dx + i, dy + j))
                dst.Set(dx + i, dy + j, src.At(sx + i, sy + j));
}

TEST(BitBlt, CopiesOnlyWhatLiesInsideBothRasters) {
    const Size blocks[] = {{0, 5}, {1, 1}, {7, 8}, {8, 8}, {9, 17}, {16, 16}, {17, 9}, {40, 3}};
    uint32_t seed = 0;
    for (Size s : kRasters)
        for (Size d : kRasters) {
            const Raster src = NoisePicture(s.w, s.h, ++seed);
            const Raster dstStart = NoisePicture(d.w, d.h, ++seed);
            for (Size b : blocks)
                for (int dx : kOffsets)
                    for (int dy : kOffsets)
                        for (int sx : kOffsets)
                            for (int sy : kOffsets) {
                                Raster actual = dstStart, expected = dstStart;
                                BitBlt(actual, dx, dy, b.w, b.h, src, sx, sy, SRCCOPY);
                                ReferenceBitBlt(expected, dx, dy, b.w, b.h, src, sx, sy);
                                ASSERT_TRUE(SameRaster(actual, expected))
                                    << s.w << "x" << s.h << " -> " << d.w << "x" << d.h << " block "
                                    << b.w << "x" << b.h << " from (" << sx << "," << sy
                                    << ") to (" << dx << "," << dy << ")";
                            }
        }
}

TEST(StretchBlt, EnlargingReplicatesEachSourcePixel) {
    uint32_t seed = 100;
    for (Size s : kRasters)
        for (Size d : kRasters)
            for (int f : {1, 2, 3, 8}) {
                const Raster src = NoisePicture(s.w, s.h, ++seed);
                const Raster dstStart = NoisePicture(d.w, d.h, ++seed);
                for (int dx : kOffsets)
                    for (int sx : kOffsets) {
                        const int sw = 5, sh = 3, sy = sx / 2, dy = -dx;
                        Raster actual = dstStart, expected = dstStart;
                        StretchBlt(actual, dx, dy, sw * f, sh * f, src, sx, sy, sw, sh, SRCCOPY);
                        for (int j = 0; j < sh * f; ++j)
                            for (int i = 0; i < sw * f; ++i)
                                if (src.Contains(sx + i / f, sy + j / f) &&
                                    expected.Contains(dx + i, dy + j))
                                    expected.Set(dx + i, dy + j, src.At(sx + i / f, sy + j / f));
                        ASSERT_TRUE(SameRaster(actual, expected))
                            << "factor " << f << " " << s.w << "x" << s.h << " -> " << d.w << "x"
                            << d.h << " from (" << sx << "," << sy << ") to (" << dx << "," << dy << ")";
                    }
            }
}

TEST(StretchBlt, OnePixelFillsAnyRectangle) {
    const Raster src = NoisePicture(300, 200, 7);
    for (Size d : {Size{480, 256}, Size{288, 256}, Size{160, 80}, Size{17, 9}}) {
        Raster dst = NoisePicture(d.w, d.h, 8);
        StretchBlt(dst, 0, 0, d.w, d.h, src, 288, 128, 1, 1, SRCCOPY);
        EXPECT_TRUE(SameRaster(dst, Raster(d.w, d.h, src.At(288, 128)))) << d.w << "x" << d.h;
    }
}

// Halving: each destination pixel is the AND of the 2 x 2 source block that
// falls onto it, counting only source pixels that exist; with none it keeps
// its value.
TEST(StretchBlt, HalvingAndsEachTwoByTwoBlock) {
    uint32_t seed = 500;
    for (Size s : kRasters)
        for (Size d : kRasters)
            for (int half : {1, 4, 8, 16, 64}) {
                const Raster src = NoisePicture(s.w, s.h, ++seed);
                const Raster dstStart = NoisePicture(d.w, d.h, ++seed);
                for (int dx : kOffsets)
                    for (int sx : kOffsets) {
                        const int dy = dx / 2, sy = -sx;
                        Raster actual = dstStart, expected = dstStart;
                        StretchBlt(actual, dx, dy, half, half, src, sx, sy, 2 * half, 2 * half,
                                   SRCCOPY);
                        for (int j = 0; j < half; ++j)
                            for (int i = 0; i < half; ++i) {
                                Pixel acc = 0xFFFFFF;
                                bool any = false;
                                for (int v = 0; v < 2; ++v)
                                    for (int u = 0; u < 2; ++u)
                                        if (src.Contains(sx + 2 * i + u, sy + 2 * j + v)) {
                                            acc &= src.At(sx + 2 * i + u, sy + 2 * j + v);
                                            any = true;
                                        }
                                if (any && expected.Contains(dx + i, dy + j))
                                    expected.Set(dx + i, dy + j, acc);
                            }
                        ASSERT_TRUE(SameRaster(actual, expected))
                            << "half " << half << " " << s.w << "x" << s.h << " -> " << d.w << "x"
                            << d.h << " from (" << sx << "," << sy << ") to (" << dx << "," << dy << ")";
                    }
            }
}

}  // namespace
}  // namespace tw
