#pragma once
// Where an edit history keeps its stamps' pixels: large chunks taken from the
// system a few at a time instead of one allocation per stamp, so that a long
// stamping session does not pay for a fresh page of memory on every stamp.
// Blocks are taken and given back in the order of a queue that is also a
// stack: new ones at the back, old ones from the front or the back.

#include <cstddef>
#include <deque>

#include "platform/raster.h"

namespace tw {

class BlockStore {
public:
    BlockStore() = default;
    BlockStore(const BlockStore&) = delete;
    BlockStore& operator=(const BlockStore&) = delete;
    ~BlockStore();

    // Room for n pixels after every block taken so far.
    Pixel* TakeBack(size_t n);
    // Gives back the newest block (of n pixels).
    void GiveBackBack(size_t n);
    // Gives back the oldest block (of n pixels).
    void GiveBackFront(size_t n);

private:
    struct Chunk {
        Pixel* data;
        size_t capacity, begin, end;  // blocks live in [begin, end)
    };
    static Chunk NewChunk(size_t atLeast);
    static void Free(Chunk& c);

    std::deque<Chunk> chunks_;
};

}  // namespace tw
