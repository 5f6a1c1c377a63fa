#pragma once
// The "Similar" order of the colour panel: colours so close that the eye
// hardly tells them apart sit side by side, which is how the pairs worth
// merging show up on a sheet assembled from several sources.

#include <vector>

#include "platform/raster.h"

namespace tw {

// Two colours count as similar within this distance in RGB (each channel
// 0 to 255, straight-line distance).
constexpr int kSimilarDistance = 24;

bool Similar(Pixel a, Pixel b);

// The palette's indices reordered: colours linked by chains of similar
// colours form a group; groups come in the order of their first index, and
// inside a group each colour is followed by the nearest one not yet placed.
// Every index appears once.
std::vector<int> SimilarOrder(const std::vector<Pixel>& palette);

}  // namespace tw
