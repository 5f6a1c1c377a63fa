// Every encoder's file read back through our own loader: lossless formats give
// the same colours, at the depth the palette rule predicts.

#include <gtest/gtest.h>

#include <cstring>

#include "image_test_support.h"
#include "imagefiles/dib.h"

namespace {

using twtest::OwnedImage;

enum class Kind { OnePalette, EightPalette, EightGrey, SixteenGrey, FewColours24, Photo24 };

OwnedImage Make(Kind kind) {
    switch (kind) {
    case Kind::OnePalette:
        return twtest::Image1(tw::Rgb(0, 0, 128), tw::Rgb(255, 255, 0), [](int x, int y) { return (x * y) % 7 < 3; });
    case Kind::EightPalette: {
        // Repeated palette entries and unused ones: the files dedupe them.
        std::vector<tw::Pixel> pal;
        for (int i = 0; i < 256; ++i) pal.push_back(tw::Rgb(i % 50 * 5, 255 - i % 50, i % 50 * 3));
        return twtest::Image8(pal, [](int x, int y) { return (x * 3 + y * 5) % 256; });
    }
    case Kind::EightGrey: {
        std::vector<tw::Pixel> ramp;
        for (int i = 0; i < 256; ++i) ramp.push_back(tw::Rgb(i, i, i));
        return twtest::Image8(ramp, [](int x, int y) { return (x * 6 + y * 11) % 256; });
    }
    case Kind::SixteenGrey: return twtest::Image16(23, 9, [](int x, int y) { return x * 2801 + y * 77; });
    case Kind::FewColours24: return twtest::Image24(twtest::ColourSheet(480, 256, 120));
    case Kind::Photo24: return twtest::Image24(twtest::PhotoLike(64, 48));
    }
    return {};
}

struct Case {
    const char* ext;
    Kind kind;
    int loadedBpp;
    double minPsnr;  // 0: lossless, the same colours
};

std::string CaseName(const testing::TestParamInfo<Case>& info) {
    static const char* kinds[] = {"One", "EightPalette", "EightGrey", "Sixteen", "FewColours", "Photo"};
    return std::string(info.param.ext) + "_" + kinds[static_cast<int>(info.param.kind)];
}

class RoundTrip : public testing::TestWithParam<Case> {};

TEST_P(RoundTrip, ReloadsTheSamePicture) {
    const Case& c = GetParam();
    twtest::TempDir dir;
    const std::string path = dir / (std::string("pic.") + c.ext);
    OwnedImage img = Make(c.kind);
    const std::string ext = c.ext;
    int rc = -1;
    if (ext == "bmp") rc = savebmp(path.c_str(), &img.d, 0);
    if (ext == "png") rc = savepng(path.c_str(), &img.d, 0);
    if (ext == "tif") rc = savetif(path.c_str(), &img.d, 0);
    if (ext == "gif") rc = savegif(path.c_str(), &img.d);
    if (ext == "jpg") rc = savejpg(path.c_str(), &img.d, 75);
    ASSERT_EQ(rc, 0);
    OwnedImage back;
    ASSERT_EQ(twtest::LoadFile(path, &back), 0);
    EXPECT_EQ(back.Bpp(), c.loadedBpp);
    const tw::Raster want = tw::ImageToRaster(img.d), got = tw::ImageToRaster(back.d);
    if (c.minPsnr == 0) {
        EXPECT_EQ(got, want);
    } else {
        EXPECT_GT(twtest::Psnr(want, got), c.minPsnr);
    }
    if (c.loadedBpp == 16) {  // all 16 bits survive, not only the shown high byte
        EXPECT_EQ(std::memcmp(tw::ImageRow(back.d, 8), tw::ImageRow(img.d, 8), 46), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, RoundTrip,
    testing::Values(Case{"bmp", Kind::OnePalette, 8, 0}, Case{"bmp", Kind::EightPalette, 8, 0},
                    Case{"bmp", Kind::EightGrey, 8, 0}, Case{"bmp", Kind::SixteenGrey, 8, 0},
                    Case{"bmp", Kind::FewColours24, 8, 0}, Case{"bmp", Kind::Photo24, 24, 0},
                    Case{"png", Kind::OnePalette, 8, 0}, Case{"png", Kind::EightPalette, 8, 0},
                    Case{"png", Kind::EightGrey, 8, 0}, Case{"png", Kind::FewColours24, 8, 0},
                    Case{"png", Kind::Photo24, 24, 0}, Case{"gif", Kind::OnePalette, 1, 0},
                    Case{"gif", Kind::EightPalette, 8, 0}, Case{"gif", Kind::FewColours24, 8, 0},
                    Case{"gif", Kind::Photo24, 8, 30}, Case{"tif", Kind::OnePalette, 1, 0},
                    Case{"tif", Kind::EightPalette, 8, 0}, Case{"tif", Kind::EightGrey, 8, 0},
                    Case{"tif", Kind::SixteenGrey, 16, 0}, Case{"tif", Kind::FewColours24, 24, 0},
                    Case{"tif", Kind::Photo24, 24, 0}, Case{"jpg", Kind::EightGrey, 8, 25},
                    Case{"jpg", Kind::EightPalette, 24, 18}, Case{"jpg", Kind::Photo24, 24, 30}),
    CaseName);

}  // namespace
