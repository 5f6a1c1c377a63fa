#pragma once
// A palette picture as the encoders and the colour reduction hand it around:
// colours plus one palette index per pixel, rows top-down. Index 0 always
// holds the picture's transparent colour and no other entry repeats it.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/raster.h"

namespace tw {

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<Pixel> palette;
    std::vector<uint8_t> indices;
};

// The colour the engine will treat as transparent: the pixel at the sheet's
// transparent position.
Pixel TransparentColour(const Raster& picture);

// The picture with its own colours, the transparent colour first, the others
// in order of first appearance; nothing when it has more than maxColours.
std::optional<IndexedPicture> ExactPalette(const Raster& picture, int maxColours);

// Appends colours that are not yet in the palette until it has `size`
// entries, so that padding never repeats a used colour.
void PadPalette(std::vector<Pixel>* palette, size_t size);

}  // namespace tw
