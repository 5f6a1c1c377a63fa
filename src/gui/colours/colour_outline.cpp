#include "gui/colours/colour_outline.h"

namespace tw {

QImage ColourOutline(const Raster& sheet, Pixel colour) {
    const int w = sheet.Width(), h = sheet.Height();
    QImage out(w, h, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    colour &= 0xFFFFFFu;
    const auto is = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && (sheet.At(x, y) & 0xFFFFFFu) == colour;
    };
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            bool mark;
            if (is(x, y)) {
                mark = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            } else {
                mark = false;
                for (int dy = -1; dy <= 1 && !mark; ++dy)
                    for (int dx = -1; dx <= 1 && !mark; ++dx) mark = is(x + dx, y + dy);
            }
            if (mark) line[x] = (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
    }
    return out;
}

}  // namespace tw
