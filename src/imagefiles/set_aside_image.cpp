#include "imagefiles/set_aside_image.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "imagefiles/dib.h"

namespace tw {

namespace {

// Palette colours by index, as ImageToRaster shows them: an index past the
// palette shows black.
std::array<Pixel, 256> ShownColours(const ImageDescriptor& image, const DibShape& s) {
    std::array<Pixel, 256> colours{};
    const auto* pal = reinterpret_cast<const RGBQUAD*>(image.bmh + 1);
    for (int i = 0; i < s.paletteSize; ++i) colours[i] = QuadToPixel(pal[i]);
    return colours;
}

bool ZeroFrom(const uint8_t* row, int from, int to) {
    return std::all_of(row + from, row + to, [](uint8_t b) { return b == 0; });
}

// The palette index of each colour the picture uses, sorted by colour, when
// the rows come back from `whole` byte for byte: every pixel shows its
// index's colour, no two used indices show the same colour, and the bytes
// that pad a row are zero.
bool IndexRowsComeBack(const ImageDescriptor& image, const DibShape& s, const Raster& whole,
                       std::vector<std::pair<Pixel, uint8_t>>* inverse) {
    const std::array<Pixel, 256> colours = ShownColours(image, s);
    std::array<bool, 256> used{};
    const int rowBytes = s.bpp == 8 ? s.width : (s.width + 7) / 8;
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* row = ImageRow(image, y);
        const Pixel* shown = whole.Row(y);
        for (int x = 0; x < s.width; ++x) {
            const int index = s.bpp == 8 ? row[x] : (row[x >> 3] >> (7 - (x & 7))) & 1;
            if (colours[index] != shown[x]) return false;
            used[index] = true;
        }
        if (!ZeroFrom(row, rowBytes, s.stride)) return false;
        if (s.bpp == 1 && (s.width & 7) && (row[rowBytes - 1] & (0xFF >> (s.width & 7)))) return false;
    }
    inverse->clear();
    for (int i = 0; i < 256; ++i)
        if (used[i]) inverse->emplace_back(colours[i], static_cast<uint8_t>(i));
    std::sort(inverse->begin(), inverse->end());
    return std::adjacent_find(inverse->begin(), inverse->end(), [](const auto& a, const auto& b) {
               return a.first == b.first;
           }) == inverse->end();
}

bool TrueColourRowsComeBack(const ImageDescriptor& image, const DibShape& s, const Raster& whole) {
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* row = ImageRow(image, y);
        const Pixel* shown = whole.Row(y);
        for (int x = 0; x < s.width; ++x)
            if (Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]) != shown[x]) return false;
        if (!ZeroFrom(row, 3 * s.width, s.stride)) return false;
    }
    return true;
}

// Writes the rows of `image`, whose block is zeroed, from `whole`.
void WriteRows(const ImageDescriptor& image, const DibShape& s, const Raster& whole,
               const std::vector<std::pair<Pixel, uint8_t>>& inverse) {
    for (int y = 0; y < s.height; ++y) {
        uint8_t* row = ImageRow(image, y);
        const Pixel* shown = whole.Row(y);
        if (s.bpp == 24) {
            for (int x = 0; x < s.width; ++x) {
                row[3 * x] = shown[x] & 255;
                row[3 * x + 1] = (shown[x] >> 8) & 255;
                row[3 * x + 2] = (shown[x] >> 16) & 255;
            }
            continue;
        }
        // Neighbours mostly share a colour: the last one found is tried first.
        Pixel last = inverse.front().first;
        uint8_t index = inverse.front().second;
        for (int x = 0; x < s.width; ++x) {
            if (shown[x] != last) {
                last = shown[x];
                index = std::lower_bound(inverse.begin(), inverse.end(), std::pair<Pixel, uint8_t>(last, 0))
                            ->second;
            }
            if (s.bpp == 8) row[x] = index;
            else row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (index << (7 - (x & 7))));
        }
    }
}

}  // namespace

SetAsideImage::SetAsideImage(ImageDescriptor* home, std::shared_ptr<const Raster> whole)
    : home_(home), kept_(std::exchange(*home, ImageDescriptor{})) {
    DibShape s;
    if (!whole || !DescribeImage(&kept_, &s) || whole->Width() != s.width || whole->Height() != s.height)
        return;
    try {
        std::vector<std::pair<Pixel, uint8_t>> inverse;
        const bool comesBack = s.bpp == 24 ? TrueColourRowsComeBack(kept_, s, *whole)
                               : s.bpp <= 8 ? IndexRowsComeBack(kept_, s, *whole, &inverse)
                                            : false;
        if (!comesBack) return;
        const auto* block = reinterpret_cast<const uint8_t*>(kept_.bmh);
        head_.assign(block, static_cast<const uint8_t*>(kept_.ibuff));
        inverse_ = std::move(inverse);
    } catch (const std::bad_alloc&) {
        head_.clear();  // too short of memory to note the header: the rows stay
        return;
    }
    whole_ = std::move(whole);
    std::free(kept_.bmh);
    kept_.bmh = nullptr;
    kept_.palette = nullptr;
    kept_.ibuff = nullptr;
}

SetAsideImage::~SetAsideImage() {
    if (!dropped_) Restore();
    else freeimage(&kept_);
}

void SetAsideImage::Drop() {
    dropped_ = true;
    freeimage(&kept_);
    head_.clear();
    whole_.reset();
}

void SetAsideImage::Restore() {
    if (RowsLetGo()) {
        const size_t rowBytes = static_cast<size_t>(kept_.buffwidth) * whole_->Height();
        auto* block = static_cast<uint8_t*>(std::calloc(1, head_.size() + rowBytes));
        if (block == nullptr) {
            kept_ = ImageDescriptor{};
            return;
        }
        std::memcpy(block, head_.data(), head_.size());
        kept_.bmh = reinterpret_cast<BITMAPINFOHEADER*>(block);
        kept_.ibuff = block + head_.size();
        if (kept_.colors > 0) kept_.palette = reinterpret_cast<RGBQUAD*>(kept_.bmh + 1);
        DibShape s;
        DescribeImage(&kept_, &s);
        WriteRows(kept_, s, *whole_, inverse_);
    }
    *home_ = std::exchange(kept_, ImageDescriptor{});
}

}  // namespace tw
