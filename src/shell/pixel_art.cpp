#include "shell/pixel_art.h"

#include <algorithm>

namespace tw::art {

void FillRect(Raster& r, int x, int y, int w, int h, Pixel p) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, r.Width()), y1 = std::min(y + h, r.Height());
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) r.Set(xx, yy, p);
}

void Plot(Raster& r, int x, int y, Pixel p) {
    if (r.Contains(x, y)) r.Set(x, y, p);
}

void FillDisc(Raster& r, int cx, int cy, int radius, Pixel p) {
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius + radius) Plot(r, cx + x, cy + y, p);
}

void Ring(Raster& r, int x, int y, int w, int h, int t, Pixel p) {
    FillRect(r, x, y, w, t, p);
    FillRect(r, x, y + h - t, w, t, p);
    FillRect(r, x, y, t, h, p);
    FillRect(r, x + w - t, y, t, h, p);
}

uint32_t Noise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) & 255;
}

Pixel Shade(Pixel p, int delta) {
    const auto ch = [&](int shift) {
        return std::clamp(static_cast<int>((p >> shift) & 255) + delta, 0, 255);
    };
    return Rgb(ch(16), ch(8), ch(0));
}

Pixel Mix(Pixel a, Pixel b, int t) {
    const auto ch = [&](int shift) {
        const int ca = (a >> shift) & 255, cb = (b >> shift) & 255;
        return ca + (cb - ca) * t / 256;
    };
    return Rgb(ch(16), ch(8), ch(0));
}

}  // namespace tw::art
