#include "imagefiles/tiff_rows.h"

#include "imagefiles/vicdef32.h"

namespace tw {

TiffRows::TiffRows(TIFF* tif) : tif_(tif), tiled_(TIFFIsTiled(tif) != 0) {
    constexpr uint64_t kMaxBuffer = 2 * static_cast<uint64_t>(kMaxImageBytes);
    if (!tiled_) {
        const uint64_t bytes = TIFFScanlineSize64(tif);
        if (bytes == 0 || bytes > kMaxBuffer) return;
        band_.resize(bytes);
        ok_ = true;
        return;
    }
    uint32_t width = 0;
    uint16_t bps = 1, spp = 1;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    if (!TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth_) || !TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength_) ||
        tileWidth_ == 0 || tileLength_ == 0)
        return;
    // Tile rows laid side by side must form one row: whole bytes per tile row.
    if ((static_cast<uint64_t>(tileWidth_) * bps * spp) % 8 != 0) return;
    tileRowBytes_ = static_cast<size_t>(TIFFTileRowSize64(tif));
    const uint64_t tileBytes = TIFFTileSize64(tif);
    across_ = (width + tileWidth_ - 1) / tileWidth_;
    bandRowBytes_ = tileRowBytes_ * across_;
    if (tileRowBytes_ == 0 || tileBytes < tileRowBytes_ * tileLength_ || tileBytes > kMaxBuffer ||
        static_cast<uint64_t>(bandRowBytes_) * tileLength_ > kMaxBuffer)
        return;
    tile_.resize(tileBytes);
    band_.resize(bandRowBytes_ * tileLength_);
    ok_ = true;
}

bool TiffRows::LoadBand(uint32_t top) {
    for (uint32_t t = 0; t < across_; ++t) {
        if (TIFFReadTile(tif_, tile_.data(), t * tileWidth_, top, 0, 0) < 0) return false;
        for (uint32_t r = 0; r < tileLength_; ++r)
            std::memcpy(band_.data() + r * bandRowBytes_ + t * tileRowBytes_, tile_.data() + r * tileRowBytes_,
                        tileRowBytes_);
    }
    bandTop_ = top;
    return true;
}

const uint8_t* TiffRows::Row(uint32_t y) {
    if (!ok_) return nullptr;
    if (!tiled_) return TIFFReadScanline(tif_, band_.data(), y, 0) < 0 ? nullptr : band_.data();
    const uint32_t top = y - y % tileLength_;
    if (static_cast<int64_t>(top) != bandTop_ && !LoadBand(top)) return nullptr;
    return band_.data() + static_cast<size_t>(y - top) * bandRowBytes_;
}

}  // namespace tw
