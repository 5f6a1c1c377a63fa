// PNG decoding with libpng's row interface, straight into the DIB rows.
// libpng reports errors by longjmp, so everything between png_create and
// png_destroy lives in ReadPngStream, which holds no C++ objects.

#include <png.h>

#include <csetjmp>

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/input_file.h"
#include "imagefiles/vicdef32.h"

namespace {

struct PngProbe {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0, palColors = 0;
    int outBpp = 0;
};

void FailPng(png_structp png, png_const_charp /*message*/) { longjmp(png_jmpbuf(png), 1); }
void IgnorePngWarning(png_structp, png_const_charp) {}

// Colour and grey pictures deliver 24 and 8 bits; one-bit pictures stay packed.
int DeliveredDepth(int colorType, int bitDepth) {
    if (colorType & PNG_COLOR_MASK_COLOR && colorType != PNG_COLOR_TYPE_PALETTE) return 24;
    return bitDepth == 1 && !(colorType & PNG_COLOR_MASK_ALPHA) ? 1 : 8;
}

// The transformations that make libpng produce the delivered layout.
void SetTransforms(png_structp png, const PngProbe& p) {
    if (p.bitDepth == 16) png_set_strip_16(png);  // keeps the high byte
    if (p.colorType & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png);
    if (p.outBpp == 8 && p.bitDepth < 8) {
        if (p.colorType == PNG_COLOR_TYPE_PALETTE) png_set_packing(png);
        else png_set_expand_gray_1_2_4_to_8(png);
    }
    if (p.outBpp == 24) png_set_bgr(png);
}

void CopyPalette(png_structp png, png_infop info, ImageDescriptor* image) {
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &entries, &count)) count = 0;
    for (int i = 0; i < image->colors; ++i) {
        const tw::Pixel c = i < count ? tw::Rgb(entries[i].red, entries[i].green, entries[i].blue) : 0;
        tw::SetPaletteEntry(image, i, c);
    }
    tw::SetGreyscale(image, false);
}

// Reads the header into `probe`, and with an image also the pixels.
int ReadPngStream(FILE* fp, PngProbe* probe, ImageDescriptor* image) {
    png_byte signature[8];
    if (fp == nullptr) return -1;
    if (fread(signature, 1, 8, fp) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        tw::SetFileError("not a PNG file");
        return -1;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailPng, IgnorePngWarning);
    if (png == nullptr) return -2;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return -2;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        tw::SetFileError(feof(fp) ? "the file ends too early" : "the PNG data is damaged");
        return -3;
    }
    // The size is checked against our own limits once the header is read, so
    // that the user learns what size the file claims.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, 8u << 20);
    // Only the image chunks matter. Skipping every other known chunk also
    // keeps a text chunk that claims a gigabyte from being buffered.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_init_io(png, fp);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    probe->width = png_get_image_width(png, info);
    probe->height = png_get_image_height(png, info);
    probe->bitDepth = png_get_bit_depth(png, info);
    probe->colorType = png_get_color_type(png, info);
    probe->interlace = png_get_interlace_type(png, info);
    png_colorp entries = nullptr;
    probe->palColors = 0;
    png_get_PLTE(png, info, &entries, &probe->palColors);
    probe->outBpp = DeliveredDepth(probe->colorType, probe->bitDepth);
    int result = 0;
    if (!tw::DibSizeAllowed(static_cast<int>(probe->width), static_cast<int>(probe->height), probe->outBpp)) {
        result = -4;
    } else if (image != nullptr) {
        if (!tw::ImageMatches(image, static_cast<int>(probe->width), static_cast<int>(probe->height),
                              probe->outBpp)) {
            result = -5;
        } else {
            SetTransforms(png, *probe);
            const int passes = png_set_interlace_handling(png);
            png_read_update_info(png, info);
            if (png_get_rowbytes(png, info) > static_cast<size_t>(image->buffwidth)) {
                result = -6;
            } else {
                // Interlaced pictures: each pass refines the rows read before.
                for (int pass = 0; pass < passes; ++pass)
                    for (png_uint_32 y = 0; y < probe->height; ++y)
                        png_read_row(png, tw::ImageRow(*image, static_cast<int>(y)), nullptr);
                // The rows are all there is to read: whatever follows the
                // image data (however much) is never inflated.
                if (probe->colorType == PNG_COLOR_TYPE_PALETTE) CopyPalette(png, info, image);
                else if (probe->outBpp != 24) tw::SetGreyPalette(image);
            }
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

int ReadPngFile(const char* fname, PngProbe* probe, ImageDescriptor* image) {
    tw::FilePtr file = tw::OpenInputFile(fname);
    return ReadPngStream(file.get(), probe, image);
}

}  // namespace

int pnginfo(const char* fname, PngInfo* info) {
    PngProbe p;
    if (info == nullptr || ReadPngFile(fname, &p, nullptr) != 0) return -1;
    *info = PngInfo{static_cast<int32_t>(p.width), static_cast<int32_t>(p.height), p.bitDepth, p.outBpp,
                    p.colorType, p.interlace, p.palColors};
    return 0;
}

int loadpng(const char* fname, ImageDescriptor* image) {
    PngProbe p;
    tw::PixelsChanging(image);
    return ReadPngFile(fname, &p, image) == 0 ? 0 : -1;
}
