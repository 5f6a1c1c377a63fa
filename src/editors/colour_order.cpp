#include "editors/colour_order.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace tw {
namespace {

int Channel(Pixel p, int shift) { return static_cast<int>((p >> shift) & 255u); }

int Distance2(Pixel a, Pixel b) {
    const int dr = Channel(a, 16) - Channel(b, 16), dg = Channel(a, 8) - Channel(b, 8),
              db = Channel(a, 0) - Channel(b, 0);
    return dr * dr + dg * dg + db * db;
}

// Colours fall into cubes one distance wide: similar colours lie in the same
// or a neighbouring cube, so each colour is compared with few others.
constexpr int kSide = 255 / kSimilarDistance + 1;
int CubeOf(Pixel p, int dr = 0, int dg = 0, int db = 0) {
    const int r = Channel(p, 16) / kSimilarDistance + dr, g = Channel(p, 8) / kSimilarDistance + dg,
              b = Channel(p, 0) / kSimilarDistance + db;
    if (r < 0 || g < 0 || b < 0 || r >= kSide || g >= kSide || b >= kSide) return -1;
    return (r * kSide + g) * kSide + b;
}

int Root(std::vector<int>& parent, int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

// Past this size a group keeps palette order: the nearest-next walk grows
// with the square of the group.
constexpr size_t kLongestWalk = 512;

}  // namespace

bool Similar(Pixel a, Pixel b) { return Distance2(a, b) <= kSimilarDistance * kSimilarDistance; }

std::vector<int> SimilarOrder(const std::vector<Pixel>& palette) {
    const int n = static_cast<int>(palette.size());
    std::vector<std::vector<int>> cubes(kSide * kSide * kSide);
    for (int i = 0; i < n; ++i) cubes[CubeOf(palette[i])].push_back(i);
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    for (int i = 0; i < n; ++i)
        for (int d = 0; d < 27; ++d) {
            const int cube = CubeOf(palette[i], d / 9 - 1, d / 3 % 3 - 1, d % 3 - 1);
            if (cube < 0) continue;
            for (int j : cubes[cube]) {
                if (j >= i || !Similar(palette[i], palette[j])) continue;
                const int a = Root(parent, i), b = Root(parent, j);
                if (a != b) parent[std::max(a, b)] = std::min(a, b);
            }
        }
    // Groups by their smallest index, members in palette order.
    std::vector<std::vector<int>> groups(n);
    for (int i = 0; i < n; ++i) groups[Root(parent, i)].push_back(i);
    std::vector<int> order;
    order.reserve(n);
    for (std::vector<int>& g : groups) {
        if (g.size() > 2 && g.size() <= kLongestWalk)
            for (size_t k = 1; k < g.size(); ++k) {
                const Pixel from = palette[g[k - 1]];
                const auto nearest = std::min_element(g.begin() + k, g.end(), [&](int a, int b) {
                    return Distance2(from, palette[a]) < Distance2(from, palette[b]);
                });
                std::rotate(g.begin() + k, nearest, nearest + 1);
            }
        order.insert(order.end(), g.begin(), g.end());
    }
    return order;
}

}  // namespace tw
