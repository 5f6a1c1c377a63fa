#include "imagefiles/indexed_picture.h"

#include <unordered_map>
#include <unordered_set>

#include "imagefiles/transparent_pixel.h"
#include "imagefiles/vicdef32.h"

namespace tw {

Pixel TransparentColour(const Raster& picture) {
    if (picture.Empty()) return 0;
    const PixelPosition at = TransparentPixelPosition(picture.Width(), picture.Height());
    return picture.At(at.x, at.y);
}

Pixel TransparentColourFor(const ImageDescriptor& image, const Raster& picture) {
    if (image.transparent >= 0) return static_cast<Pixel>(image.transparent) & 0xFFFFFFu;
    return TransparentColour(picture);
}

std::optional<IndexedPicture> ExactPalette(const Raster& picture, int maxColours,
                                           std::optional<Pixel> transparent) {
    if (picture.Empty() || maxColours < 1 || maxColours > 256) return std::nullopt;
    IndexedPicture out;
    out.width = picture.Width();
    out.height = picture.Height();
    out.palette.push_back(transparent.value_or(TransparentColour(picture)));
    std::unordered_map<Pixel, uint8_t> index{{out.palette[0], 0}};
    out.indices.resize(picture.Pixels().size());
    // Neighbouring pixels usually share a colour: remember the last lookup.
    Pixel last = out.palette[0];
    uint8_t lastIndex = 0;
    size_t i = 0;
    for (Pixel p : picture.Pixels()) {
        if (p != last) {
            auto found = index.find(p);
            if (found == index.end()) {
                if (static_cast<int>(out.palette.size()) >= maxColours) return std::nullopt;
                const auto next = static_cast<uint8_t>(out.palette.size());
                found = index.emplace(p, next).first;
                out.palette.push_back(p);
            }
            last = p;
            lastIndex = found->second;
        }
        out.indices[i++] = lastIndex;
    }
    return out;
}

void PadPalette(std::vector<Pixel>* palette, size_t size) {
    if (palette->size() >= size) return;
    const std::unordered_set<Pixel> used(palette->begin(), palette->end());
    for (Pixel c = 0; palette->size() < size; ++c)
        if (!used.contains(c)) palette->push_back(c);
}

}  // namespace tw
