#include "imagefiles/transparent_pixel.h"

namespace tw {

PixelPosition TransparentPixelPosition(int width, int height) {
    // A chipset keeps its transparent colour in the first tile of the lower
    // tile block; a systemset in its colour key cell. Charsets, facesets and
    // battle sets start with it in the top-left corner.
    if (width == 480 && height == 256) return {288, 128};
    if (width == 160 && height == 80) return {128, 0};
    return {0, 0};
}

}  // namespace tw
