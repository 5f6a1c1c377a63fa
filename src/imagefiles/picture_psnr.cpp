#include "imagefiles/picture_psnr.h"

#include <cmath>
#include <limits>

namespace tw {

double Psnr(const Raster& original, const Raster& changed) {
    if (original.Width() != changed.Width() || original.Height() != changed.Height() ||
        original.Empty())
        return 0;
    const std::vector<Pixel>& a = original.Pixels();
    const std::vector<Pixel>& b = changed.Pixels();
    double squares = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            const int d =
                static_cast<int>((a[i] >> shift) & 255) - static_cast<int>((b[i] >> shift) & 255);
            squares += d * d;
        }
    if (squares == 0) return std::numeric_limits<double>::infinity();
    const double mse = squares / (3.0 * static_cast<double>(a.size()));
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace tw
