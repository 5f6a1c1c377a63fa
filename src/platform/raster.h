#pragma once
// A block of 0x00RRGGBB pixels, rows top-down: the pixel store behind every
// surface, buffer and picture.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

using Pixel = uint32_t;

constexpr Pixel Rgb(int r, int g, int b) {
    return (static_cast<Pixel>(r & 255) << 16) | (static_cast<Pixel>(g & 255) << 8) |
           static_cast<Pixel>(b & 255);
}

class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Pixel fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Pixel At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, Pixel p) { pixels_[static_cast<size_t>(y) * width_ + x] = p; }
    Pixel* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const Pixel* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const std::vector<Pixel>& Pixels() const { return pixels_; }

    void Fill(Pixel p);
    // Resizes keeping the top-left content; new area takes `fill`.
    void Resize(int width, int height, Pixel fill);

    bool operator==(const Raster& o) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace tw
