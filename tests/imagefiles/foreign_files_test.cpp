// Files that other programs write, made with the codec libraries themselves
// (BMP byte by byte), loaded as the program loads them: every layout arrives
// at the depth its info call reports (16-bit grey TIFF as 8-bit grey, only
// the first page), with the right colours.

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <cstring>

#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"
#include "imagefiles/dib.h"
#include "imagefiles/le_bytes.h"

namespace tw::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Colour = std::function<tw::Pixel(int, int)>;
constexpr int W = 40, H = 35;  // PNG and TIFF pictures: padded rows, partial 16 x 16 tiles

struct Case {
    std::string name;  // begins with the extension
    std::function<void(const std::string&)> write;
    int bpp;  // 0: refused
    int w = W, h = H;
    Colour shows = nullptr;  // exact, but for JPEG
};

// Sample c of pixel (x, y); 16-bit samples differ in both bytes.
int Sample(int x, int y, int c, int bits) {
    const int v = x * 5 + y * 3 + c * 50 + x * y;
    return bits == 16 ? (v % 256 * 257 + x) % 65536 : v % (1 << bits);
}
int Level(int v, int bits) { return bits == 16 ? v >> 8 : v * 255 / ((1 << bits) - 1); }
tw::Pixel MapColour(int i) { return tw::Rgb(i * 13 % 256, 255 - i, i * 29 % 256); }

enum Kind { Palette, Grey, White, Rgb };  // how the samples read
Colour Shows(Kind k, int bits) {
    return [=](int x, int y) {
        if (k == Palette) return MapColour(Sample(x, y, 0, bits));
        int l[3];
        for (int c = 0; c < 3; ++c) l[c] = Level(Sample(x, y, k == Rgb ? c : 0, bits), bits);
        return k == Rgb ? tw::Rgb(l[0], l[1], l[2]) : k == Grey ? l[0] * 0x10101 : 0xFFFFFF - l[0] * 0x10101;
    };
}

// Samples [first, first + count) of row y, packed; 16 bits in either byte order.
Bytes Pack(int y, int first, int count, int bits, bool bigEndian) {
    Bytes row((W * count * bits + 7) / 8, 0);
    for (int i = 0; i < W * count; ++i) {
        const int v = Sample(i / count, y, first + i % count, bits);
        if (bits == 16) row[2 * i + !bigEndian] = uint8_t(v >> 8), row[2 * i + bigEndian] = uint8_t(v);
        else row[i * bits / 8] |= uint8_t(v << (8 - bits - i * bits % 8));
    }
    return row;
}

Case Png(int type, int bits, bool adam7, Kind kind, int bpp) {
    const auto write = [=](const std::string& path) {
        FILE* fp = fopen(path.c_str(), "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, fp);
        png_set_IHDR(png, info, W, H, bits, type, adam7, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        std::vector<png_color> map;
        for (int i = 0; i < 1 << bits; ++i)
            map.push_back({png_byte(MapColour(i) >> 16), png_byte(MapColour(i) >> 8), png_byte(MapColour(i))});
        if (type == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, map.data(), 1 << bits);
        png_write_info(png, info);
        for (int pass = png_set_interlace_handling(png); pass > 0; --pass)
            for (int y = 0; y < H; ++y) png_write_row(png, Pack(y, 0, png_get_channels(png, info), bits, true).data());
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        fclose(fp);
    };
    return {"png type " + std::to_string(type) + ", " + std::to_string(bits) + " bits" + (adam7 ? ", Adam7" : ""),
            write, bpp, W, H, Shows(kind, bits)};
}

struct TiffPage {
    uint16_t bits, spp, photometric, planar = PLANARCONFIG_CONTIG;
    bool tiled = false;
};

Case Tiff(const char* name, std::vector<TiffPage> pages, Kind kind, int bpp) {
    const auto write = [=](const std::string& path) {
        TIFF* tif = TIFFOpen(path.c_str(), "w");
        for (const TiffPage& p : pages) {
            TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, W), TIFFSetField(tif, TIFFTAG_IMAGELENGTH, H);
            TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, p.bits), TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, p.spp);
            TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, p.photometric), TIFFSetField(tif, TIFFTAG_PLANARCONFIG, p.planar);
            TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
            std::vector<uint16_t> map[3];
            for (int i = 0; i < (1 << p.bits) && p.photometric == PHOTOMETRIC_PALETTE; ++i)
                for (int c = 0; c < 3; ++c) map[c].push_back(((MapColour(i) >> (16 - 8 * c)) & 255) * 257);
            if (!map[0].empty()) TIFFSetField(tif, TIFFTAG_COLORMAP, map[0].data(), map[1].data(), map[2].data());
            const int planes = p.planar == PLANARCONFIG_SEPARATE ? p.spp : 1, bytes = p.spp * p.bits / 8;
            if (p.tiled) TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16), TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
            for (uint32_t t = 0; p.tiled && t < TIFFNumberOfTiles(tif); ++t) {
                const int tx = t % 3 * 16, ty = t / 3 * 16, n = std::min(16, W - tx) * bytes;
                Bytes tile(16 * 16 * bytes, 0);
                for (int r = 0; r < 16 && ty + r < H; ++r)
                    std::memcpy(&tile[r * 16 * bytes], &Pack(ty + r, 0, p.spp, p.bits, false)[tx * bytes], n);
                TIFFWriteEncodedTile(tif, t, tile.data(), tmsize_t(tile.size()));
            }
            for (int s = 0; s < planes && !p.tiled; ++s)
                for (int y = 0; y < H; ++y)
                    TIFFWriteScanline(tif, Pack(y, s, planes == 1 ? p.spp : 1, p.bits, false).data(), y, uint16_t(s));
            TIFFWriteDirectory(tif);
        }
        TIFFClose(tif);
    };
    return {name, write, bpp, W, H, Shows(kind, pages[0].bits)};
}

// Frames of an animation: frame pixel (x, y) is map entry (x + 2y) mod colours.
struct GifFrame {
    int left, top, width, height, localColours;  // 0: uses the global map
    bool interlaced = false;
};
tw::Pixel GlobalColour(int i) { return tw::Rgb(i * 60 % 256, 10 + i, 200); }
tw::Pixel LocalColour(int i) { return tw::Rgb(5, i * 30 % 256, 255 - i); }
ColorMapObject* GifMap(int n, tw::Pixel (*colour)(int)) {
    std::vector<GifColorType> entries;
    for (int i = 0; i < n; ++i)
        entries.push_back({GifByteType(colour(i) >> 16), GifByteType(colour(i) >> 8), GifByteType(colour(i))});
    return GifMakeMapObject(n, entries.data());
}

// What shows is the first frame on its screen, the rest of the screen in the
// background colour: entry 0 of the frame's own map when it has one.
Case Gif(const char* name, int bpp, int w, int h, int colours, int background, std::vector<GifFrame> frames) {
    const auto write = [=](const std::string& path) {
        int error = 0;
        GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
        ColorMapObject* global = GifMap(colours, GlobalColour);
        EGifPutScreenDesc(gif, w, h, 8, background, global);
        for (const GifFrame& f : frames) {
            ColorMapObject* local = f.localColours ? GifMap(f.localColours, LocalColour) : nullptr;
            // giflib drops, without freeing, the previous frame's map copy when a frame has none.
            if (gif->Image.ColorMap != nullptr) GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
            EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
            // Interlaced: every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
            for (int pass = 0; pass < (f.interlaced ? 4 : 1); ++pass)
                for (int y = "\0\4\2\1"[pass]; y < f.height; y += f.interlaced ? "\10\10\4\2"[pass] : 1) {
                    std::vector<GifPixelType> line(f.width);
                    for (int x = 0; x < f.width; ++x)
                        line[x] = GifPixelType((x + 2 * y) % (local ? f.localColours : colours));
                    EGifPutLine(gif, line.data(), f.width);
                }
            if (local) GifFreeMapObject(local);
        }
        GifFreeMapObject(global);
        EGifCloseFile(gif, &error);
    };
    const GifFrame f = frames[0];
    const auto colour = f.localColours ? LocalColour : GlobalColour;
    return {name, write, bpp, w, h, [=](int x, int y) {
                if (x < f.left || y < f.top || x >= f.left + f.width || y >= f.top + f.height)
                    return colour(f.localColours ? 0 : background);
                return colour((x - f.left + 2 * (y - f.top)) % (f.localColours ? f.localColours : colours));
            }};
}

// Pixels as stored, rows padded; the table holds the palette or the bit masks,
// which a header longer than 40 bytes holds itself.
Case Bmp(const char* name, int bpp, int w, int h, int bits, uint32_t compression, std::vector<uint32_t> table,
         Bytes pixels, std::vector<tw::Pixel> shows, uint32_t headerSize = 40) {
    Bytes f(14);
    for (uint32_t v : {headerSize, uint32_t(w), uint32_t(h), 1u | bits << 16, compression, uint32_t(pixels.size())})
        tw::PutLe32(&f, v);
    f.resize(14 + 40);
    for (uint32_t v : table) compression == 3 ? tw::PutLe32(&f, v) : void();
    f.resize(std::max<size_t>(f.size(), 14 + headerSize));
    for (uint32_t v : table) compression != 3 ? tw::PutLe32(&f, v) : void();
    const uint32_t offset = uint32_t(f.size()), size = offset + uint32_t(pixels.size());
    for (int i = 0; i < 4; ++i) f[2 + i] = uint8_t(size >> (8 * i)), f[10 + i] = uint8_t(offset >> (8 * i));
    f[0] = 'B', f[1] = 'M';
    f.insert(f.end(), pixels.begin(), pixels.end());
    return {name, [=](const std::string& path) { WriteBytes(path, f); }, bpp, w, std::abs(h),
            [=](int x, int y) { return shows[y * w + x]; }};
}

Case ProgressiveJpeg(const char* name, bool cmyk, int bpp) {
    const tw::Raster photo = PhotoLike(70, 45);
    const auto write = [=](const std::string& path) {
        jpeg_compress_struct c;
        jpeg_error_mgr err;
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        FILE* fp = fopen(path.c_str(), "wb");
        jpeg_stdio_dest(&c, fp);
        c.image_width = 70, c.image_height = 45, c.input_components = cmyk ? 4 : 3;
        c.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
        jpeg_set_defaults(&c), jpeg_set_quality(&c, 90, TRUE), jpeg_simple_progression(&c);
        jpeg_start_compress(&c, TRUE);
        for (int y = 0; y < 45; ++y) {
            JSAMPLE row[70 * 4];
            for (int i = 0; i < 70 * c.input_components; ++i)
                row[i] = JSAMPLE(photo.At(i / c.input_components, y) >> (16 - 8 * (i % c.input_components % 3)));
            JSAMPROW r = row;
            jpeg_write_scanlines(&c, &r, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
        fclose(fp);
    };
    return {name, write, bpp, 70, 45, [=](int x, int y) { return photo.At(x, y); }};
}

constexpr tw::Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, X = 0xFFFFFF, K = 0x000000;
constexpr int kPal = PNG_COLOR_TYPE_PALETTE, kGrey = PNG_COLOR_TYPE_GRAY, kGreyA = PNG_COLOR_TYPE_GRAY_ALPHA,
              kRgb = PNG_COLOR_TYPE_RGB, kRgba = PNG_COLOR_TYPE_RGB_ALPHA;
constexpr uint16_t kBlack = PHOTOMETRIC_MINISBLACK, kWhite = PHOTOMETRIC_MINISWHITE, kMap = PHOTOMETRIC_PALETTE,
                   kRgbT = PHOTOMETRIC_RGB, kContig = PLANARCONFIG_CONTIG;

TEST(ForeignFiles, LoadAtTheReportedDepthWithTheRightColours) {
    const Case cases[] = {
        Png(kPal, 1, false, Palette, 1), Png(kPal, 4, true, Palette, 8), Png(kGrey, 1, true, Grey, 1),
        Png(kGrey, 2, false, Grey, 8), Png(kGrey, 16, false, Grey, 8), Png(kGreyA, 16, true, Grey, 8),
        Png(kRgb, 8, true, Rgb, 24), Png(kRgba, 16, false, Rgb, 24),
        Tiff("tif grey16 tiled, then rgb", {{16, 1, kBlack, kContig, true}, {8, 3, kRgbT}}, Grey, 8),
        Tiff("tif grey8 min-is-white", {{8, 1, kWhite}}, White, 8),
        Tiff("tif bilevel min-is-white", {{1, 1, kWhite}}, White, 1),
        Tiff("tif palette4", {{4, 1, kMap}}, Palette, 8),
        Tiff("tif rgb16", {{16, 3, kRgbT}}, Rgb, 24),
        Tiff("tif rgba8 tiled", {{8, 4, kRgbT, kContig, true}}, Rgb, 24),
        Tiff("tif rgb planar", {{8, 3, kRgbT, PLANARCONFIG_SEPARATE}}, Rgb, 24),
        Gif("gif animated, local map, offset", 8, 20, 12, 4, 2, {{5, 3, 6, 4, 8}, {0, 0, 20, 12, 0}}),
        Gif("gif interlaced over the edge", 8, 10, 23, 16, 1, {{2, 7, 9, 23, 0, true}}),
        Gif("gif two colours", 1, 13, 5, 2, 1, {{0, 1, 13, 3, 0}}),
        Bmp("bmp bits1", 1, 3, 2, 1, 0, {R, B}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}, {R, B, R, B, R, B}),
        Bmp("bmp bits4", 8, 3, 1, 4, 0, {R, G, B}, {0x21, 0x00, 0, 0}, {B, G, R}),
        // Bottom row: absolute 1,1,2 + pad, run of 1 x 3, end of line; then a delta of (1, 1)
        // skips the middle row, a run of 2 x 3, end of bitmap.
        Bmp("bmp rle8", 8, 4, 3, 8, 1, {K, R, G, B}, {0, 3, 1, 1, 2, 0, 1, 3, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1},
            {K, B, B, K, K, K, K, K, R, R, G, B}),
        // Bottom row: 4 pixels alternating 1,2; top row: absolute 3,0,1 + pad, end of bitmap.
        Bmp("bmp rle4", 8, 4, 2, 4, 2, {K, R, G, B}, {4, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 1}, {B, K, R, K, R, G, R, G}),
        Bmp("bmp top-down", 24, 2, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0},
            {R, G, B, X}),
        Bmp("bmp bitfields 565", 24, 2, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}, {R, B}),
        Bmp("bmp rgb555", 24, 2, 1, 16, 0, {}, {0x00, 0x7C, 0xE0, 0x03}, {R, G}),
        Bmp("bmp rgb32", 24, 2, 1, 32, 0, {}, {255, 0, 0, 0x77, 0, 255, 0, 0}, {B, G}),
        Bmp("bmp v5 bitfields", 24, 1, 2, 32, 3, {0xFF000000, 0xFF0000, 0xFF00}, {0, 0, 0, 255, 0, 0, 255, 0},
            {G, R}, 124),
        ProgressiveJpeg("jpg progressive", false, 24), ProgressiveJpeg("jpg cmyk", true, 0)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string path = dir / ("f." + c.name.substr(0, 3));
        c.write(path);
        FileRoutines program;
        program.files.LoadImageFile(path, "CZ");
        const tw::Raster* got = program.surface.GetPicture().raster();
        ASSERT_EQ(got != nullptr, c.bpp != 0);
        if (c.bpp == 0) continue;
        EXPECT_EQ(program.files.CurrentImage.bmh->biBitCount, c.bpp);
        tw::Raster want(c.w, c.h);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) want.Set(x, y, c.shows(x, y));
        if (c.name.starts_with("jpg")) {
            ASSERT_TRUE(got->Width() == c.w && got->Height() == c.h);
            EXPECT_GT(Psnr(want, *got), 28);
        } else {
            EXPECT_EQ(*got, want);
        }
    }
}

// The reader stops at the last row of the last pass: at every small size,
// where some of the seven interlace passes are empty, no row goes missing.
TEST(ForeignFiles, PngsOfEverySmallSizeLoadWhole) {
    ScratchDir dir;
    const std::string path = dir / "small.png";
    for (const bool adam7 : {false, true})
        for (int h = 1; h <= 9; ++h)
            for (int w = 1; w <= 9; ++w) {
                SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h) + (adam7 ? " Adam7" : ""));
                FILE* fp = fopen(path.c_str(), "wb");
                ASSERT_NE(fp, nullptr);
                png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
                png_infop info = png_create_info_struct(png);
                png_init_io(png, fp);
                png_set_IHDR(png, info, w, h, 8, kGrey, adam7, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
                png_write_info(png, info);
                Bytes row(w);
                for (int pass = png_set_interlace_handling(png); pass > 0; --pass)
                    for (int y = 0; y < h; ++y) {
                        for (int x = 0; x < w; ++x) row[x] = uint8_t(1 + x * 20 + y);
                        png_write_row(png, row.data());
                    }
                png_write_end(png, info);
                png_destroy_write_struct(&png, &info);
                fclose(fp);
                OwnedImage img;
                ASSERT_EQ(LoadFile(path, &img), 0);
                ASSERT_EQ(img.d.bmh->biWidth, w);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(tw::ImageRow(img.d, y)[x], 1 + x * 20 + y) << x << "," << y;
            }
}

}  // namespace
}  // namespace tw::test
