// Allocation, release, sharing and display conversion of library images.

#include <cstdlib>
#include <cstring>

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/vicdef32.h"
#include "platform/huge_pages.h"

namespace {

// Points the descriptor's fields into a packed DIB that it now owns.
void AdoptDib(BITMAPINFOHEADER* dib, const tw::DibShape& s, ImageDescriptor* image) {
    *image = ImageDescriptor{};
    image->bmh = dib;
    image->palette = s.paletteSize > 0 ? reinterpret_cast<RGBQUAD*>(dib + 1) : nullptr;
    image->colors = s.paletteSize;
    image->ibuff = reinterpret_cast<uint8_t*>(dib + 1) + sizeof(RGBQUAD) * s.paletteSize;
    image->stx = 0;
    image->sty = 0;
    image->endx = s.width - 1;
    image->endy = s.height - 1;
    image->buffwidth = s.stride;
    const bool grey = s.bpp == 16 || (s.bpp == 8 && tw::PaletteIsGreyRamp(*image));
    tw::SetGreyscale(image, grey);
}

size_t DibBytes(const tw::DibShape& s) {
    return sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * s.paletteSize +
           static_cast<size_t>(s.stride) * s.height;
}

// A zeroed block. A large one asks for huge pages before it is zeroed: the
// decoders write every byte of it anyway, so zeroing now costs no extra
// page faults, and huge pages make those faults far fewer.
void* ZeroedBlock(size_t bytes) {
    if (bytes < tw::kHugePageWorthwhile) return std::calloc(1, bytes);
    void* block = std::malloc(bytes);
    if (block == nullptr) return nullptr;
    tw::RequestHugePages(block, bytes);
    std::memset(block, 0, bytes);
    return block;
}

}  // namespace

int allocimage(ImageDescriptor* image, int width, int height, int bppixel) {
    if (image == nullptr || !tw::DibSizeAllowed(width, height, bppixel)) return -1;
    tw::DibShape s;
    s.width = width;
    s.height = height;
    s.bpp = bppixel;
    s.stride = tw::DibStride(width, bppixel);
    s.paletteSize = bppixel == 1 ? 2 : bppixel == 8 ? 256 : 0;
    auto* dib = static_cast<BITMAPINFOHEADER*>(ZeroedBlock(DibBytes(s)));
    if (dib == nullptr) {
        tw::SetFileError(tw::NoMemoryReason(width, height));
        return -2;
    }
    dib->biSize = sizeof(BITMAPINFOHEADER);
    dib->biWidth = width;
    dib->biHeight = height;
    dib->biPlanes = 1;
    dib->biBitCount = static_cast<uint16_t>(bppixel);
    dib->biSizeImage = static_cast<uint32_t>(s.stride) * static_cast<uint32_t>(height);
    dib->biXPelsPerMeter = 2835;  // 72 dpi
    dib->biYPelsPerMeter = 2835;
    dib->biClrUsed = static_cast<uint32_t>(s.paletteSize);
    auto* pal = reinterpret_cast<RGBQUAD*>(dib + 1);
    if (bppixel == 1) {
        pal[0] = tw::PixelToQuad(0x000000);
        pal[1] = tw::PixelToQuad(0xFFFFFF);
    } else if (bppixel == 8) {
        for (int i = 0; i < 256; ++i) pal[i] = tw::PixelToQuad(tw::Rgb(i, i, i));
    }
    AdoptDib(dib, s, image);
    return 0;
}

void freeimage(ImageDescriptor* image) {
    if (image == nullptr) return;
    std::free(image->bmh);
    *image = ImageDescriptor{};
}

void copyimgdes(const ImageDescriptor* src, ImageDescriptor* dst) {
    if (src == nullptr || dst == nullptr || src == dst) return;
    *dst = *src;
}

int dibtoimage(const BITMAPINFOHEADER* dib, ImageDescriptor* image) {
    tw::DibShape s;
    if (image == nullptr || !tw::ReadDibShape(dib, &s)) return -1;
    const size_t bytes = DibBytes(s);
    auto* copy = static_cast<BITMAPINFOHEADER*>(std::malloc(bytes));
    if (copy == nullptr) return -2;
    std::memcpy(copy, dib, bytes);
    ImageDescriptor made;
    AdoptDib(copy, s, &made);
    made.hBitmap = std::make_shared<const tw::Raster>(tw::ImageToRaster(made));
    *image = std::move(made);
    return 0;
}
