// The files the engine reads: palette files keep the sheet's transparent
// colour at index 0 and never repeat it. The files are checked with the
// codec libraries or byte by byte, not with our own loaders.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "image_test_support.h"
#include "imagefiles/le_bytes.h"

namespace {

using twtest::OwnedImage;

struct FilePalette {
    int bitsPerPixel = 0;  // of the pixels as stored
    std::vector<tw::Pixel> palette;
};

uint32_t Be32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

// IHDR and PLTE straight from the chunk list.
FilePalette PngPalette(const std::vector<uint8_t>& f) {
    FilePalette out;
    for (size_t at = 8; at + 8 <= f.size();) {
        const uint32_t length = Be32(&f[at]);
        const std::string type(f.begin() + at + 4, f.begin() + at + 8);
        const uint8_t* data = &f[at + 8];
        if (type == "IHDR") out.bitsPerPixel = data[9] == 3 ? data[8] : data[9] == 2 ? 3 * data[8] : -1;
        if (type == "PLTE")
            for (uint32_t i = 0; i + 2 < length; i += 3) out.palette.push_back(tw::Rgb(data[i], data[i + 1], data[i + 2]));
        at += 12 + length;
    }
    return out;
}

FilePalette BmpPalette(const std::vector<uint8_t>& f) {
    FilePalette out;
    out.bitsPerPixel = tw::Le16(&f[28]);
    const uint32_t used = tw::Le32(&f[46]);
    for (uint32_t i = 0; i < used; ++i) out.palette.push_back(tw::Le32(&f[54 + 4 * i]) & 0xFFFFFF);
    return out;
}

void ExpectTransparentFirst(const FilePalette& p, tw::Pixel transparent) {
    ASSERT_FALSE(p.palette.empty());
    EXPECT_EQ(p.palette[0], transparent);
    EXPECT_EQ(std::count(p.palette.begin(), p.palette.end(), transparent), 1);
}

TEST(PaletteRule, FewColourSheetsBecomePaletteFilesWithTransparentColourFirst) {
    twtest::TempDir dir;
    struct Case {
        int w, h, colours;
        int x, y;  // the transparent position
    };
    for (const Case c : {Case{480, 256, 200, 288, 128}, Case{160, 80, 150, 128, 0}, Case{288, 256, 256, 0, 0},
                         Case{192, 192, 3, 0, 0}}) {
        const tw::Raster sheet = twtest::ColourSheet(c.w, c.h, c.colours);
        OwnedImage img = twtest::Image24(sheet);
        ASSERT_EQ(savepng((dir / "s.png").c_str(), &img.d, 0), 0);
        ASSERT_EQ(savebmp((dir / "s.bmp").c_str(), &img.d, 0), 0);
        const FilePalette png = PngPalette(twtest::ReadBytes(dir / "s.png"));
        const FilePalette bmp = BmpPalette(twtest::ReadBytes(dir / "s.bmp"));
        EXPECT_EQ(png.bitsPerPixel, 8);
        EXPECT_EQ(bmp.bitsPerPixel, 8);
        EXPECT_EQ(png.palette.size(), size_t(c.colours));
        ExpectTransparentFirst(png, sheet.At(c.x, c.y));
        ExpectTransparentFirst(bmp, sheet.At(c.x, c.y));
    }
}

TEST(PaletteRule, ManyColoursStayTrueColour) {
    twtest::TempDir dir;
    OwnedImage img = twtest::Image24(twtest::ColourSheet(480, 256, 300));
    ASSERT_EQ(savepng((dir / "s.png").c_str(), &img.d, 0), 0);
    ASSERT_EQ(savebmp((dir / "s.bmp").c_str(), &img.d, 0), 0);
    EXPECT_EQ(PngPalette(twtest::ReadBytes(dir / "s.png")).bitsPerPixel, 24);
    EXPECT_EQ(BmpPalette(twtest::ReadBytes(dir / "s.bmp")).bitsPerPixel, 24);
}

// A photo-like sheet goes to GIF: reduced, but the transparent colour stays
// exact at index 0 (which pixels use it is checked on convertrgbtopalex).
TEST(PaletteRule, ReducedGifKeepsTransparentColourExact) {
    twtest::TempDir dir;
    struct Case {
        int w, h, x, y;
    };
    for (const Case c : {Case{480, 256, 288, 128}, Case{160, 80, 128, 0}}) {
        tw::Raster photo = twtest::PhotoLike(c.w, c.h, 11);
        const tw::Pixel t = photo.At(c.x, c.y);
        for (int i = 0; i < 500; ++i) photo.Set(i * 7 % c.w, i * 3 % c.h, t);
        OwnedImage img = twtest::Image24(photo);
        const std::string path = dir / "s.gif";
        ASSERT_EQ(savegif(path.c_str(), &img.d), 0);
        const std::vector<uint8_t> bytes = twtest::ReadBytes(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");

        int error = 0;
        GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
        ASSERT_NE(gif, nullptr);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK);
        const ColorMapObject* map = gif->SColorMap;
        ASSERT_NE(map, nullptr);
        FilePalette p;
        for (int i = 0; i < map->ColorCount; ++i)
            p.palette.push_back(tw::Rgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
        ExpectTransparentFirst(p, t);
        EXPECT_EQ(gif->SavedImages[0].RasterBits[c.y * c.w + c.x], 0);
        DGifCloseFile(gif, &error);
    }
}

}  // namespace
