#pragma once
// The tile motifs of the program's own pictures (icon, About picture): each
// is a pattern that can be drawn at any tile size.

#include <cstdint>

#include "platform/raster.h"

namespace tw::art {

enum class Tile { Grass, Water, Brick, Sand, Stone, Tree, Roof, Flowers, Dirt };

// The pixel (x, y) of a `size` x `size` tile of that kind. `seed` varies the
// speckle so neighbouring tiles of one kind don't repeat exactly.
Pixel TilePixel(Tile kind, int x, int y, int size, uint32_t seed = 0);
// Draws the tile with its top-left corner at (left, top).
void DrawTile(Raster& r, Tile kind, int left, int top, int size, uint32_t seed = 0);

}  // namespace tw::art
