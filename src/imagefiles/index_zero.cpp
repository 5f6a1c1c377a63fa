#include "imagefiles/index_zero.h"

#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace tw {

std::optional<IndexZero> IndexZeroOf(const ImageDescriptor& image) {
    DibShape s;
    if (!DescribeImage(&image, &s) || (s.bpp != 8 && s.bpp != 1) || !image.palette ||
        image.colors < 1)
        return std::nullopt;
    if (image.imgtype & 1) return std::nullopt;  // a grey ramp
    const Pixel zero = QuadToPixel(image.palette[0]);
    if (s.bpp == 1 && zero == 0 && image.colors >= 2 && QuadToPixel(image.palette[1]) == 0xFFFFFF)
        return std::nullopt;  // plain black and white
    // Which other entries repeat it; a repeat only matters where a pixel uses it.
    bool same[256] = {};
    bool any = false;
    for (int i = 1; i < image.colors && i < 256; ++i)
        any |= same[i] = QuadToPixel(image.palette[i]) == zero;
    bool repeated = false;
    for (int y = 0; any && !repeated && y < s.height; ++y) {
        const uint8_t* row = ImageRow(image, y);
        for (int x = 0; x < s.width && !repeated; ++x) {
            const int index = s.bpp == 8 ? row[x] : (row[x >> 3] >> (7 - (x & 7))) & 1;
            repeated = same[index];
        }
    }
    return IndexZero{zero, repeated};
}

}  // namespace tw
