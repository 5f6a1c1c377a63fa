// Every encoder's file read back through our own loader: lossless formats give
// the same colours, at the depth the palette rule predicts.

#include <gtest/gtest.h>

#include <cstring>

#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"
#include "imagefiles/dib.h"

namespace tw::test {
namespace {


enum Kind { One, EightPalette, EightGrey, Sixteen, FewColours, Photo };

OwnedImage Make(Kind kind) {
    std::vector<tw::Pixel> pal;  // repeated and unused entries: the files dedupe them
    for (int i = 0; i < 256; ++i)
        pal.push_back(kind == EightGrey ? tw::Rgb(i, i, i) : tw::Rgb(i % 50 * 5, 255 - i % 50, i % 50 * 3));
    switch (kind) {
    case One: return ImageOf(1, 37, 21, {0x80, 0xFFFF00}, [](int x, int y) { return (x * y) % 7 < 3; });
    case EightPalette: return ImageOf(8, 37, 21, pal, [](int x, int y) { return (x * 3 + y * 5) % 256; });
    case EightGrey: return ImageOf(8, 37, 21, pal, [](int x, int y) { return (x * 6 + y * 11) % 256; });
    case Sixteen: return ImageOf(16, 23, 9, {}, [](int x, int y) { return x * 2801 + y * 77; });
    case FewColours: return Image24(ColourSheet(480, 256, 120));
    case Photo: return Image24(PhotoLike(64, 48));
    }
    return {};
}

TEST(RoundTrip, EveryFormatReloadsThePictureAtThePredictedDepth) {
    struct Case {
        const char* ext;
        Kind kind;
        int loadedBpp;
        double minPsnr;  // 0: lossless, the same colours
    };
    const Case cases[] = {
        {"bmp", One, 8, 0},         {"bmp", EightPalette, 8, 0}, {"bmp", EightGrey, 8, 0},  {"bmp", Sixteen, 8, 0},
        {"bmp", FewColours, 8, 0},  {"bmp", Photo, 24, 0},       {"png", One, 8, 0},        {"png", EightPalette, 8, 0},
        {"png", EightGrey, 8, 0},   {"png", FewColours, 8, 0},   {"png", Photo, 24, 0},     {"gif", One, 1, 0},
        {"gif", EightPalette, 8, 0}, {"gif", FewColours, 8, 0},  {"gif", Photo, 8, 30},     {"tif", One, 1, 0},
        {"tif", EightPalette, 8, 0}, {"tif", EightGrey, 8, 0},   {"tif", Sixteen, 16, 0},   {"tif", FewColours, 24, 0},
        {"tif", Photo, 24, 0},      {"jpg", EightGrey, 8, 25},   {"jpg", EightPalette, 24, 18}, {"jpg", Photo, 24, 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ext) + " kind " + std::to_string(c.kind));
        ScratchDir dir;
        const std::string path = dir / (std::string("pic.") + c.ext);
        OwnedImage img = Make(c.kind), back;
        ASSERT_EQ(SaveFile(path, &img.d), 0);
        ASSERT_EQ(LoadFile(path, &back), 0);
        EXPECT_EQ(back.Bpp(), c.loadedBpp);
        const tw::Raster want = tw::ImageToRaster(img.d), got = tw::ImageToRaster(back.d);
        if (c.minPsnr == 0) {
            EXPECT_EQ(got, want);
        } else {
            EXPECT_GT(Psnr(want, got), c.minPsnr);
        }
        if (c.loadedBpp == 16) {  // all 16 bits survive, not only the shown high byte
            EXPECT_EQ(std::memcmp(tw::ImageRow(back.d, 8), tw::ImageRow(img.d, 8), 46), 0);
        }
    }
}

}  // namespace
}  // namespace tw::test
