#pragma once
// A palette picture as the encoders and the colour reduction hand it around:
// colours plus one palette index per pixel, rows top-down. Index 0 always
// holds the picture's transparent colour and no other entry repeats it.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/raster.h"

struct ImageDescriptor;

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

// The colour a save of `image` (whose pixels are `picture`) puts at index 0:
// the one the sheet keeps with it, else the one at its transparent pixel.
Pixel TransparentColourFor(const ImageDescriptor& image, const Raster& picture);

// The picture with its own colours, the transparent colour first (the one
// given, else the one at the transparent pixel; it takes index 0 even where
// no pixel has it), the others in order of first appearance; nothing when
// that makes more than maxColours.
std::optional<IndexedPicture> ExactPalette(const Raster& picture, int maxColours,
                                           std::optional<Pixel> transparent = std::nullopt);

// Appends colours that are not yet in the palette until it has `size`
// entries, so that padding never repeats a used colour.
void PadPalette(std::vector<Pixel>* palette, size_t size);

}  // namespace tw
