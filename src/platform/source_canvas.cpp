#include "platform/source_canvas.h"

#include <algorithm>

#include "platform/blit.h"

namespace tw {

PixelArea Span(const PixelArea& a, const PixelArea& b) {
    const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.Right(), b.Right()) - x, std::max(a.Bottom(), b.Bottom()) - y};
}

PixelArea Intersect(const PixelArea& a, const PixelArea& b) {
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    return {x, y, std::min(a.Right(), b.Right()) - x, std::min(a.Bottom(), b.Bottom()) - y};
}

SourceCanvas::SourceCanvas(std::string name, std::string container, Placement place,
                           BorderStyle border, Pixel backColor)
    : Canvas(std::move(name), std::move(container), place, border, backColor) {
    keepsWhole_ = true;
}

PixelArea SourceCanvas::Extent() const {
    return Span(ViewArea(), {0, 0, KeptWidth(), KeptHeight()});
}

void SourceCanvas::ScrollTo(int x, int y) {
    if (x == originX_ && y == originY_) return;
    originX_ = x;
    originY_ = y;
    Cls();
}

PixelArea WholeArea(const Surface& s) {
    if (const auto* source = dynamic_cast<const SourceCanvas*>(&s)) return source->Extent();
    return {0, 0, s.ClientWidth(), s.ClientHeight()};
}

void CopyFromPicture(Raster& dst, int dx, int dy, int w, int h, const Surface& from, int sx, int sy,
                     const PixelArea& within) {
    const PixelArea part = Intersect({sx, sy, w, h}, within);
    if (part.Empty()) return;
    const int tx = dx + part.x - sx, ty = dy + part.y - sy;
    const Raster* picture = from.GetPicture().raster();
    if (!from.KeepsWholePicture() || !picture) {
        const auto* source = dynamic_cast<const SourceCanvas*>(&from);
        const int ox = source ? source->OriginX() : 0, oy = source ? source->OriginY() : 0;
        BitBlt(dst, tx, ty, part.w, part.h, from.View(), part.x - ox, part.y - oy);
        return;
    }
    // The background where the picture ends, then the picture over it.
    const PixelArea inDst = Intersect({tx, ty, part.w, part.h}, {0, 0, dst.Width(), dst.Height()});
    for (int y = inDst.y; y < inDst.Bottom(); ++y)
        std::fill_n(dst.Row(y) + inDst.x, std::max(0, inDst.w), from.BackColor());
    BitBlt(dst, tx, ty, part.w, part.h, *picture, part.x, part.y);
}

}  // namespace tw
