// PNG encoding: an 8-bit palette file when the picture has at most 256
// colours (transparent colour first), 24-bit RGB otherwise. Palette files
// always use 8 bits per pixel, even for a handful of colours: that is the
// depth the engine's palette pictures have. libpng reports errors by longjmp,
// so WritePngStream holds no C++ objects.

#include <png.h>

#include <csetjmp>

#include "imagefiles/atomic_file.h"
#include "imagefiles/dib.h"
#include "imagefiles/indexed_picture.h"
#include "imagefiles/png_stream.h"
#include "imagefiles/vicdef32.h"

namespace {

void FailPng(png_structp png, png_const_charp /*message*/) { longjmp(png_jmpbuf(png), 1); }
void IgnorePngWarning(png_structp, png_const_charp) {}

// `palette` null: rows are RGB; else rows are indices into `entries` colours.
bool WritePngStream(FILE* out, int width, int height, png_bytepp rows, const png_color* palette, int entries) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailPng, IgnorePngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (palette) png_set_PLTE(png, info, palette, entries);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WritePng(FILE* out, const tw::Raster& picture, bool paletteAllowed, tw::Pixel transparent) {
    const int w = picture.Width(), h = picture.Height();
    const auto indexed = paletteAllowed ? tw::ExactPalette(picture, 256, transparent)
                                        : std::optional<tw::IndexedPicture>();
    std::vector<png_color> palette;
    std::vector<uint8_t> pixels;
    if (indexed) {
        for (tw::Pixel c : indexed->palette)
            palette.push_back(png_color{png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
        pixels = indexed->indices;
    } else {
        pixels.reserve(picture.Pixels().size() * 3);
        for (tw::Pixel c : picture.Pixels()) {
            pixels.push_back(static_cast<uint8_t>(c >> 16));
            pixels.push_back(static_cast<uint8_t>(c >> 8));
            pixels.push_back(static_cast<uint8_t>(c));
        }
    }
    const size_t rowBytes = static_cast<size_t>(w) * (indexed ? 1 : 3);
    std::vector<png_bytep> rows;
    for (int y = 0; y < h; ++y) rows.push_back(pixels.data() + rowBytes * y);
    return WritePngStream(out, w, h, rows.data(), indexed ? palette.data() : nullptr,
                          static_cast<int>(palette.size()));
}

}  // namespace

int savepng(const char* fname, const ImageDescriptor* image, int option) {
    tw::DibShape shape;
    if (!tw::DescribeImage(image, &shape)) return -1;
    tw::AtomicFile file(fname);
    if (!file.Ok()) return -2;
    const tw::Raster picture = tw::ImageToRaster(*image);
    if (!WritePng(file.Stream(), picture, option != kSaveFullDepth,
                  tw::TransparentColourFor(*image, picture)))
        return -3;
    return file.Commit() ? 0 : -4;
}

namespace tw {

bool WriteSheetPng(FILE* out, const Raster& sheet) {
    return WritePng(out, sheet, true, TransparentColour(sheet)) && fflush(out) == 0 && ferror(out) == 0;
}

}  // namespace tw
