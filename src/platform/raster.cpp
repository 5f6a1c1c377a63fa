#include "platform/raster.h"

#include <algorithm>

namespace tw {

Raster::Raster(int width, int height, Pixel fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

void Raster::Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Raster::Resize(int width, int height, Pixel fill) {
    Raster next(width, height, fill);
    const int w = std::min(width_, next.width_);
    const int h = std::min(height_, next.height_);
    for (int y = 0; y < h; ++y) std::copy_n(Row(y), w, next.Row(y));
    *this = std::move(next);
}

}  // namespace tw
