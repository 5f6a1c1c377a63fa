#pragma once
// Helpers for the imaging-layer tests: owned images, pictures with a known
// number of colours, loading a file the way the program does, and temporary
// folders.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "imagefiles/vicdef32.h"
#include "platform/raster.h"

namespace twtest {

// A library image released at the end of the scope.
struct OwnedImage {
    ImageDescriptor d;
    OwnedImage() = default;
    OwnedImage(const OwnedImage&) = delete;
    OwnedImage& operator=(const OwnedImage&) = delete;
    OwnedImage(OwnedImage&& o) noexcept : d(o.d) { o.d = ImageDescriptor{}; }
    OwnedImage& operator=(OwnedImage&& o) noexcept {
        std::swap(d, o.d);
        return *this;
    }
    ~OwnedImage() { freeimage(&d); }
    int Bpp() const { return d.bmh ? d.bmh->biBitCount : 0; }
};

class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A 24-bit image of the picture.
OwnedImage Image24(const tw::Raster& picture);
// An 8-bit image with this palette; index(x, y) picks the entry.
OwnedImage Image8(const std::vector<tw::Pixel>& palette, const std::function<int(int, int)>& index);
// A 1-bit image with two colours; bit(x, y) picks one.
OwnedImage Image1(tw::Pixel zero, tw::Pixel one, const std::function<int(int, int)>& bit);
// A 16-bit grey image; level(x, y) gives the 16-bit value.
OwnedImage Image16(int w, int h, const std::function<int(int, int)>& level);

// A sheet with exactly `colours` distinct colours in blocks, the colour at
// the transparent position being one that appears nowhere else in the first
// row, so that order mistakes show.
tw::Raster ColourSheet(int w, int h, int colours);
// Smooth gradients with noise: thousands of colours like a photo.
tw::Raster PhotoLike(int w, int h, uint32_t seed = 1);

// Loads by the name's extension as the program does: info call, allocation
// at the reported depth, load. Non-zero on
// any failure.
int LoadFile(const std::string& path, OwnedImage* out, int page = 0);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Peak signal-to-noise ratio in dB of b against a (same size).
double Psnr(const tw::Raster& a, const tw::Raster& b);

}  // namespace twtest
