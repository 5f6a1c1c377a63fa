// TIFF pages written with libtiff itself: grey, palette, RGB and RGBA at
// several bit depths, strips and tiles, planar and JPEG/YCbCr pages, and the
// page index of multi-page files.

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>

#include "image_test_support.h"
#include "imagefiles/dib.h"

namespace {

struct TiffCase {
    const char* name;
    uint16_t bps, spp, photometric, planar, compression;
    bool tiled;
    int expectedBpp;
    double minPsnr;  // 0: exact colours
};

// Smooth enough for the JPEG page; 16-bit samples differ in both bytes.
int Sample(int x, int y, int s, int bps) {
    const int v = x * 3 + y * 2 + s * 50;
    return bps == 16 ? (v % 256 * 257 + x) % 65536 : v % (1 << bps);
}
int Level(int v, int bps) { return bps == 16 ? v >> 8 : v * 255 / ((1 << bps) - 1); }
tw::Pixel MapColour(int i) { return tw::Rgb(i * 3 % 256, 200 - i % 200, i * 29 % 256); }

tw::Pixel Expected(int x, int y, const TiffCase& c) {
    if (c.photometric == PHOTOMETRIC_PALETTE) return MapColour(Sample(x, y, 0, c.bps));
    if (c.photometric == PHOTOMETRIC_MINISBLACK || c.photometric == PHOTOMETRIC_MINISWHITE) {
        int v = Level(Sample(x, y, 0, c.bps), c.bps);
        if (c.photometric == PHOTOMETRIC_MINISWHITE) v = 255 - v;
        return tw::Rgb(v, v, v);
    }
    return tw::Rgb(Level(Sample(x, y, 0, c.bps), c.bps), Level(Sample(x, y, 1, c.bps), c.bps),
                   Level(Sample(x, y, 2, c.bps), c.bps));
}

// Packs samples [first, first + count) of row y.
std::vector<uint8_t> Pack(int y, int w, int first, int count, int bps) {
    std::vector<uint8_t> row((w * count * bps + 7) / 8, 0);
    for (int i = 0; i < w * count; ++i) {
        const int v = Sample(i / count, y, first + i % count, bps);
        if (bps == 16) {
            const uint16_t s = uint16_t(v);
            std::memcpy(&row[2 * i], &s, 2);
        } else if (bps == 8) {
            row[i] = uint8_t(v);
        } else {
            row[i * bps / 8] |= uint8_t(v << (8 - bps - i * bps % 8));
        }
    }
    return row;
}

void WritePage(TIFF* tif, int w, int h, const TiffCase& c) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, c.bps);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, c.spp);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, c.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, c.planar);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, c.compression);
    if (c.spp == 4 || c.spp == 2) {
        const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (c.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<uint16_t> r, g, b;
        for (int i = 0; i < (1 << c.bps); ++i) {
            const tw::Pixel p = MapColour(i);
            r.push_back(((p >> 16) & 255) * 257), g.push_back(((p >> 8) & 255) * 257), b.push_back((p & 255) * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
    }
    if (c.compression == COMPRESSION_JPEG) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
        TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
    }
    if (c.tiled) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
        const int bytesPerPixel = c.spp * c.bps / 8;
        std::vector<uint8_t> tile(16 * 16 * bytesPerPixel);
        for (int ty = 0; ty < h; ty += 16)
            for (int tx = 0; tx < w; tx += 16) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int r = 0; r < 16 && ty + r < h; ++r) {
                    const std::vector<uint8_t> row = Pack(ty + r, w, 0, c.spp, c.bps);
                    const int n = std::min(16, w - tx) * bytesPerPixel;
                    std::memcpy(&tile[r * 16 * bytesPerPixel], &row[tx * bytesPerPixel], n);
                }
                TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0);
            }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
        const int planes = c.planar == PLANARCONFIG_SEPARATE ? c.spp : 1;
        for (int s = 0; s < planes; ++s)
            for (int y = 0; y < h; ++y) {
                std::vector<uint8_t> row = Pack(y, w, s, planes == 1 ? c.spp : 1, c.bps);
                TIFFWriteScanline(tif, row.data(), y, uint16_t(s));
            }
    }
    TIFFWriteDirectory(tif);
}

class ForeignTiff : public testing::TestWithParam<TiffCase> {};

TEST_P(ForeignTiff, LoadsAtReportedDepthWithTheRightColours) {
    const TiffCase& c = GetParam();
    const int w = 40, h = 35;
    twtest::TempDir dir;
    const std::string path = dir / "f.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    WritePage(tif, w, h, c);
    TIFFClose(tif);

    TiffInfo info;
    ASSERT_EQ(tiffinfopagebyindex(path.c_str(), &info, 0), 0);
    EXPECT_EQ(info.vbitcount, c.expectedBpp);
    EXPECT_EQ(info.bitsPerSample, c.bps);
    EXPECT_EQ(info.samplesPerPixel, c.spp);
    twtest::OwnedImage img;
    ASSERT_EQ(twtest::LoadFile(path, &img), 0);
    const tw::Raster got = tw::ImageToRaster(img.d);
    tw::Raster want(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) want.Set(x, y, Expected(x, y, c));
    if (c.minPsnr == 0) {
        EXPECT_EQ(got, want);
    } else {
        EXPECT_GT(twtest::Psnr(want, got), c.minPsnr);
    }
    if (c.expectedBpp == 16) {  // the full 16-bit value, not only the high byte
        uint16_t v;
        std::memcpy(&v, tw::ImageRow(img.d, 7) + 2 * 5, 2);
        EXPECT_EQ(v, Sample(5, 7, 0, 16));
    }
}

constexpr uint16_t kContig = PLANARCONFIG_CONTIG, kSeparate = PLANARCONFIG_SEPARATE;
constexpr uint16_t kBlack = PHOTOMETRIC_MINISBLACK, kWhite = PHOTOMETRIC_MINISWHITE, kPal = PHOTOMETRIC_PALETTE,
                   kRgb = PHOTOMETRIC_RGB;
constexpr uint16_t kNone = COMPRESSION_NONE, kLzw = COMPRESSION_LZW, kDeflate = COMPRESSION_ADOBE_DEFLATE;

INSTANTIATE_TEST_SUITE_P(
    AllKinds, ForeignTiff,
    testing::Values(TiffCase{"grey16", 16, 1, kBlack, kContig, kLzw, false, 16, 0},
                    TiffCase{"grey16tiled", 16, 1, kBlack, kContig, kNone, true, 16, 0},
                    TiffCase{"grey8white", 8, 1, kWhite, kContig, kDeflate, false, 8, 0},
                    TiffCase{"grey4", 4, 1, kBlack, kContig, kNone, false, 8, 0},
                    TiffCase{"bilevelWhite", 1, 1, kWhite, kContig, kLzw, false, 1, 0},
                    TiffCase{"bilevel", 1, 1, kBlack, kContig, kNone, false, 1, 0},
                    TiffCase{"palette4", 4, 1, kPal, kContig, kNone, false, 8, 0},
                    TiffCase{"palette8", 8, 1, kPal, kContig, kLzw, false, 8, 0},
                    TiffCase{"greyAlpha", 8, 2, kBlack, kContig, kNone, false, 8, 0},
                    TiffCase{"rgb8tiled", 8, 3, kRgb, kContig, kLzw, true, 24, 0},
                    TiffCase{"rgb16", 16, 3, kRgb, kContig, kNone, false, 24, 0},
                    TiffCase{"rgba8", 8, 4, kRgb, kContig, kLzw, false, 24, 0},
                    TiffCase{"rgbPlanar", 8, 3, kRgb, kSeparate, kNone, false, 24, 0},
                    TiffCase{"ycbcrJpeg", 8, 3, kRgb, kContig, COMPRESSION_JPEG, false, 24, 20}),
    [](const testing::TestParamInfo<TiffCase>& info) { return std::string(info.param.name); });

TEST(ForeignTiffPages, FirstPageByDefaultAndOtherPagesOnRequest) {
    twtest::TempDir dir;
    const std::string path = dir / "pages.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    WritePage(tif, 30, 20, TiffCase{"", 8, 1, kBlack, kContig, kLzw, false, 8, 0});
    WritePage(tif, 50, 10, TiffCase{"", 8, 3, kRgb, kContig, kLzw, false, 24, 0});
    TIFFClose(tif);
    twtest::OwnedImage first, second, none;
    ASSERT_EQ(twtest::LoadFile(path, &first), 0);
    EXPECT_EQ(first.d.bmh->biWidth, 30);
    EXPECT_EQ(first.Bpp(), 8);
    ASSERT_EQ(twtest::LoadFile(path, &second, 1), 0);
    EXPECT_EQ(second.d.bmh->biWidth, 50);
    EXPECT_EQ(second.Bpp(), 24);
    EXPECT_NE(twtest::LoadFile(path, &none, 2), 0);
    EXPECT_NE(twtest::LoadFile(path, &none, -1), 0);
}

}  // namespace
