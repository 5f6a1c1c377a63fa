#include "shell/snap_to_grid.h"

#include <cmath>
#include <limits>

namespace tw {

int16_t SnapToGrid(double value, int16_t grid) {
    if (grid == 0 || !std::isfinite(value)) return 0;
    // A coordinate never leaves the 16-bit range on screen; a stray one is held
    // at its edge rather than wrapped around.
    constexpr double lo = std::numeric_limits<int16_t>::min();
    constexpr double hi = std::numeric_limits<int16_t>::max();
    const double whole = std::nearbyint(value < lo ? lo : value > hi ? hi : value);
    const long product = static_cast<long>(whole) / grid * grid;
    if (product > hi) return static_cast<int16_t>(product - grid);
    if (product < lo) return static_cast<int16_t>(product + grid);
    return static_cast<int16_t>(product);
}

}  // namespace tw
