#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/snap_to_grid.h"

namespace tw {
namespace {

TEST(SnapToGrid, RoundsHalvesToEvenThenTruncatesTowardZero) {
    struct Case {
        double value;
        int16_t grid, expected;
    };
    const Case cases[] = {
        // Whole pixels; left of and above a surface toward zero.
        {15, 16, 0}, {16, 16, 16}, {479, 16, 464}, {47, 24, 24}, {255, 32, 224}, {191, 48, 144},
        {479, 96, 384}, {-1, 16, 0}, {-16, 16, -16}, {-31, 16, -16}, {-23, 24, 0}, {-30, 24, -24},
        {-95, 96, 0}, {-96, 96, -96}, {-9, 8, -8},
        // Fractions: nearest whole number first, halves to the even one.
        {15.4, 16, 0}, {15.5, 16, 16}, {16.5, 16, 16}, {7.5, 8, 8}, {8.5, 8, 8}, {47.5, 48, 48},
        {-0.5, 16, 0}, {-15.5, 16, -16}, {-16.5, 16, -16}, {-23.5, 24, -24},
        // On a grid of 1 the rounding itself shows.
        {0.5, 1, 0}, {1.5, 1, 2}, {2.5, 1, 2}, {-1.5, 1, -2}, {-2.5, 1, -2}, {2.6, 1, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapToGrid(c.value, c.grid), c.expected) << c.value << " on " << c.grid;
}

// Whole values on every grid the pages use: a multiple of the grid, never
// farther from zero than the value and less than one grid step from it.
TEST(SnapToGrid, WholeValuesSnapTowardZeroOnEveryPageGrid) {
    for (int16_t g : {8, 16, 24, 32, 48, 96, 64, 128})
        for (int v = -600; v <= 600; ++v) {
            const int s = SnapToGrid(v, g);
            ASSERT_EQ(s % g, 0) << v << " on " << g;
            ASSERT_LE(std::abs(s), std::abs(v)) << v << " on " << g;
            ASSERT_LT(std::abs(v - s), g) << v << " on " << g;
            ASSERT_TRUE(s == 0 || (s > 0) == (v > 0)) << v << " on " << g;
        }
}

}  // namespace
}  // namespace tw
