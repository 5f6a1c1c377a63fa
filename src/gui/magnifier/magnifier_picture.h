#pragma once
// The magnifier's picture: the sheet around the pointer enlarged by a whole
// factor, pixels as exact squares, with the page's grid over it, the cell
// under the pointer framed and, over a target, the stamp drawn where it would
// land. Parts outside the sheet show the surface's dark border colour.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace tw {

struct MagnifierScene {
    QImage sheet;    // the surface's pixels
    QPoint pointer;  // the sheet pixel under the pointer
    QSize grid;
    QRect cell;      // the cell under the pointer, in sheet pixels
    QImage stamp;    // drawn at cell's top left; null over a source
};

// The sheet pixel shown at the picture's top left: the pointer's pixel ends up
// in the middle of a `size` picture.
QPoint MagnifierOrigin(QPoint pointer, int factor, QSize size);
QImage RenderMagnifier(const MagnifierScene& scene, int factor, QSize size);

}  // namespace tw
