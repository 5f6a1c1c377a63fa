#include "editors/page.h"

namespace tw {

void Page::Paste(const Raster& argb) {
    const Pixel transparent = sheet_.TransparentColour();
    Raster picture(argb.Width(), argb.Height());
    for (int y = 0; y < argb.Height(); ++y)
        for (int x = 0; x < argb.Width(); ++x) {
            const Pixel p = argb.At(x, y);
            picture.Set(x, y, (p >> 24) < 128 ? transparent : p & 0xFFFFFFu);
        }
    cells_.TakeBlock(picture);
}

}  // namespace tw
