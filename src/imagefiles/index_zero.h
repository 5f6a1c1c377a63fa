#pragma once
// The colour a palette picture keeps at index 0: the one the engine hides,
// whatever it is. A sheet loaded from such a file keeps that colour as its
// transparent colour, so saving it again hides exactly what the file hid.

#include <optional>

#include "platform/raster.h"

struct ImageDescriptor;

namespace tw {

struct IndexZero {
    Pixel colour;
    // Some pixel of another index shows the same colour: once the picture is
    // plain pixels, those can no longer be told from the hidden ones.
    bool repeated;
};

// Index 0 of a 1- or 8-bit colour palette picture; nothing for true colour,
// grey and black-and-white pictures, which hold no palette of their own.
std::optional<IndexZero> IndexZeroOf(const ImageDescriptor& image);

}  // namespace tw
