// The store under the undo history's stamp steps: every block keeps its own
// pixels however blocks are taken and given back across chunks, and emptied
// chunks do not pile up.

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "editors/block_store.h"

namespace tw::test {
namespace {

constexpr size_t kChunkPixels = (size_t{2} << 20) / sizeof(Pixel);

struct Op {
    char what;         // 'T' takes, 'F' gives back the oldest, 'B' the newest
    int times;
    size_t pixels = 0;  // of a taken block; every third one is a little larger
};

TEST(BlockStore, BlocksKeepTheirPixelsThroughEveryOrderOfUse) {
    struct Case {
        const char* name;
        std::vector<Op> ops;
    };
    const size_t cell = 128 * 128;
    const Case cases[] = {
        // A history at its bound: each new step pushes out the oldest one,
        // many times round the chunks.
        {"queue", {{'T', 40, cell}, {'F', 1}, {'T', 1, cell}, {'F', 1}, {'T', 1, cell},
                   {'F', 1}, {'T', 1, 7 * 128}, {'F', 30}, {'T', 300, cell}, {'F', 290}}},
        // Undo back past chunk boundaries, then new steps drop the rest.
        {"stack", {{'T', 100, cell}, {'B', 70}, {'T', 50, cell}, {'B', 80}, {'T', 10, cell},
                   {'F', 5}, {'B', 5}, {'T', 3, cell}}},
        // Emptied completely from either end, then used again.
        {"empty again", {{'T', 70, cell}, {'B', 70}, {'T', 70, cell}, {'F', 70},
                         {'T', 1, 100}, {'F', 1}, {'T', 1, 100}, {'B', 1}, {'T', 5, cell}}},
        // Blocks larger than a chunk among small ones, and a small spare
        // that cannot hold the next large block.
        {"large", {{'T', 3, 100}, {'T', 2, kChunkPixels + 5}, {'T', 3, 100}, {'F', 4},
                   {'B', 3}, {'T', 1, 3 * kChunkPixels}, {'F', 1}, {'T', 40, cell}, {'F', 41}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BlockStore store;
        struct Held {
            Pixel* at;
            size_t n;
            Pixel mark;
        };
        std::deque<Held> held;
        Pixel next = 1;
        size_t step = 0;
        for (const Op& op : c.ops) {
            for (int i = 0; i < op.times; ++i, ++step) {
                SCOPED_TRACE(testing::Message() << "step " << step);
                if (op.what == 'T') {
                    const size_t n = op.pixels + (next % 3 == 0 ? 1000 : 0);
                    Pixel* p = store.TakeBack(n);
                    for (size_t k = 0; k < n; ++k) p[k] = next * 0x10001u + Pixel(k);
                    held.push_back({p, n, next++});
                } else {
                    ASSERT_FALSE(held.empty());
                    if (op.what == 'F') {
                        store.GiveBackFront(held.front().n);
                        held.pop_front();
                    } else {
                        store.GiveBackBack(held.back().n);
                        held.pop_back();
                    }
                }
                // No block was written over by a later one.
                for (const Held& h : held)
                    for (size_t k = 0; k < h.n; k += 97)
                        ASSERT_EQ(h.at[k], h.mark * 0x10001u + Pixel(k)) << "block " << h.mark;
                for (const Held& h : held) ASSERT_EQ(h.at[h.n - 1], h.mark * 0x10001u + Pixel(h.n - 1));
                // Chunks hold the blocks and little more: with blocks this
                // size, one chunk more than they fill at each end.
                size_t pixels = 0;
                for (const Held& h : held) pixels += h.n;
                EXPECT_LE(store.Chunks(), pixels / kChunkPixels + 2 + (held.empty() ? 0 : 1));
                if (held.empty()) {
                    EXPECT_EQ(store.Chunks(), 0u);
                }
            }
        }
    }
}

// A queue at its bound reuses its emptied chunk instead of asking the system
// for another: the next chunk begins where the emptied one did.
TEST(BlockStore, AnEmptiedChunkIsTheNextOne) {
    BlockStore store;
    const size_t half = kChunkPixels / 2;
    Pixel* first = store.TakeBack(half);
    store.TakeBack(half);          // the first chunk is full
    Pixel* second = store.TakeBack(half);
    EXPECT_EQ(store.Chunks(), 2u);
    store.GiveBackFront(half);
    store.GiveBackFront(half);     // the first chunk is empty: the spare
    EXPECT_EQ(store.Chunks(), 1u);
    EXPECT_TRUE(store.HasSpare());
    store.TakeBack(half);          // fills the second chunk
    EXPECT_EQ(store.TakeBack(half), first);
    EXPECT_FALSE(store.HasSpare());
    EXPECT_NE(second, first);
}

}  // namespace
}  // namespace tw::test
