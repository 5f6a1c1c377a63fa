#include "imagefiles/colour_count.h"

#include <algorithm>
#include <vector>

namespace tw {

int CountColours(const Raster& picture) {
    if (picture.Empty()) return 0;
    // Sorting a copy beats a hash set on sheets this size and allocates once.
    std::vector<Pixel> pixels = picture.Pixels();
    for (Pixel& p : pixels) p &= 0xFFFFFFu;
    std::sort(pixels.begin(), pixels.end());
    return static_cast<int>(std::unique(pixels.begin(), pixels.end()) - pixels.begin());
}

}  // namespace tw
