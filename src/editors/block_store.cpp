#include "editors/block_store.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace tw {
namespace {

// One huge page: the system maps it with a single fault.
constexpr size_t kChunkBytes = size_t{2} << 20;

}  // namespace

BlockStore::~BlockStore() {
    for (Chunk& c : chunks_) Free(c);
    Free(spare_);
}

BlockStore::Chunk BlockStore::NewChunk(size_t atLeast) {
    const size_t bytes = std::max(kChunkBytes, (atLeast * sizeof(Pixel) + kChunkBytes - 1) /
                                                   kChunkBytes * kChunkBytes);
    void* p = std::aligned_alloc(kChunkBytes, bytes);
    if (!p) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without huge pages it still works
    return {static_cast<Pixel*>(p), bytes / sizeof(Pixel), 0, 0};
}

void BlockStore::Free(Chunk& c) {
    std::free(c.data);
    c = Chunk{};
}

BlockStore::Chunk BlockStore::Acquire(size_t atLeast) {
    if (spare_.data && spare_.capacity >= atLeast) {
        Chunk c = spare_;
        spare_ = Chunk{};
        c.begin = c.end = 0;
        return c;
    }
    return NewChunk(atLeast);
}

void BlockStore::Retire(Chunk c) {
    if (spare_.capacity >= c.capacity) {
        Free(c);
        return;
    }
    Free(spare_);
    spare_ = c;
}

Pixel* BlockStore::TakeBack(size_t n) {
    if (chunks_.empty() || chunks_.back().capacity - chunks_.back().end < n) {
        // An empty chunk at the back (one taken for an empty block) makes way
        // rather than stay behind the new one, where the front could not pass it.
        if (!chunks_.empty() && chunks_.back().begin == chunks_.back().end) {
            Retire(chunks_.back());
            chunks_.pop_back();
        }
        chunks_.push_back(Acquire(n));
    }
    Chunk& c = chunks_.back();
    Pixel* p = c.data + c.end;
    c.end += n;
    return p;
}

void BlockStore::GiveBackBack(size_t n) {
    if (chunks_.empty()) return;
    Chunk& c = chunks_.back();
    c.end -= n;
    if (c.begin == c.end) {
        Retire(c);
        chunks_.pop_back();
    }
}

void BlockStore::GiveBackFront(size_t n) {
    if (chunks_.empty()) return;
    Chunk& c = chunks_.front();
    c.begin += n;
    if (c.begin == c.end) {
        Retire(c);
        chunks_.pop_front();
    }
}

}  // namespace tw
