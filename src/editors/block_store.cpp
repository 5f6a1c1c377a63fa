#include "editors/block_store.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace tw {
namespace {

// One huge page: the system maps it with a single fault.
constexpr size_t kChunkBytes = size_t{2} << 20;

}  // namespace

BlockStore::~BlockStore() {
    for (Chunk& c : chunks_) Free(c);
}

BlockStore::Chunk BlockStore::NewChunk(size_t atLeast) {
    const size_t bytes = std::max(kChunkBytes, (atLeast * sizeof(Pixel) + kChunkBytes - 1) /
                                                   kChunkBytes * kChunkBytes);
    void* p = std::aligned_alloc(kChunkBytes, bytes);
    if (!p) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without huge pages it still works
    return {static_cast<Pixel*>(p), bytes / sizeof(Pixel), 0, 0};
}

void BlockStore::Free(Chunk& c) { std::free(c.data); }

Pixel* BlockStore::TakeBack(size_t n) {
    if (chunks_.empty() || chunks_.back().capacity - chunks_.back().end < n) {
        // A chunk left empty at the back is reused rather than kept beside a new one.
        if (!chunks_.empty() && chunks_.back().begin == chunks_.back().end &&
            chunks_.back().capacity >= n) {
            chunks_.back().begin = chunks_.back().end = 0;
        } else {
            chunks_.push_back(NewChunk(n));
        }
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
    // An emptied chunk before the last stays only if it is the only one.
    if (c.begin == c.end && chunks_.size() > 1) {
        Free(c);
        chunks_.pop_back();
    }
}

void BlockStore::GiveBackFront(size_t n) {
    if (chunks_.empty()) return;
    Chunk& c = chunks_.front();
    c.begin += n;
    if (c.begin == c.end && chunks_.size() > 1) {
        Free(c);
        chunks_.pop_front();
    }
}

}  // namespace tw
