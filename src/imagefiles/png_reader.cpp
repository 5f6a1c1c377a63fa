// PNG decoding with libpng's progressive reader, straight into the DIB rows.
// libpng reports errors by longjmp, so everything between png_create and
// png_destroy lives in ReadPngStream and its callbacks, which hold no C++
// objects.

#include <png.h>

#include <cerrno>
#include <csetjmp>

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/input_file.h"
#include "imagefiles/png_stream.h"
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

// What the progressive reader's callbacks share with ReadPngStream.
struct PngRead {
    PngProbe* probe;
    ImageDescriptor* image;  // null when only the header is wanted
    // Set by the callbacks and read after the jump back, hence volatile.
    volatile int result = 0;
    volatile bool finished = false;  // nothing more is needed from the file
    int lastPass = 0;
};

// Ends the reading at once: libpng's error path takes us straight back to
// ReadPngStream, so nothing after this point is inflated.
void Finish(png_structp png, PngRead* r, int result) {
    r->result = result;
    r->finished = true;
    png_error(png, "done");
}

void OnHeader(png_structp png, png_infop info) {
    auto* r = static_cast<PngRead*>(png_get_progressive_ptr(png));
    PngProbe* probe = r->probe;
    probe->width = png_get_image_width(png, info);
    probe->height = png_get_image_height(png, info);
    probe->bitDepth = png_get_bit_depth(png, info);
    probe->colorType = png_get_color_type(png, info);
    probe->interlace = png_get_interlace_type(png, info);
    png_colorp entries = nullptr;
    probe->palColors = 0;
    png_get_PLTE(png, info, &entries, &probe->palColors);
    probe->outBpp = DeliveredDepth(probe->colorType, probe->bitDepth);
    const int w = static_cast<int>(probe->width), h = static_cast<int>(probe->height);
    if (!tw::DibSizeAllowed(w, h, probe->outBpp)) return Finish(png, r, -4);
    if (r->image == nullptr) return Finish(png, r, 0);
    if (!tw::ImageMatches(r->image, w, h, probe->outBpp)) return Finish(png, r, -5);
    SetTransforms(png, *probe);
    // With interlace handling every pass delivers every row of the picture
    // (unchanged ones as null), so the last row of the last pass ends it.
    r->lastPass = png_set_interlace_handling(png) - 1;
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) > static_cast<size_t>(r->image->buffwidth)) return Finish(png, r, -6);
    if (probe->colorType == PNG_COLOR_TYPE_PALETTE) CopyPalette(png, info, r->image);
    else if (probe->outBpp != 24) tw::SetGreyPalette(r->image);
}

void OnRow(png_structp png, png_bytep row, png_uint_32 y, int pass) {
    auto* r = static_cast<PngRead*>(png_get_progressive_ptr(png));
    if (y >= r->probe->height) return;
    // An interlaced pass refines the row the passes before it delivered.
    if (row != nullptr) png_progressive_combine_row(png, tw::ImageRow(*r->image, static_cast<int>(y)), row);
    // The picture is complete: whatever follows its last row, however much,
    // is never inflated.
    if (pass == r->lastPass && y + 1 == r->probe->height) Finish(png, r, 0);
}

void OnEnd(png_structp png, png_infop) {
    auto* r = static_cast<PngRead*>(png_get_progressive_ptr(png));
    // The image data ended before its last row.
    Finish(png, r, -3);
}

int EndsEarly(FILE* fp) {
    tw::SetFileError(ferror(fp) ? tw::ErrnoReason(EIO, false) : "the file ends too early");
    return -3;
}

// Reads the header into `probe`, and with an image also the pixels. The file
// is fed to libpng's progressive reader a block at a time, and feeding stops
// as soon as the picture is complete.
int ReadPngStream(FILE* fp, PngProbe* probe, ImageDescriptor* image) {
    png_byte block[16384];
    if (fp == nullptr) return -1;
    if (fread(block, 1, 8, fp) != 8 || png_sig_cmp(block, 0, 8) != 0) {
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
    PngRead read{probe, image};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (read.finished) return read.result == -3 ? EndsEarly(fp) : read.result;
        // A file that merely ends early leaves libpng waiting for more, so
        // an error here is always damaged data.
        tw::SetFileError("the PNG data is damaged");
        return -3;
    }
    // The size is checked against our own limits once the header is read, so
    // that the user learns what size the file claims.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, 8u << 20);
    // Only the image chunks matter. Skipping every other known chunk also
    // keeps a text chunk that claims a gigabyte from being buffered.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_progressive_read_fn(png, &read, OnHeader, OnRow, OnEnd);
    png_process_data(png, info, block, 8);
    while (!read.finished) {
        const size_t got = fread(block, 1, sizeof block, fp);
        if (got == 0) break;
        png_process_data(png, info, block, got);
    }
    // The file ran out before the picture was complete.
    png_destroy_read_struct(&png, &info, nullptr);
    return EndsEarly(fp);
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

namespace tw {

std::optional<Raster> ReadSheetPng(FILE* in, int width, int height) {
    PngProbe p;
    if (ReadPngStream(in, &p, nullptr) != 0 || p.width != static_cast<png_uint_32>(width) ||
        p.height != static_cast<png_uint_32>(height) || fseek(in, 0, SEEK_SET) != 0)
        return std::nullopt;
    ImageDescriptor image{};
    if (allocimage(&image, width, height, p.outBpp) != 0) return std::nullopt;
    PixelsChanging(&image);
    std::optional<Raster> sheet;
    if (ReadPngStream(in, &p, &image) == 0) sheet = ImageToRaster(image);
    freeimage(&image);
    return sheet;
}

}  // namespace tw
