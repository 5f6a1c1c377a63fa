#pragma once
// Row and pixel access to the packed DIBs behind an ImageDescriptor. Rows are
// stored bottom-up; every helper here takes top-down row numbers so that the
// codecs can think in file order.

#include <cstddef>
#include <cstdint>

#include "imagefiles/vicdef32.h"
#include "platform/raster.h"

namespace tw {

// Shape of a packed DIB, validated: only what allocimage can produce.
struct DibShape {
    int width = 0;
    int height = 0;
    int bpp = 0;
    int stride = 0;         // bytes per row, padded to 4
    int paletteSize = 0;    // RGBQUAD entries between header and pixels
};

// Bytes per padded row, or 0 when the row would not fit the limits.
int DibStride(int width, int bpp);

// True when width, height and depth are allowed and the pixels stay within
// the limits.
bool DibSizeAllowed(int width, int height, int bpp);

// Reads and checks the header of a packed DIB; false for anything the layer
// never produces.
bool ReadDibShape(const BITMAPINFOHEADER* dib, DibShape* shape);

// True when the descriptor holds a valid image.
bool DescribeImage(const ImageDescriptor* image, DibShape* shape);

// True when the descriptor holds an image of exactly this size and depth.
bool ImageMatches(const ImageDescriptor* image, int width, int height, int bpp);

// Row y counted from the top of the picture.
uint8_t* ImageRow(const ImageDescriptor& image, int y);

// 0x00RRGGBB of a palette entry.
inline Pixel QuadToPixel(const RGBQUAD& q) { return Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue); }
inline RGBQUAD PixelToQuad(Pixel p) {
    return RGBQUAD{static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8),
                   static_cast<uint8_t>(p >> 16), 0};
}

// Forgets the displayable bitmap of an image whose pixels are about to
// change; pictures made from it keep their own copy.
inline void PixelsChanging(ImageDescriptor* image) {
    if (image != nullptr) image->hBitmap.reset();
}

// Sets palette entry i (ignored when out of range).
void SetPaletteEntry(ImageDescriptor* image, int i, Pixel colour);

// Marks the image as a palette image (not grey) or as greyscale.
void SetGreyscale(ImageDescriptor* image, bool grey);

// Black and white for 1 bit, the grey ramp for 8 bits; marks an 8-bit image grey.
void SetGreyPalette(ImageDescriptor* image);

// True when the 256-entry palette is the plain grey ramp (entry i = i,i,i).
bool PaletteIsGreyRamp(const ImageDescriptor& image);

// The picture as displayable pixels: palette depths through the palette,
// 16-bit grey through its high byte. Empty for an invalid descriptor.
Raster ImageToRaster(const ImageDescriptor& image);
// Only the top-left part of the picture, at most maxWidth x maxHeight.
Raster ImageToRaster(const ImageDescriptor& image, int maxWidth, int maxHeight);

// A new 24-bit image of the raster's pixels; 0 on success.
int RasterToImage(const Raster& raster, ImageDescriptor* out);

}  // namespace tw
