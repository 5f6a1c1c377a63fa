#pragma once
#include <cstdint>

namespace tw {

// Puts a pointer coordinate on a grid: the value rounded to a whole number
// (halves to even), divided by the grid truncating toward zero, multiplied by
// the grid, as a 16-bit integer. So -1 .. -(grid-1) give 0.
int16_t SnapToGrid(double value, int16_t grid);

}  // namespace tw
