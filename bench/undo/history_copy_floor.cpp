// The least time the undo history's copies can take: the rows of every
// stamp's block, as a stamp step keeps them, copied out of a 480 x 256 sheet
// into a ring as large as the history's byte bound, with plain memcpy and
// nothing else.
//
//   tw_history_copy_floor BLOCKS [REPEATS]
//
// BLOCKS holds one block a line, "x y w h", already clipped to the sheet.
// Prints the best time of REPEATS (default 5) passes in seconds and the bytes
// one pass copies. The ring is written once before the passes are timed, so
// they measure the copies, not the system handing out fresh pages.

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr int kSheetW = 480, kSheetH = 256;
constexpr size_t kRingBytes = size_t{64} << 20;  // the history's byte bound

struct Block {
    int x, y, w, h;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tw_history_copy_floor BLOCKS [REPEATS]\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    std::vector<Block> blocks;
    for (Block b; in >> b.x >> b.y >> b.w >> b.h;) {
        if (b.x < 0 || b.y < 0 || b.w < 1 || b.h < 1 || b.x + b.w > kSheetW ||
            b.y + b.h > kSheetH) {
            std::fprintf(stderr, "block %d %d %d %d is not on the sheet\n", b.x, b.y, b.w, b.h);
            return 2;
        }
        blocks.push_back(b);
    }
    if (!in.eof() || blocks.empty()) {
        std::fprintf(stderr, "%s: no blocks, or a line that is not \"x y w h\"\n", argv[1]);
        return 2;
    }
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    std::vector<uint32_t> sheet(size_t{kSheetW} * kSheetH);
    for (size_t i = 0; i < sheet.size(); ++i) sheet[i] = static_cast<uint32_t>(i * 2654435761u);
    // In huge pages where the system has them, as the history asks for its chunks.
    auto* ring = static_cast<uint32_t*>(std::aligned_alloc(size_t{2} << 20, kRingBytes));
    if (!ring) return 1;
    madvise(ring, kRingBytes, MADV_HUGEPAGE);
    const size_t ringSize = kRingBytes / sizeof(uint32_t);
    std::fill(ring, ring + ringSize, 1u);  // written once: the pages are in

    double best = 1e30;
    uint64_t bytes = 0;
    volatile uint32_t sink = 0;
    for (int r = 0; r < repeats; ++r) {
        size_t at = 0;
        bytes = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const Block& b : blocks) {
            const size_t n = size_t(b.w) * b.h;
            if (ringSize - at < n) at = 0;  // the oldest steps make room
            uint32_t* out = ring + at;
            for (int row = b.y; row < b.y + b.h; ++row, out += b.w)
                std::memcpy(out, sheet.data() + size_t(row) * kSheetW + b.x, b.w * sizeof(uint32_t));
            at += n;
            bytes += n * sizeof(uint32_t);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        sink = sink + ring[at - 1];
    }
    std::free(ring);
    std::printf("%.6f %llu\n", best, static_cast<unsigned long long>(bytes));
    return 0;
}
