#pragma once
// The colours of a sheet, each with its pixel count and the place where a
// row-by-row reading first meets it: the order a save lists the palette in.
// It follows a change of a block at the cost of the block (and, for a colour
// whose first pixel the block held, of the reading up to its next pixel), not
// of the whole sheet, so that the colour panel keeps up with every stamp.

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/raster.h"

namespace tw {

class ColourTally {
public:
    // Counted anew from the whole sheet.
    void Build(const Raster& sheet);
    // Forgotten: the next Build counts again (after a change of the whole sheet).
    void Clear();
    bool Built() const { return built_; }

    // Before a change of the w x h block at (x, y): its pixels taken out.
    void Remove(const Raster& sheet, int x, int y, int w, int h);
    // After the change: its pixels counted in, and the colours whose first
    // pixel the block held found again.
    void Add(const Raster& sheet, int x, int y, int w, int h);

    size_t Size() const { return colours_.size(); }
    uint32_t PixelsOf(Pixel colour) const;
    // Every colour once, in the order a row-by-row reading first meets it.
    std::vector<Pixel> InOrder() const;

private:
    struct Entry {
        uint32_t pixels = 0;
        uint32_t first = 0;  // row * width + column of its first pixel
        uint32_t mark = 0;   // the pass that last met it
        bool lost = false;   // its first pixel was in the block being changed
    };
    struct Block {
        int left, top, right, bottom;
    };
    static Block Clip(const Raster& sheet, int x, int y, int w, int h);
    // Finds the first pixel of each lost colour, reading on from where the
    // earliest of them was.
    void FindLost(const Raster& sheet);

    std::unordered_map<Pixel, Entry> colours_;
    std::map<uint32_t, Pixel> order_;  // first pixel -> colour, lost ones left out
    std::vector<std::pair<Pixel, uint32_t>> lost_;  // colour and its first pixel before
    uint32_t pass_ = 0;
    bool built_ = false;
};

}  // namespace tw
