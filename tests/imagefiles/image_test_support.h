#pragma once
// Helpers for the imaging-layer tests: owned images, pictures with a known
// number of colours, saving and loading by the name's extension, and
// temporary folders.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "imagefiles/mod_tw_func.h"
#include "imagefiles/vicdef32.h"
#include "platform/raster.h"

namespace twtest {

// A library image released at the end of the scope.
struct OwnedImage {
    ImageDescriptor d;
    OwnedImage() = default;
    OwnedImage(OwnedImage&& o) noexcept : d(o.d) { o.d = ImageDescriptor{}; }
    OwnedImage& operator=(OwnedImage&& o) noexcept { return std::swap(d, o.d), *this; }
    ~OwnedImage() { freeimage(&d); }
    int Bpp() const { return d.bmh ? d.bmh->biBitCount : 0; }
};

struct TempDir {
    std::filesystem::path path;
    TempDir();
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

// The program's open and save routines, with every target on one surface.
struct Program {
    struct : tw::FileDialog {
        int ShowOpen() override { return 0; }
        int ShowSave() override { return 0; }
    } dialog;
    tw::Surface surface{"CZ", "z", tw::Placement{0, 0, 100, 100}, tw::BorderStyle::Raised2, 0};
    tw::modTWFunc files;
    Program()
        : files(dialog, {[this](std::string_view) { return std::vector<tw::Surface*>{&surface}; },
                         [this](std::string_view) { return &surface; }}) {}
};

inline const char* const kFormats[] = {"bmp", "png", "tif", "gif", "jpg"};

// An image of 1, 8, 16 or 24 bits with this palette; value(x, y) gives the
// palette index, the 16-bit grey level or the 0x00RRGGBB colour.
OwnedImage ImageOf(int bpp, int w, int h, const std::vector<tw::Pixel>& palette,
                   const std::function<int(int, int)>& value);
OwnedImage Image24(const tw::Raster& picture);

// Exactly `colours` distinct colours in 8 x 8 blocks; the colour at the
// transparent position appears nowhere else, so that order mistakes show.
tw::Raster ColourSheet(int w, int h, int colours);
// Smooth gradients with noise: thousands of colours like a photo.
tw::Raster PhotoLike(int w, int h, uint32_t seed = 1);

// The save call the extension picks (JPEG at quality 75).
int SaveFile(const std::string& path, const ImageDescriptor* image);
// The load call the extension picks, into an image allocated by the caller.
int LoadInto(const std::string& path, ImageDescriptor* image);
// As the program loads: info call, allocation at the reported depth, load.
// Non-zero on any failure.
int LoadFile(const std::string& path, OwnedImage* out);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Peak signal-to-noise ratio in dB of b against a (same size).
double Psnr(const tw::Raster& a, const tw::Raster& b);

// A binary PPM (P6, 8 bits) as a raster; empty when it cannot be read.
tw::Raster ReadPpm(const std::string& path);

}  // namespace twtest
