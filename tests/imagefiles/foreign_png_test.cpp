// PNG files of every colour type, bit depth and interlacing, written with
// libpng itself, load at the depth the info call reports and look right.

#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>

#include "image_test_support.h"
#include "imagefiles/dib.h"

namespace {

struct PngCase {
    int colorType, bitDepth, interlace, expectedBpp;
};

int Channels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

int Sample(int x, int y, int c, int bitDepth) { return (x * 5 + y * 3 + c * 7 + x * y) % (1 << bitDepth); }

tw::Pixel PaletteColour(int i) { return tw::Rgb(i * 13 % 256, 255 - i, i * 7 % 256); }

// Scaled to 8 bits the way a viewer shows it (16 bits: the high byte).
int Level(int v, int bitDepth) { return bitDepth == 16 ? v >> 8 : v * 255 / ((1 << bitDepth) - 1); }

std::vector<uint8_t> PackRow(int y, int w, const PngCase& c) {
    const int channels = Channels(c.colorType);
    std::vector<uint8_t> row((w * channels * c.bitDepth + 7) / 8 + 1, 0);
    for (int i = 0; i < w * channels; ++i) {
        const int v = Sample(i / channels, y, i % channels, c.bitDepth);
        if (c.bitDepth == 16) row[2 * i] = v >> 8, row[2 * i + 1] = v & 255;
        else if (c.bitDepth == 8) row[i] = v;
        else row[i * c.bitDepth / 8] |= v << (8 - c.bitDepth - i * c.bitDepth % 8);
    }
    return row;
}

tw::Pixel Expected(int x, int y, const PngCase& c) {
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) return PaletteColour(Sample(x, y, 0, c.bitDepth));
    const int r = Level(Sample(x, y, 0, c.bitDepth), c.bitDepth);
    if (!(c.colorType & PNG_COLOR_MASK_COLOR)) return tw::Rgb(r, r, r);
    return tw::Rgb(r, Level(Sample(x, y, 1, c.bitDepth), c.bitDepth), Level(Sample(x, y, 2, c.bitDepth), c.bitDepth));
}

// libpng's own writer; its errors jump back here.
bool WritePng(FILE* fp, int w, int h, const PngCase& c, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, fp);
    png_set_IHDR(png, info, w, h, c.bitDepth, c.colorType, c.interlace, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    for (int i = 0; i < 256; ++i) {
        const tw::Pixel p = PaletteColour(i);
        palette[i] = png_color{png_byte(p >> 16), png_byte(p >> 8), png_byte(p)};
    }
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 1 << c.bitDepth);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

class ForeignPng : public testing::TestWithParam<PngCase> {};

TEST_P(ForeignPng, LoadsAtReportedDepthWithTheRightColours) {
    const PngCase& c = GetParam();
    const int w = 21, h = 13;
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < h; ++y) rows.push_back(PackRow(y, w, c));
    for (auto& r : rows) pointers.push_back(r.data());
    twtest::TempDir dir;
    const std::string path = dir / "f.png";
    FILE* fp = fopen(path.c_str(), "wb");
    ASSERT_TRUE(WritePng(fp, w, h, c, pointers.data()));
    fclose(fp);

    PngInfo info;
    ASSERT_EQ(pnginfo(path.c_str(), &info), 0);
    EXPECT_EQ(info.vbitcount, c.expectedBpp);
    EXPECT_EQ(info.width, w);
    EXPECT_EQ(info.length, h);
    twtest::OwnedImage img;
    ASSERT_EQ(twtest::LoadFile(path, &img), 0);
    const tw::Raster got = tw::ImageToRaster(img.d);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(got.At(x, y), Expected(x, y, c)) << x << "," << y;
}

constexpr int kPal = PNG_COLOR_TYPE_PALETTE, kGrey = PNG_COLOR_TYPE_GRAY, kGreyA = PNG_COLOR_TYPE_GRAY_ALPHA,
              kRgb = PNG_COLOR_TYPE_RGB, kRgba = PNG_COLOR_TYPE_RGB_ALPHA, kAdam7 = PNG_INTERLACE_ADAM7;

INSTANTIATE_TEST_SUITE_P(
    AllKinds, ForeignPng,
    testing::Values(PngCase{kPal, 1, 0, 1}, PngCase{kPal, 2, 0, 8}, PngCase{kPal, 4, kAdam7, 8}, PngCase{kPal, 8, 0, 8},
                    PngCase{kGrey, 1, kAdam7, 1}, PngCase{kGrey, 2, 0, 8}, PngCase{kGrey, 4, 0, 8},
                    PngCase{kGrey, 8, 0, 8}, PngCase{kGrey, 16, 0, 8}, PngCase{kGreyA, 8, 0, 8},
                    PngCase{kGreyA, 16, kAdam7, 8}, PngCase{kRgb, 8, kAdam7, 24}, PngCase{kRgb, 16, 0, 24},
                    PngCase{kRgba, 8, 0, 24}, PngCase{kRgba, 16, kAdam7, 24}));

}  // namespace
