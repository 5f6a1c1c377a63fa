// BMP files built byte by byte in every layout the format allows, and JPEG
// files written with libjpeg in progressive and CMYK form (baseline colour
// and grey come from our own encoder in the round trips).

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>

#include "image_test_support.h"
#include "imagefiles/dib.h"
#include "imagefiles/le_bytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct BmpCase {
    const char* name;
    int width, height;  // height < 0: top-down
    int bits;
    uint32_t compression;
    std::vector<uint32_t> table;  // palette (0x00RRGGBB) or bit masks
    Bytes pixels;                 // as stored, rows padded
    std::vector<tw::Pixel> expected;  // top-down
    int expectedBpp;
    int headerSize = 40;
};

Bytes BuildBmp(const BmpCase& c) {
    const bool masks = c.compression == 3;
    const int entry = c.headerSize == 12 ? 3 : 4;
    const uint32_t offset = 14 + c.headerSize + uint32_t(c.table.size()) * (masks && c.headerSize > 40 ? 0 : entry);
    Bytes f{'B', 'M'};
    tw::PutLe32(&f, offset + uint32_t(c.pixels.size()));
    tw::PutLe32(&f, 0);
    tw::PutLe32(&f, offset);
    tw::PutLe32(&f, c.headerSize);
    if (c.headerSize == 12) {
        tw::PutLe16(&f, c.width), tw::PutLe16(&f, c.height), tw::PutLe16(&f, 1), tw::PutLe16(&f, c.bits);
    } else {
        tw::PutLe32(&f, c.width), tw::PutLe32(&f, uint32_t(c.height)), tw::PutLe16(&f, 1), tw::PutLe16(&f, c.bits);
        tw::PutLe32(&f, c.compression), tw::PutLe32(&f, uint32_t(c.pixels.size()));
        for (int i = 0; i < 4; ++i) tw::PutLe32(&f, 0);  // resolution, colours used/important
        if (masks && c.headerSize > 40) {
            for (uint32_t m : c.table) tw::PutLe32(&f, m);
            f.resize(14 + c.headerSize, 0);
        }
    }
    if (!(masks && c.headerSize > 40))
        for (uint32_t v : c.table) {
            tw::PutLe32(&f, v);
            if (entry == 3) f.pop_back();
        }
    f.insert(f.end(), c.pixels.begin(), c.pixels.end());
    return f;
}

constexpr tw::Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

const BmpCase kBmpCases[] = {
    {"bits1", 3, 2, 1, 0, {R, B}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}, {R, B, R, B, R, B}, 1},
    {"bits1Palette", 3, 2, 1, 0, {G, W}, {0x20, 0, 0, 0, 0xC0, 0, 0, 0}, {W, W, G, G, G, W}, 1},
    {"bits4", 3, 1, 4, 0, {R, G, B}, {0x21, 0x00, 0, 0}, {B, G, R}, 8},
    {"os2Core", 2, 2, 8, 0, {R, G, B, W}, {3, 2, 0, 0, 0, 1, 0, 0}, {R, G, W, B}, 8, 12},
    {"rle8", 4, 3, 8, 1, {K, R, G, B},
     // bottom row: run of 3 x index 1 then one 2; row 2: absolute 3,2,1 + pad
     // then end of line; row 3: delta (1, 0), run of 2 x 3, end of bitmap.
     {3, 1, 1, 2, 0, 0, 0, 3, 3, 2, 1, 0, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1},
     {K, B, B, K, B, G, R, K, R, R, R, G}, 8},
    {"rle4", 4, 2, 4, 2, {K, R, G, B},
     // bottom row: 4 pixels alternating 1,2; top row: absolute 3,0,1 + pad, EOB.
     {4, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 1},
     {B, K, R, K, R, G, R, G}, 8},
    {"topDown24", 2, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}, {R, G, B, W}, 24},
    {"bitfields565", 2, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}, {R, B}, 24},
    {"rgb555", 2, 1, 16, 0, {}, {0x00, 0x7C, 0xE0, 0x03}, {R, G}, 24},
    {"rgb32", 2, 1, 32, 0, {}, {255, 0, 0, 0x77, 0, 255, 0, 0}, {B, G}, 24},
    {"v5Bitfields32", 1, 2, 32, 3, {0xFF000000, 0x00FF0000, 0x0000FF00}, {0, 0, 0, 255, 0, 0, 255, 0}, {G, R}, 24, 124},
};

class ForeignBmp : public testing::TestWithParam<BmpCase> {};

TEST_P(ForeignBmp, DecodesEveryLayout) {
    const BmpCase& c = GetParam();
    twtest::TempDir dir;
    const std::string path = dir / "f.bmp";
    twtest::WriteBytes(path, BuildBmp(c));
    twtest::OwnedImage img;
    ASSERT_EQ(twtest::LoadFile(path, &img), 0);
    EXPECT_EQ(img.Bpp(), c.expectedBpp);
    const tw::Raster got = tw::ImageToRaster(img.d);
    ASSERT_EQ(got.Pixels(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(AllLayouts, ForeignBmp, testing::ValuesIn(kBmpCases),
                         [](const testing::TestParamInfo<BmpCase>& info) { return std::string(info.param.name); });

enum class JpegKind { Progressive, Cmyk };

void WriteJpeg(const std::string& path, JpegKind kind, const tw::Raster& picture) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    FILE* fp = fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&c, fp);
    c.image_width = picture.Width();
    c.image_height = picture.Height();
    c.input_components = kind == JpegKind::Cmyk ? 4 : 3;
    c.in_color_space = kind == JpegKind::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    if (kind == JpegKind::Progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(picture.Width() * 4);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const tw::Pixel p = picture.At(x, y);
            for (int s = 0; s < c.input_components; ++s) row[x * c.input_components + s] = JSAMPLE(p >> (16 - 8 * (s % 3)));
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    fclose(fp);
}

TEST(ForeignJpeg, ProgressiveLoadsCmykIsRefused) {
    twtest::TempDir dir;
    const tw::Raster photo = twtest::PhotoLike(70, 45);
    WriteJpeg(dir / "p.jpg", JpegKind::Progressive, photo);
    twtest::OwnedImage img;
    JpegInfo info;
    ASSERT_EQ(jpeginfo((dir / "p.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.progressive, 1);
    ASSERT_EQ(twtest::LoadFile(dir / "p.jpg", &img), 0);
    EXPECT_EQ(img.Bpp(), 24);
    EXPECT_GT(twtest::Psnr(photo, tw::ImageToRaster(img.d)), 28);

    WriteJpeg(dir / "c.jpg", JpegKind::Cmyk, photo);
    EXPECT_NE(twtest::LoadFile(dir / "c.jpg", &img), 0);
}

}  // namespace
