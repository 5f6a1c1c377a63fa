#pragma once
// Reduction of a true-colour picture to a palette of at most N colours for
// the palette formats. The transparent colour stays exact at index 0, and
// only pixels of exactly that colour use index 0.

#include <optional>

#include "imagefiles/indexed_picture.h"

namespace tw {

struct ReductionOptions {
    float dithering = 0.0f;  // liq dithering level, 0 = none
    int speed = 1;           // liq speed, 1 = slowest and best
    int refinePasses = 12;   // k-means passes in plain RGB after liq
    // The colour kept exact at index 0; none: the one at the transparent pixel.
    std::optional<Pixel> transparent;
};

// The picture's own colours when it has at most `colours` of them, otherwise
// a quantized palette. Nothing for an empty picture or a bad colour count.
std::optional<IndexedPicture> ReduceColours(const Raster& picture, int colours,
                                            const ReductionOptions& options = {});

}  // namespace tw
