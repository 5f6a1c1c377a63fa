#include "editors/colour_tally.h"

#include <algorithm>
#include <bitset>

namespace tw {
namespace {

constexpr Pixel kRgb = 0xFFFFFFu;

// A quick "surely not" for the colours searched for, one bit per hash.
size_t Hash(Pixel p) { return (p * 0x9E3779B1u) >> 20; }

// Adds `delta` to the count of every pixel of the block. Neighbouring pixels
// mostly share a colour, so `startRun(colour, row, col)` finds the entry once
// for each run of one colour along a row.
template <class Block, class StartRun>
void CountRuns(const Raster& sheet, const Block& b, uint32_t delta, StartRun startRun) {
    for (int row = b.top; row < b.bottom; ++row) {
        const Pixel* line = sheet.Row(row);
        Pixel last = 0;
        decltype(startRun(Pixel{}, 0, 0)) run = nullptr;
        for (int col = b.left; col < b.right; ++col) {
            const Pixel p = line[col] & kRgb;
            if (!run || p != last) {
                run = startRun(p, row, col);
                last = p;
            }
            run->pixels += delta;
        }
    }
}

}  // namespace

void ColourTally::Clear() {
    colours_.clear();
    order_.clear();
    lost_.clear();
    built_ = false;
}

void ColourTally::Build(const Raster& sheet) {
    Clear();
    Pixel last = 0;
    Entry* run = nullptr;
    uint32_t pos = 0;
    for (Pixel p : sheet.Pixels()) {
        p &= kRgb;
        // Neighbouring pixels mostly share a colour: one lookup per run.
        if (!run || p != last) {
            run = &colours_.try_emplace(p, Entry{0, pos}).first->second;
            last = p;
        }
        ++run->pixels;
        ++pos;
    }
    for (const auto& [colour, e] : colours_) order_.emplace(e.first, colour);
    built_ = true;
}

ColourTally::Block ColourTally::Clip(const Raster& sheet, int x, int y, int w, int h) {
    return {std::max(x, 0), std::max(y, 0), std::min(x + w, sheet.Width()),
            std::min(y + h, sheet.Height())};
}

void ColourTally::Remove(const Raster& sheet, int x, int y, int w, int h) {
    if (!built_) return;
    const Block b = Clip(sheet, x, y, w, h);
    ++pass_;
    std::vector<Pixel> met;
    // Unsigned wrap-around: adding the all-ones value takes one away.
    CountRuns(sheet, b, UINT32_MAX, [this, &met](Pixel p, int, int) {
        Entry* e = &colours_.find(p)->second;
        if (e->mark != pass_) e->mark = pass_, met.push_back(p);
        return e;
    });
    const auto inBlock = [&b, &sheet](uint32_t at) {
        const int row = static_cast<int>(at / sheet.Width()), col = static_cast<int>(at % sheet.Width());
        return row >= b.top && row < b.bottom && col >= b.left && col < b.right;
    };
    for (Pixel colour : met) {
        auto it = colours_.find(colour);
        Entry& e = it->second;
        if (!inBlock(e.first)) continue;
        order_.erase(e.first);
        if (e.pixels == 0) {
            colours_.erase(it);
        } else {
            lost_.emplace_back(colour, e.first);
            e.lost = true;
            e.first = UINT32_MAX;  // the block's new pixels may hold it first
        }
    }
}

void ColourTally::Add(const Raster& sheet, int x, int y, int w, int h) {
    if (!built_) return;
    const Block b = Clip(sheet, x, y, w, h);
    const uint32_t width = static_cast<uint32_t>(sheet.Width());
    CountRuns(sheet, b, 1u, [this, width](Pixel p, int row, int col) {
        const uint32_t pos = static_cast<uint32_t>(row) * width + static_cast<uint32_t>(col);
        auto [it, added] = colours_.try_emplace(p, Entry{0, pos});
        Entry* e = &it->second;
        if (added) {
            order_.emplace(pos, p);
        } else if (pos < e->first) {
            if (!e->lost) order_.erase(e->first), order_.emplace(pos, p);
            e->first = pos;
        }
        return e;
    });
    FindLost(sheet);
}

void ColourTally::FindLost(const Raster& sheet) {
    if (lost_.empty()) return;
    uint32_t start = UINT32_MAX;
    for (const auto& [colour, before] : lost_) start = std::min(start, before);
    // A lost colour the block now holds before `start` is placed already;
    // the others lie at or after it, at the latest where the block holds them.
    std::vector<Pixel> wanted;
    std::bitset<4096> maybe;
    for (const auto& [colour, before] : lost_) {
        Entry& e = colours_.find(colour)->second;
        e.lost = false;
        if (e.first < start) {
            order_.emplace(e.first, colour);
        } else {
            wanted.push_back(colour);
            maybe.set(Hash(colour));
        }
    }
    lost_.clear();
    std::sort(wanted.begin(), wanted.end());
    const std::vector<Pixel>& pixels = sheet.Pixels();
    Pixel last = ~0u;
    for (size_t i = start; i < pixels.size() && !wanted.empty(); ++i) {
        const Pixel p = pixels[i] & kRgb;
        if (p == last || !maybe.test(Hash(p))) continue;
        last = p;
        const auto found = std::lower_bound(wanted.begin(), wanted.end(), p);
        if (found == wanted.end() || *found != p) continue;
        colours_.find(p)->second.first = static_cast<uint32_t>(i);
        order_.emplace(static_cast<uint32_t>(i), p);
        wanted.erase(found);
    }
}

uint32_t ColourTally::PixelsOf(Pixel colour) const {
    auto it = colours_.find(colour & kRgb);
    return it == colours_.end() ? 0 : it->second.pixels;
}

std::vector<Pixel> ColourTally::InOrder() const {
    std::vector<Pixel> out;
    out.reserve(order_.size());
    for (const auto& [first, colour] : order_) out.push_back(colour);
    return out;
}

}  // namespace tw
