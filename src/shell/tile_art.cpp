#include "shell/tile_art.h"

#include <cmath>

#include "shell/pixel_art.h"

namespace tw::art {
namespace {

constexpr Pixel kGrass = Rgb(76, 160, 72);
constexpr Pixel kWater = Rgb(46, 110, 200);
constexpr Pixel kBrick = Rgb(178, 82, 58);
constexpr Pixel kSand = Rgb(226, 196, 122);
constexpr Pixel kStone = Rgb(138, 143, 152);
constexpr Pixel kRoof = Rgb(196, 70, 44);
constexpr Pixel kDirt = Rgb(150, 108, 64);

// Speckle with a density that does not depend on the tile size.
Pixel Speckle(Pixel base, int x, int y, uint32_t seed, int light, int dark) {
    const uint32_t n = Noise(x, y, seed);
    if (n < 28) return Shade(base, -dark);
    if (n > 236) return Shade(base, light);
    return base;
}

Pixel Grass(int x, int y, int s, uint32_t seed) {
    // Short blades: a dark pixel with a light one above it.
    const int cell = s >= 12 ? 4 : 3;
    const int cx = x / cell, cy = y / cell;
    const uint32_t n = Noise(cx, cy, seed + 7);
    const int bx = cx * cell + static_cast<int>(n % cell),
              by = cy * cell + static_cast<int>((n / 7) % cell);
    if (n < 150 && x == bx && y == by) return Shade(kGrass, -38);
    if (n < 150 && x == bx && y == by - 1) return Shade(kGrass, 30);
    return kGrass;
}

Pixel Water(int x, int y, int s, uint32_t seed) {
    // Light wave crests in rows, each row shifted.
    const int period = s >= 12 ? s / 3 : 4;
    const int row = y / period;
    const int phase = (x + row * period / 2 + static_cast<int>(seed % 5)) % (period * 2);
    if (y % period == period - 1 && phase < period) return Shade(kWater, 60);
    if (y % period == 0 && phase >= period / 2 && phase < period + period / 2)
        return Shade(kWater, 25);
    return kWater;
}

Pixel Brick(int x, int y, int s, uint32_t) {
    // Courses of bricks with staggered joints and pale mortar.
    const int course = s >= 12 ? s / 4 : 3;
    const int row = y / course;
    const int brickW = course * 2;
    const int offset = (row % 2) * course;
    if (y % course == course - 1) return Rgb(214, 204, 186);
    if ((x + offset) % brickW == brickW - 1) return Rgb(214, 204, 186);
    if (y % course == 0) return Shade(kBrick, 24);
    return kBrick;
}

Pixel Stone(int x, int y, int s, uint32_t seed) {
    const int half = s / 2;
    const bool edge = (y % half == half - 1) || ((x + (y / half) * half / 2) % half == half - 1);
    if (edge) return Shade(kStone, -44);
    if ((y % half == 0) || ((x + (y / half) * half / 2) % half == 0)) return Shade(kStone, 28);
    return Speckle(kStone, x, y, seed + 3, 18, 14);
}

Pixel TreeTile(int x, int y, int s, uint32_t seed) {
    // A round crown over a trunk on grass.
    const double cx = (s - 1) / 2.0, cy = s * 0.4, radius = s * 0.4;
    const double dx = x - cx, dy = y - cy;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d <= radius) {
        const Pixel crown = Rgb(38, 112, 46);
        if (dx + dy < -radius * 0.5) return Shade(crown, 34);
        if (Noise(x, y, seed + 11) < 40) return Shade(crown, -26);
        return crown;
    }
    const int trunkW = s >= 12 ? s / 5 : 2;
    if (y > cy && std::abs(x - cx) <= trunkW / 2.0) return Rgb(112, 72, 40);
    return Grass(x, y, s, seed);
}

Pixel Roof(int x, int y, int s, uint32_t) {
    const int band = s >= 12 ? s / 4 : 3;
    if (y % band == band - 1) return Shade(kRoof, -52);
    if ((x + (y / band) * 2) % (band * 2) == 0) return Shade(kRoof, -30);
    if (y % band == 0) return Shade(kRoof, 30);
    return kRoof;
}

Pixel Flowers(int x, int y, int s, uint32_t seed) {
    const int cell = s >= 12 ? 5 : 4;
    const int cx = x / cell, cy = y / cell;
    const uint32_t n = Noise(cx, cy, seed + 23);
    const int fx = cx * cell + 1 + static_cast<int>(n % (cell - 2));
    const int fy = cy * cell + 1 + static_cast<int>((n / 5) % (cell - 2));
    if (n < 170 && std::abs(x - fx) + std::abs(y - fy) <= 1) {
        if (x == fx && y == fy) return Rgb(252, 226, 90);
        return (n & 1) ? Rgb(240, 120, 170) : Rgb(248, 248, 240);
    }
    return Grass(x, y, s, seed);
}

}  // namespace

Pixel TilePixel(Tile kind, int x, int y, int size, uint32_t seed) {
    switch (kind) {
        case Tile::Grass:
            return Grass(x, y, size, seed);
        case Tile::Water:
            return Water(x, y, size, seed);
        case Tile::Brick:
            return Brick(x, y, size, seed);
        case Tile::Sand:
            return Speckle(kSand, x, y, seed + 5, 22, 30);
        case Tile::Stone:
            return Stone(x, y, size, seed);
        case Tile::Tree:
            return TreeTile(x, y, size, seed);
        case Tile::Roof:
            return Roof(x, y, size, seed);
        case Tile::Flowers:
            return Flowers(x, y, size, seed);
        case Tile::Dirt:
            return Speckle(kDirt, x, y, seed + 9, 20, 26);
    }
    return 0;
}

void DrawTile(Raster& r, Tile kind, int left, int top, int size, uint32_t seed) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            Plot(r, left + x, top + y, TilePixel(kind, x, y, size, seed));
}

}  // namespace tw::art
