#pragma once
// vicdef32: the imaging layer. Every operation returns 0 for success and
// non-zero for failure; callers test only for 0. Images live as packed
// device-independent bitmaps: a 40-byte BITMAPINFOHEADER, then the palette
// (RGBQUAD entries), then the pixel rows bottom-up, each padded to 4 bytes.
// Depths: 1 (two-entry palette), 8 (palette or grey ramp), 16 (grey, only on
// the TIFF path; one little-endian uint16 per pixel) and 24 (B, G, R).

#include <cstdint>
#include <memory>

namespace tw {
class Raster;
}

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

struct RGBQUAD {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(RGBQUAD) == 4);

// Width at byte 0, height at byte 4, bits per pixel at byte 32.
struct GifInfo {
    int32_t width;
    int32_t length;
    int32_t begx;
    int32_t begy;
    int32_t bkcolor;
    int32_t interlace;
    int32_t frames;
    int32_t colors;
    int32_t vbitcount;
};
static_assert(sizeof(GifInfo) == 36);

// Width at byte 4, height at byte 8, bits per pixel at byte 36.
struct JpegInfo {
    int32_t comps;
    int32_t width;
    int32_t length;
    int32_t precision;
    int32_t progressive;
    int32_t sampfactor;
    int32_t densunit;
    int32_t xdensity;
    int32_t ydensity;
    int32_t vbitcount;
};
static_assert(sizeof(JpegInfo) == 40);

// Width at byte 0, height at byte 4, bits per pixel at byte 12.
struct PngInfo {
    int32_t width;
    int32_t length;
    int32_t bitDepth;
    int32_t vbitcount;
    int32_t colorType;
    int32_t interlace;
    int32_t palColors;
};

// Width at byte 4, height at byte 8, bits per sample at byte 12, samples per
// pixel at byte 20, bits per pixel at byte 32.
struct TiffInfo {
    int32_t byteorder;
    int32_t width;
    int32_t length;
    int32_t bitsPerSample;
    int32_t comp;
    int32_t samplesPerPixel;
    int32_t photoInt;
    int32_t planarConfig;
    int32_t vbitcount;
};
static_assert(sizeof(TiffInfo) == 36);

// Width at byte 0, height at byte 4, bits per pixel (always 8) at byte 8.
struct XyzInfo {
    int32_t width;
    int32_t length;
    int32_t vbitcount;
};

// The library's image record: eleven fields, and the colour a palette save puts
// at index 0. The program reads bmh (the packed DIB) and hBitmap (the
// displayable bitmap, empty if none). A value-initialised descriptor holds no
// image.
struct ImageDescriptor {
    uint8_t* ibuff = nullptr;    // first byte of the pixel rows (bottom row first)
    int32_t stx = 0, sty = 0;    // work area, inclusive
    int32_t endx = 0, endy = 0;
    int32_t buffwidth = 0;       // bytes per row, padded to 4
    RGBQUAD* palette = nullptr;  // palette entries inside the DIB, or null
    int32_t colors = 0;          // palette entries
    int32_t imgtype = 0;         // bit 0: greyscale
    BITMAPINFOHEADER* bmh = nullptr;               // the packed DIB, owned by the library
    std::shared_ptr<const tw::Raster> hBitmap;     // 0x00RRGGBB pixels, top-down
    // 0x00RRGGBB: the colour the engine shall hide, written at index 0 of a
    // palette save; -1: the colour at the sheet's transparent pixel.
    int32_t transparent = -1;
};

// The largest picture any decoder or allocimage accepts.
constexpr int32_t kMaxImageSide = 16384;
constexpr int64_t kMaxImageBytes = 256LL * 1024 * 1024;

int bmpinfo(const char* fname, BITMAPINFOHEADER* info);
int gifinfo(const char* fname, GifInfo* info);
int jpeginfo(const char* fname, JpegInfo* info);
int pnginfo(const char* fname, PngInfo* info);
int tiffinfopagebyindex(const char* fname, TiffInfo* info, int page);
int xyzinfo(const char* fname, XyzInfo* info);

int allocimage(ImageDescriptor* image, int width, int height, int bppixel);
int loadbmp(const char* fname, ImageDescriptor* image);
int loadgif(const char* fname, ImageDescriptor* image);
int loadjpg(const char* fname, ImageDescriptor* image);
int loadpng(const char* fname, ImageDescriptor* image);
int loadtifpagebyindex(const char* fname, ImageDescriptor* image, int page);
// Delivers an 8-bit palette image; index 0 is the transparent colour.
int loadxyz(const char* fname, ImageDescriptor* image);

int convertgray16to8(const ImageDescriptor* src, ImageDescriptor* dst);
int convert1bitto8bit(const ImageDescriptor* src, ImageDescriptor* dst);
int convertrgbtopalex(int colors, const ImageDescriptor* src, ImageDescriptor* dst, int method);

void freeimage(ImageDescriptor* image);
void copyimgdes(const ImageDescriptor* src, ImageDescriptor* dst);
int dibtoimage(const BITMAPINFOHEADER* dib, ImageDescriptor* image);

// savebmp and savepng, option 0: an 8-bit palette file whenever the picture
// has at most 256 colours (the sheet's transparent colour at index 0), else 24
// bits. kSaveFullDepth: always 24 bits.
constexpr int kSaveFullDepth = 1;
int savebmp(const char* fname, const ImageDescriptor* image, int option);
int savetif(const char* fname, const ImageDescriptor* image, int option);
int savepng(const char* fname, const ImageDescriptor* image, int option);
int savejpg(const char* fname, const ImageDescriptor* image, int quality);
int savegif(const char* fname, const ImageDescriptor* image);
// Always 256 palette entries, the sheet's transparent colour at index 0 and
// nowhere else; more than 256 colours are reduced as for GIF, and `reduced`
// (when given) says whether they were.
int savexyz(const char* fname, const ImageDescriptor* image, bool* reduced = nullptr);
