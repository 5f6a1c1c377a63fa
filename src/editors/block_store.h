#pragma once
// Where an edit history keeps its stamps' pixels: large chunks taken from the
// system a few at a time instead of one allocation per stamp, so that a long
// stamping session does not pay for a fresh page of memory on every stamp.
// Blocks are taken and given back in the order of a queue that is also a
// stack: new ones at the back, old ones from the front or the back.
//
// A history at its byte bound empties its oldest chunk about as often as it
// needs a new one at the back, so an emptied chunk is kept as the spare for
// the next one instead of going back to the system: a long session at the
// bound then neither frees nor faults in memory. One spare covers that
// rhythm; more would only keep memory no step holds.

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

    // Chunks holding blocks, and whether an emptied one is kept for reuse.
    size_t Chunks() const { return chunks_.size(); }
    bool HasSpare() const { return spare_.data != nullptr; }

private:
    struct Chunk {
        Pixel* data = nullptr;
        size_t capacity = 0, begin = 0, end = 0;  // blocks live in [begin, end)
    };
    static Chunk NewChunk(size_t atLeast);
    static void Free(Chunk& c);
    // The spare when it is large enough, else a new chunk; empty either way.
    Chunk Acquire(size_t atLeast);
    // An emptied chunk becomes the spare, or goes back to the system when the
    // spare is already at least as large.
    void Retire(Chunk c);

    // Every chunk here holds a block, but for one taken for an empty block.
    std::deque<Chunk> chunks_;
    Chunk spare_;
};

}  // namespace tw
