#include "editors/page.h"

namespace tw {

void Page::Paste(const Raster& argb) {
    const Raster& sheet = cells_.Target().View();
    const PixelPosition t = info_.transparent;
    const Pixel transparent = sheet.Contains(t.x, t.y) ? sheet.At(t.x, t.y) : 0;
    Raster picture(argb.Width(), argb.Height());
    for (int y = 0; y < argb.Height(); ++y)
        for (int x = 0; x < argb.Width(); ++x) {
            const Pixel p = argb.At(x, y);
            picture.Set(x, y, (p >> 24) < 128 ? transparent : p & 0xFFFFFFu);
        }
    cells_.TakeBlock(picture);
}

}  // namespace tw
