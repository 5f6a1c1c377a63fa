#include "shell/app_icon.h"

#include <algorithm>

#include "shell/pixel_art.h"
#include "shell/tile_art.h"

namespace tw {

Raster AppIcon(int size) {
    using art::Tile;
    constexpr Pixel kBackground = Rgb(30, 42, 58);
    constexpr Pixel kYellow = Rgb(255, 255, 0);
    Raster icon(std::max(size, 0), std::max(size, 0), kBackground);
    if (size < 8) return icon;

    // Small icons get a 2 x 2 sheet so that every tile keeps a readable pattern.
    const int n = size >= 32 ? 3 : 2;
    const int margin = std::max(1, size / 16);
    const int gap = std::max(1, size / 32);
    const int tile = (size - 2 * margin - (n - 1) * gap) / n;
    const int left = (size - n * tile - (n - 1) * gap) / 2;

    art::Ring(icon, 0, 0, size, size, std::max(1, size / 48), Rgb(70, 88, 112));
    static constexpr Tile kSheet3[9] = {Tile::Grass, Tile::Water,   Tile::Roof,
                                        Tile::Brick, Tile::Tree,    Tile::Sand,
                                        Tile::Stone, Tile::Flowers, Tile::Dirt};
    static constexpr Tile kSheet2[4] = {Tile::Grass, Tile::Water, Tile::Brick, Tile::Tree};
    for (int row = 0; row < n; ++row)
        for (int col = 0; col < n; ++col) {
            const Tile kind = n == 3 ? kSheet3[row * n + col] : kSheet2[row * n + col];
            art::DrawTile(icon, kind, left + col * (tile + gap), left + row * (tile + gap), tile,
                          static_cast<uint32_t>(row * n + col));
        }

    // The picked tile: the centre one, or the tree of the small sheet.
    const int pickRow = 1, pickCol = 1;
    const int thickness = std::max(1, size / 32);
    art::Ring(icon, left + pickCol * (tile + gap) - gap, left + pickRow * (tile + gap) - gap,
              tile + 2 * gap, tile + 2 * gap, thickness, kYellow);
    return icon;
}

}  // namespace tw
