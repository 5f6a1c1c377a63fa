#pragma once
// Decoded rows of raw samples of a contiguous TIFF page, from strips or from
// tiles alike, and access to single samples of such a row.

#include <tiffio.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace tw {

class TiffRows {
public:
    explicit TiffRows(TIFF* tif);
    bool Ok() const { return ok_; }
    // Row y; rows must be asked for from the top down. Null on a decoding error.
    const uint8_t* Row(uint32_t y);

private:
    bool LoadBand(uint32_t top);

    TIFF* tif_;
    bool ok_ = false;
    bool tiled_ = false;
    uint32_t tileWidth_ = 0, tileLength_ = 0, across_ = 0;
    size_t tileRowBytes_ = 0, bandRowBytes_ = 0;
    int64_t bandTop_ = -1;
    std::vector<uint8_t> tile_;
    std::vector<uint8_t> band_;  // one scanline, or one row of tiles side by side
};

// Sample s of pixel x in a row of `spp` samples of `bps` bits each.
class SampleReader {
public:
    SampleReader(const uint8_t* row, int bps, int spp) : row_(row), bps_(bps), spp_(spp) {}
    uint32_t operator()(int x, int s) const {
        const size_t i = static_cast<size_t>(x) * spp_ + s;
        if (bps_ == 8) return row_[i];
        if (bps_ == 16) {
            uint16_t v;
            std::memcpy(&v, row_ + 2 * i, 2);  // libtiff delivers native order
            return v;
        }
        const size_t bit = i * bps_;
        return (row_[bit / 8] >> (8 - bps_ - bit % 8)) & ((1u << bps_) - 1);
    }
    // The sample scaled to 0..255 (16 bits: the high byte).
    uint8_t Byte(int x, int s) const {
        const uint32_t v = (*this)(x, s);
        switch (bps_) {
        case 16: return static_cast<uint8_t>(v >> 8);
        case 8: return static_cast<uint8_t>(v);
        default: return static_cast<uint8_t>(v * 255 / ((1u << bps_) - 1));
        }
    }

private:
    const uint8_t* row_;
    int bps_, spp_;
};

}  // namespace tw
