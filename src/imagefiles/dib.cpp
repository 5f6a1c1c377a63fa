#include "imagefiles/dib.h"

#include <algorithm>

#include "imagefiles/file_error.h"

namespace tw {

int DibStride(int width, int bpp) {
    if (width <= 0 || width > kMaxImageSide) return 0;
    const int64_t bits = static_cast<int64_t>(width) * bpp;
    return static_cast<int>(((bits + 31) / 32) * 4);
}

bool DibSizeAllowed(int width, int height, int bpp) {
    if (bpp != 1 && bpp != 8 && bpp != 16 && bpp != 24) return false;
    const bool allowed = width > 0 && height > 0 && width <= kMaxImageSide &&
                         height <= kMaxImageSide &&
                         static_cast<int64_t>(DibStride(width, bpp)) * height <= kMaxImageBytes;
    if (!allowed) SetFileError(TooLargeReason(width, height, bpp));
    return allowed;
}

bool ReadDibShape(const BITMAPINFOHEADER* dib, DibShape* shape) {
    if (dib == nullptr || dib->biSize != sizeof(BITMAPINFOHEADER) || dib->biCompression != 0)
        return false;
    const int bpp = dib->biBitCount;
    if (!DibSizeAllowed(dib->biWidth, dib->biHeight, bpp)) return false;
    int entries = 0;
    if (bpp <= 8) {
        const uint32_t full = 1u << bpp;
        entries = static_cast<int>(dib->biClrUsed == 0 ? full : dib->biClrUsed);
        if (dib->biClrUsed > full) return false;
    } else if (dib->biClrUsed != 0) {
        return false;
    }
    shape->width = dib->biWidth;
    shape->height = dib->biHeight;
    shape->bpp = bpp;
    shape->stride = DibStride(dib->biWidth, bpp);
    shape->paletteSize = entries;
    return true;
}

bool DescribeImage(const ImageDescriptor* image, DibShape* shape) {
    if (image == nullptr || image->ibuff == nullptr || !ReadDibShape(image->bmh, shape))
        return false;
    // The pixel pointer must be where the packed layout puts it.
    const auto* expected = reinterpret_cast<const uint8_t*>(image->bmh) +
                           sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * shape->paletteSize;
    return image->ibuff == expected;
}

bool ImageMatches(const ImageDescriptor* image, int width, int height, int bpp) {
    DibShape shape;
    return DescribeImage(image, &shape) && shape.width == width && shape.height == height &&
           shape.bpp == bpp;
}

uint8_t* ImageRow(const ImageDescriptor& image, int y) {
    const int h = image.bmh->biHeight;
    return image.ibuff + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(image.buffwidth);
}

void SetPaletteEntry(ImageDescriptor* image, int i, Pixel colour) {
    if (image->palette != nullptr && i >= 0 && i < image->colors)
        image->palette[i] = PixelToQuad(colour);
}

void SetGreyscale(ImageDescriptor* image, bool grey) {
    image->imgtype = grey ? (image->imgtype | 1) : (image->imgtype & ~1);
}

void SetGreyPalette(ImageDescriptor* image) {
    const int n = image->colors;
    for (int i = 0; i < n; ++i) {
        const int v = n > 1 ? i * 255 / (n - 1) : 0;
        SetPaletteEntry(image, i, Rgb(v, v, v));
    }
    SetGreyscale(image, n == 256);
}

bool PaletteIsGreyRamp(const ImageDescriptor& image) {
    if (image.palette == nullptr || image.colors != 256) return false;
    for (int i = 0; i < 256; ++i)
        if (QuadToPixel(image.palette[i]) != Rgb(i, i, i)) return false;
    return true;
}

int RasterToImage(const Raster& raster, ImageDescriptor* out) {
    ImageDescriptor image{};
    if (allocimage(&image, raster.Width(), raster.Height(), 24) != 0) return -1;
    for (int y = 0; y < raster.Height(); ++y) {
        uint8_t* row = ImageRow(image, y);
        const Pixel* in = raster.Row(y);
        for (int x = 0; x < raster.Width(); ++x) {
            row[3 * x] = in[x] & 255;
            row[3 * x + 1] = (in[x] >> 8) & 255;
            row[3 * x + 2] = (in[x] >> 16) & 255;
        }
    }
    *out = image;
    return 0;
}

Raster ImageToRaster(const ImageDescriptor& image) { return ImageToRaster(image, kMaxImageSide, kMaxImageSide); }

Raster ImageToRaster(const ImageDescriptor& image, int maxWidth, int maxHeight) {
    DibShape s;
    if (!DescribeImage(&image, &s)) return {};
    s.width = std::clamp(maxWidth, 0, s.width);
    s.height = std::clamp(maxHeight, 0, s.height);
    Raster out(s.width, s.height);
    const RGBQUAD* pal = reinterpret_cast<const RGBQUAD*>(image.bmh + 1);
    auto lookup = [&](int index) {
        return index < s.paletteSize ? QuadToPixel(pal[index]) : Pixel{0};
    };
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* row = ImageRow(image, y);
        Pixel* dst = out.Row(y);
        for (int x = 0; x < s.width; ++x) {
            switch (s.bpp) {
            case 1: dst[x] = lookup((row[x >> 3] >> (7 - (x & 7))) & 1); break;
            case 8: dst[x] = lookup(row[x]); break;
            case 16: {
                const int hi = row[2 * x + 1];
                dst[x] = Rgb(hi, hi, hi);
                break;
            }
            default: dst[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            }
        }
    }
    return out;
}

}  // namespace tw
