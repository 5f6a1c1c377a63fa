// GIF decoding with giflib's record interface: the first frame, composed at
// its offset onto a screen of the background colour. giflib's DGifSlurp is
// not used: it would allocate every frame at the size its header claims.

#include <gif_lib.h>

#include <cstring>
#include <memory>

#include "imagefiles/file_error.h"
#include "imagefiles/dib.h"
#include "imagefiles/input_file.h"
#include "imagefiles/vicdef32.h"

namespace {

struct GifCloser {
    void operator()(GifFileType* g) const {
        int error = 0;
        DGifCloseFile(g, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

int ReadFromFile(GifFileType* gif, GifByteType* buffer, int size) {
    return static_cast<int>(fread(buffer, 1, static_cast<size_t>(size), static_cast<FILE*>(gif->UserData)));
}

// Position of the first frame on the screen, and how it is to be drawn.
struct GifFirstFrame {
    int screenWidth = 0, screenHeight = 0;
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    const ColorMapObject* map = nullptr;  // the frame's own map wins over the global one
    int background = 0;                   // palette index of the uncovered screen
    int outBpp = 0;
};

// Reads up to and including the first image descriptor.
bool ReadFirstFrame(GifFileType* gif, GifFirstFrame* f) {
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) != GIF_OK) return false;
        if (type == TERMINATE_RECORD_TYPE) return false;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
            while (block != nullptr)
                if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) return false;
        break;
    }
    const GifImageDesc& d = gif->Image;
    if (d.Width <= 0 || d.Height <= 0 || d.Width > kMaxImageSide || d.Height > kMaxImageSide) {
        tw::SetFileError(tw::TooLargeReason(d.Width, d.Height, 8));
        return false;
    }
    f->left = d.Left, f->top = d.Top, f->width = d.Width, f->height = d.Height;
    f->interlaced = d.Interlace;
    f->screenWidth = gif->SWidth > 0 ? gif->SWidth : d.Left + d.Width;
    f->screenHeight = gif->SHeight > 0 ? gif->SHeight : d.Top + d.Height;
    f->map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
    const int count = f->map != nullptr ? f->map->ColorCount : 0;
    f->background = 0;
    if (d.ColorMap == nullptr && gif->SBackGroundColor < count) f->background = gif->SBackGroundColor;
    f->outBpp = count == 2 ? 1 : 8;
    return tw::DibSizeAllowed(f->screenWidth, f->screenHeight, f->outBpp);
}

GifPtr OpenGif(FILE* fp) {
    if (fp == nullptr) return nullptr;
    int error = 0;
    GifPtr gif(DGifOpen(fp, ReadFromFile, &error));
    if (!gif)
        tw::SetFileError(error == D_GIF_ERR_NOT_GIF_FILE ? "not a GIF file"
                         : error == D_GIF_ERR_READ_FAILED ? "the file ends too early"
                                                          : "the GIF data is damaged");
    return gif;
}

// Skips the frames after the first, counting them. A broken tail ends the
// count: only the first frame is ever shown.
int CountFrames(GifFileType* gif) {
    int frames = 1;
    GifRecordType type;
    do {
        if (DGifGetRecordType(gif, &type) != GIF_OK) return frames;
        int code = 0;
        GifByteType* block = nullptr;
        if (type == EXTENSION_RECORD_TYPE) {
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) return frames;
            while (block != nullptr)
                if (DGifGetExtensionNext(gif, &block) != GIF_OK) return frames;
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) != GIF_OK || DGifGetCode(gif, &code, &block) != GIF_OK) return frames;
            while (block != nullptr)
                if (DGifGetCodeNext(gif, &block) != GIF_OK) return frames;
            ++frames;
        }
    } while (type != TERMINATE_RECORD_TYPE);
    return frames;
}

void PutIndex(const ImageDescriptor& image, int bpp, int x, int y, int index) {
    uint8_t* row = tw::ImageRow(image, y);
    if (bpp == 8) {
        row[x] = static_cast<uint8_t>(index);
    } else {
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        row[x >> 3] = (index == 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
    }
}

bool DecodeFrame(GifFileType* gif, const GifFirstFrame& f, ImageDescriptor* image) {
    const int fill = f.outBpp == 8 ? f.background : (f.background == 1 ? 0xFF : 0x00);
    for (int y = 0; y < f.screenHeight; ++y) std::memset(tw::ImageRow(*image, y), fill, image->buffwidth);
    std::vector<GifPixelType> line(static_cast<size_t>(f.width));
    // Interlaced frames send every 8th row from 0, every 8th from 4, every
    // 4th from 2, then every 2nd from 1.
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = f.interlaced ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = f.interlaced ? kStart[pass] : 0, step = f.interlaced ? kStep[pass] : 1;
        for (int row = start; row < f.height; row += step) {
            if (DGifGetLine(gif, line.data(), f.width) != GIF_OK) return false;
            const int y = f.top + row;
            if (y >= f.screenHeight) continue;
            for (int i = 0; i < f.width && f.left + i < f.screenWidth; ++i)
                PutIndex(*image, f.outBpp, f.left + i, y, line[i]);
        }
    }
    if (f.map == nullptr) {
        tw::SetGreyPalette(image);
        return true;
    }
    for (int i = 0; i < image->colors; ++i) {
        const GifColorType* c = i < f.map->ColorCount ? &f.map->Colors[i] : nullptr;
        tw::SetPaletteEntry(image, i, c ? tw::Rgb(c->Red, c->Green, c->Blue) : 0);
    }
    tw::SetGreyscale(image, tw::PaletteIsGreyRamp(*image));
    return true;
}

}  // namespace

int gifinfo(const char* fname, GifInfo* info) {
    tw::FilePtr file = tw::OpenInputFile(fname);
    GifPtr gif = OpenGif(file.get());
    GifFirstFrame f;
    if (info == nullptr || !gif || !ReadFirstFrame(gif.get(), &f)) return -1;
    GifInfo out{};
    out.width = f.screenWidth;
    out.length = f.screenHeight;
    out.begx = f.left;
    out.begy = f.top;
    out.bkcolor = gif->SBackGroundColor;
    out.interlace = f.interlaced ? 1 : 0;
    out.colors = f.map != nullptr ? f.map->ColorCount : 0;
    out.vbitcount = f.outBpp;
    // The first frame's data, then the rest, to count the frames.
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif.get(), &code, &block) != GIF_OK) return -2;
    while (block != nullptr)
        if (DGifGetCodeNext(gif.get(), &block) != GIF_OK) return -2;
    out.frames = CountFrames(gif.get());
    *info = out;
    return 0;
}

int loadgif(const char* fname, ImageDescriptor* image) {
    tw::FilePtr file = tw::OpenInputFile(fname);
    GifPtr gif = OpenGif(file.get());
    GifFirstFrame f;
    if (!gif || !ReadFirstFrame(gif.get(), &f)) return -1;
    if (!tw::ImageMatches(image, f.screenWidth, f.screenHeight, f.outBpp)) return -2;
    tw::PixelsChanging(image);
    if (DecodeFrame(gif.get(), f, image)) return 0;
    tw::SetFileError("the file ends too early or its data is damaged");
    return -3;
}
