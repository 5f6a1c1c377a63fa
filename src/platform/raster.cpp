#include "platform/raster.h"

#include <algorithm>
#include <cstring>

#include "platform/huge_pages.h"

namespace tw {

namespace {

// Sets n pixels to v: a few by hand, then the filled part copied onto the rest
// in doubling steps, so that the bulk goes at memcpy's speed (a plain fill
// loop of 32-bit stores was most of the cost of a preview redraw).
void FillPixels(Pixel* p, size_t n, Pixel v) {
    size_t filled = std::min<size_t>(n, 16);
    for (size_t i = 0; i < filled; ++i) p[i] = v;
    while (filled < n) {
        const size_t k = std::min(filled, n - filled);
        std::memcpy(p + filled, p, k * sizeof(Pixel));
        filled += k;
    }
}

}  // namespace

Raster::Raster(int width, int height, Pixel fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const size_t count = static_cast<size_t>(width_) * height_;
    // Reserved first, so that the huge-page request comes before the zeroing
    // touches the memory.
    pixels_.reserve(count);
    RequestHugePages(pixels_.data(), count * sizeof(Pixel));
    pixels_.resize(count);
    if (fill != 0) Fill(fill);
}

void Raster::Fill(Pixel p) { FillPixels(pixels_.data(), pixels_.size(), p); }

void Raster::Resize(int width, int height, Pixel fill) {
    Raster next(width, height, fill);
    const int w = std::min(width_, next.width_);
    const int h = std::min(height_, next.height_);
    for (int y = 0; y < h; ++y) std::copy_n(Row(y), w, next.Row(y));
    *this = std::move(next);
}

}  // namespace tw
