#include "support/pictures.h"

#include <cmath>
#include <fstream>
#include <random>

namespace tw::test {

Raster NoisePicture(int w, int h, uint32_t seed) {
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
                         (seed + 1) * 83492791u;
            v ^= v >> 13;
            v *= 0x5bd1e995u;
            r.Set(x, y, (v ^ v >> 15) & 0xFFFFFFu);
        }
    return r;
}

Raster ColourSheet(int w, int h, int colours) {
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = 1 + ((y / 8) * ((w + 7) / 8) + x / 8) % (colours - 1);
            r.Set(x, y, Rgb(c * 37 % 256, c * 11 % 256, c / 7 * 9 % 256 + c % 7));
        }
    const int tx = w == 480 && h == 256 ? 288 : w == 160 && h == 80 ? 128 : 0;
    const int ty = w == 480 && h == 256 ? 128 : 0;
    for (int y = ty; y < ty + 8 && y < h; ++y)
        for (int x = tx; x < tx + 8 && x < w; ++x) r.Set(x, y, Rgb(255, 0, 255));
    return r;
}

Raster PhotoLike(int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-6, 6);
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double fx = double(x) / w, fy = double(y) / h;
            r.Set(x, y, Rgb(clamp(int(255 * fx) + noise(rng)),
                            clamp(int(128 + 120 * std::sin(6 * fy + 3 * fx)) + noise(rng)),
                            clamp(int(255 * fy * (1 - fx)) + noise(rng))));
        }
    return r;
}

Raster Block(const Raster& r, int x, int y, int w, int h, Pixel outside) {
    Raster out(w, h, outside);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (r.Contains(x + i, y + j)) out.Set(i, j, r.At(x + i, y + j));
    return out;
}

Raster Stamped(Raster r, int x, int y, const Raster& cell, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (cell.Contains(i, j) && r.Contains(x + i, y + j)) r.Set(x + i, y + j, cell.At(i, j));
    return r;
}

::testing::AssertionResult SameRaster(const Raster& actual, const Raster& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height()
                                             << ", expected " << expected.Width() << "x"
                                             << expected.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.At(x, y) != expected.At(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << actual.At(x, y)
                       << ", expected " << expected.At(x, y);
    return ::testing::AssertionSuccess();
}

double Psnr(const Raster& a, const Raster& b) {
    double sum = 0;
    for (size_t i = 0; i < a.Pixels().size(); ++i)
        for (int s = 0; s < 24; s += 8) {
            const double d = double((a.Pixels()[i] >> s) & 255) - double((b.Pixels()[i] >> s) & 255);
            sum += d * d;
        }
    const double mse = sum / (3.0 * a.Pixels().size());
    return mse == 0 ? 999 : 10 * std::log10(255.0 * 255.0 / mse);
}

Raster ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char c[3] = {};
            in.read(reinterpret_cast<char*>(c), 3);
            r.Set(x, y, Rgb(c[0], c[1], c[2]));
        }
    return in ? r : Raster();
}

}  // namespace tw::test
