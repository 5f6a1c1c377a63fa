// The files the engine reads: palette files keep the sheet's transparent
// colour at index 0 and never repeat it. The files are checked with the
// codec libraries or byte by byte, not with our own loaders.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"
#include "imagefiles/le_bytes.h"

namespace tw::test {
namespace {

using Palette = std::vector<tw::Pixel>;

// Bits per stored pixel from IHDR, and the PLTE entries.
std::pair<int, Palette> PngPalette(const std::vector<uint8_t>& f) {
    std::pair<int, Palette> out;
    for (size_t at = 8; at + 8 <= f.size();) {
        const uint32_t length = (uint32_t(f[at]) << 24) | (f[at + 1] << 16) | (f[at + 2] << 8) | f[at + 3];
        const std::string type(f.begin() + at + 4, f.begin() + at + 8);
        const uint8_t* data = &f[at + 8];
        if (type == "IHDR") out.first = data[9] == 3 ? data[8] : data[9] == 2 ? 3 * data[8] : -1;
        for (uint32_t i = 0; type == "PLTE" && i + 2 < length; i += 3)
            out.second.push_back(tw::Rgb(data[i], data[i + 1], data[i + 2]));
        at += 12 + length;
    }
    return out;
}

std::pair<int, Palette> BmpPalette(const std::vector<uint8_t>& f) {
    std::pair<int, Palette> out{tw::Le16(&f[28]), {}};
    for (uint32_t i = 0; i < tw::Le32(&f[46]); ++i) out.second.push_back(tw::Le32(&f[54 + 4 * i]) & 0xFFFFFF);
    return out;
}

// The pixels of an 8-bit BMP through its own palette, read the plain way.
tw::Raster BmpPixels(const std::vector<uint8_t>& f) {
    const int w = static_cast<int>(tw::Le32(&f[18])), h = static_cast<int>(tw::Le32(&f[22]));
    const uint32_t offset = tw::Le32(&f[10]), stride = (static_cast<uint32_t>(w) + 3) & ~3u;
    tw::Raster out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t index = f.at(offset + (h - 1 - y) * stride + x);
            out.Set(x, y, tw::Le32(&f.at(54 + 4 * index)) & 0xFFFFFF);
        }
    return out;
}

void ExpectTransparentFirst(const Palette& p, tw::Pixel transparent) {
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p[0], transparent);
    EXPECT_EQ(std::count(p.begin(), p.end(), transparent), 1);
}

TEST(PaletteRule, FewColourSheetsBecomePaletteFilesWithTransparentColourFirst) {
    ScratchDir dir;
    struct Case {
        int w, h, colours;
        int x, y;  // the transparent position
    };
    for (const Case c : {Case{480, 256, 200, 288, 128}, Case{160, 80, 150, 128, 0}, Case{288, 256, 256, 0, 0},
                         Case{481, 256, 3, 0, 0}, Case{480, 480, 40, 0, 0}, Case{480, 256, 300},
                         Case{161, 80, 2, 0, 0}}) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + ", colours " + std::to_string(c.colours));
        // Two colours: a black and white sheet, which some readers take for
        // a one-bit picture when the palette is short.
        tw::Raster sheet = ColourSheet(c.w, c.h, c.colours);
        if (c.colours == 2)
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x) sheet.Set(x, y, (x / 3 + y / 5) % 2 ? 0xFFFFFF : 0);
        OwnedImage img = Image24(sheet);
        ASSERT_EQ(savepng((dir / "s.png").c_str(), &img.d, 0), 0);
        ASSERT_EQ(savebmp((dir / "s.bmp").c_str(), &img.d, 0), 0);
        const auto png = PngPalette(ReadBytes(dir / "s.png"));
        const auto bmp = BmpPalette(ReadBytes(dir / "s.bmp"));
        const int bits = c.colours <= 256 ? 8 : 24;  // more colours stay true colour
        EXPECT_EQ(png.first, bits);
        EXPECT_EQ(bmp.first, bits);
        if (bits == 24) continue;
        EXPECT_EQ(png.second.size(), size_t(c.colours));
        ExpectTransparentFirst(png.second, sheet.At(c.x, c.y));
        ExpectTransparentFirst(bmp.second, sheet.At(c.x, c.y));
        EXPECT_EQ(bmp.second.size(), 256u);
        EXPECT_EQ(BmpPixels(ReadBytes(dir / "s.bmp")), sheet);
    }
}

// A photo-like sheet saved as GIF with the transparent colour scattered over
// it, and a near miss of it: reduced, but the transparent colour stays exact
// at index 0, used by exactly its pixels, and is never repeated.
TEST(PaletteRule, ReducedGifKeepsTransparentColourExact) {
    tw::Raster photo = PhotoLike(480, 256, 7);
    const tw::Pixel t = photo.At(288, 128);
    for (int i = 0; i < 3000; ++i) photo.Set(i * 37 % 480, i * 13 % 256, t);
    photo.Set(5, 5, t ^ 1);
    ScratchDir dir;
    FileRoutines program;
    OwnedImage img = Image24(photo);
    program.files.CurrentImage = std::exchange(img.d, ImageDescriptor{});
    program.files.SaveImageFile(dir / "s.gif");

    const std::vector<uint8_t> bytes = ReadBytes(dir / "s.gif");
    ASSERT_GT(bytes.size(), 6u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    int error = 0;
    GifFileType* gif = DGifOpenFileName((dir / "s.gif").c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_NE(gif->SColorMap, nullptr);
    Palette p;
    for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
        const GifColorType c = gif->SColorMap->Colors[i];
        p.push_back(tw::Rgb(c.Red, c.Green, c.Blue));
    }
    ExpectTransparentFirst(p, t);
    tw::Raster shown(480, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) {
            const int index = gif->SavedImages[0].RasterBits[y * 480 + x];
            ASSERT_EQ(index == 0, photo.At(x, y) == t) << x << "," << y;
            shown.Set(x, y, p.at(index));
        }
    EXPECT_GT(Psnr(photo, shown), 30.0);
    DGifCloseFile(gif, &error);
}

}  // namespace
}  // namespace tw::test
