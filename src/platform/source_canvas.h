#pragma once
// A page's source: a canvas that keeps its whole picture, up to kKeptSide
// pixels each way, and shows it in its fixed client area from a view origin
// on. Everything that reads a source by the picture's coordinates (a pick, a
// block, an animation preview) goes through CopyFromPicture, so what it reads
// is the picture laid on the background, wherever the view stands.

#include "platform/surface.h"

namespace tw {

// A rectangle of pixels.
struct PixelArea {
    int x, y, w, h;
    bool operator==(const PixelArea&) const = default;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Empty() const { return w <= 0 || h <= 0; }
};

// The smallest rectangle holding both.
PixelArea Span(const PixelArea& a, const PixelArea& b);
PixelArea Intersect(const PixelArea& a, const PixelArea& b);

class SourceCanvas : public Canvas {
public:
    // A larger picture is kept as its top-left kKeptSide x kKeptSide: five
    // such sources stay well inside the memory a desktop has.
    static constexpr int kKeptSide = 8192;

    SourceCanvas(std::string name, std::string container, Placement place, BorderStyle border,
                 Pixel backColor);

    int OriginX() const { return originX_; }
    int OriginY() const { return originY_; }
    // The part of the picture it keeps, in pixels; 0 x 0 without a picture.
    int KeptWidth() const { return GetPicture().raster() ? GetPicture().raster()->Width() : 0; }
    int KeptHeight() const { return GetPicture().raster() ? GetPicture().raster()->Height() : 0; }
    // The client area as a rectangle of the picture.
    PixelArea ViewArea() const { return {originX_, originY_, ClientWidth(), ClientHeight()}; }
    // What the view can cover: the client area at the origin, and the picture.
    PixelArea Extent() const;
    // Shows the picture from (x, y) on; the caller keeps it to whole cells.
    void ScrollTo(int x, int y);
};

// All a surface holds to be read: a source's picture and view, any other
// surface's client area.
PixelArea WholeArea(const Surface& s);

// Copies the w x h block at (sx, sy) of what `from` holds to (dx, dy) of dst,
// only as far as it lies inside `within`. For a source the coordinates are
// its picture's, and a pixel the picture does not reach is its background;
// for any other surface they are its client area's. Destination pixels
// outside the copied part keep their value, as with BitBlt.
void CopyFromPicture(Raster& dst, int dx, int dy, int w, int h, const Surface& from, int sx, int sy,
                     const PixelArea& within);

}  // namespace tw
