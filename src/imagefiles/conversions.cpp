// Depth conversions between library images of the same size.

#include "imagefiles/colour_reduction.h"
#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace {

bool SameSize(const tw::DibShape& a, const tw::DibShape& b) {
    return a.width == b.width && a.height == b.height;
}

// Fills all 256 entries: the given colours, then colours none of them repeat.
void WritePalette(ImageDescriptor* image, std::vector<tw::Pixel> colours) {
    tw::PadPalette(&colours, 256);
    for (int i = 0; i < 256; ++i) tw::SetPaletteEntry(image, i, colours[i]);
    tw::SetGreyscale(image, tw::PaletteIsGreyRamp(*image));
}

}  // namespace

int convertgray16to8(const ImageDescriptor* src, ImageDescriptor* dst) {
    tw::DibShape s, d;
    if (!tw::DescribeImage(src, &s) || !tw::DescribeImage(dst, &d) || s.bpp != 16 || d.bpp != 8 ||
        !SameSize(s, d))
        return -1;
    tw::PixelsChanging(dst);
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* in = tw::ImageRow(*src, y);
        uint8_t* out = tw::ImageRow(*dst, y);
        for (int x = 0; x < s.width; ++x) out[x] = in[2 * x + 1];  // little-endian high byte
    }
    for (int i = 0; i < 256; ++i) tw::SetPaletteEntry(dst, i, tw::Rgb(i, i, i));
    tw::SetGreyscale(dst, true);
    return 0;
}

int convert1bitto8bit(const ImageDescriptor* src, ImageDescriptor* dst) {
    tw::DibShape s, d;
    if (!tw::DescribeImage(src, &s) || !tw::DescribeImage(dst, &d) || s.bpp != 1 || d.bpp != 8 ||
        !SameSize(s, d))
        return -1;
    tw::PixelsChanging(dst);
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* in = tw::ImageRow(*src, y);
        uint8_t* out = tw::ImageRow(*dst, y);
        for (int x = 0; x < s.width; ++x) out[x] = (in[x >> 3] >> (7 - (x & 7))) & 1;
    }
    std::vector<tw::Pixel> colours;
    for (int i = 0; i < 2; ++i)
        colours.push_back(i < s.paletteSize ? tw::QuadToPixel(src->palette[i]) : tw::Pixel{0});
    WritePalette(dst, colours);
    return 0;
}

int convertrgbtopalex(int colors, const ImageDescriptor* src, ImageDescriptor* dst, int /*method*/) {
    tw::DibShape s, d;
    if (!tw::DescribeImage(src, &s) || !tw::DescribeImage(dst, &d) || d.bpp != 8 ||
        !SameSize(s, d))
        return -1;
    tw::PixelsChanging(dst);
    const tw::Raster pixels = tw::ImageToRaster(*src);
    const auto reduced =
        tw::ReduceColours(pixels, colors, {.transparent = tw::TransparentColourFor(*src, pixels)});
    if (!reduced) return -2;
    // The palette image goes on to its encoder with the same colour at index 0.
    dst->transparent = src->transparent;
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* in = reduced->indices.data() + static_cast<size_t>(y) * s.width;
        std::copy(in, in + s.width, tw::ImageRow(*dst, y));
    }
    WritePalette(dst, reduced->palette);
    return 0;
}
