#include "gui/magnifier/magnifier_picture.h"

#include <QPainter>
#include <tuple>

namespace tw {
namespace {
const QColor kOutside(40, 40, 40);
const QColor kGrid(0, 0, 0, 110);
const QColor kMark(255, 255, 0);
const QColor kMarkEdge(0, 0, 0);
}  // namespace

QPoint MagnifierOrigin(QPoint pointer, int factor, QSize size) {
    return pointer - QPoint(size.width() / factor / 2, size.height() / factor / 2);
}

QImage RenderMagnifier(const MagnifierScene& s, int factor, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(kOutside);
    if (s.sheet.isNull() || factor < 1) return out;
    const QPoint origin = MagnifierOrigin(s.pointer, factor, size);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Sheet pixel (x, y) covers screen pixels from ((x, y) - origin) * factor.
    p.setTransform(QTransform::fromScale(factor, factor).translate(-origin.x(), -origin.y()));
    p.drawImage(QPoint(0, 0), s.sheet);
    if (!s.stamp.isNull()) {
        p.save();
        p.setClipRect(s.cell.intersected(s.sheet.rect()));
        p.drawImage(s.cell.topLeft(), s.stamp);
        p.restore();
    }
    p.resetTransform();
    const auto screenX = [&](int x) { return (x - origin.x()) * factor; };
    const auto screenY = [&](int y) { return (y - origin.y()) * factor; };
    // Grid lines sit on the first screen pixel of each cell, within the sheet.
    const QRect sheetOnScreen(screenX(0), screenY(0), s.sheet.width() * factor,
                              s.sheet.height() * factor);
    if (s.grid.width() > 0)
        for (int x = 0; x < s.sheet.width(); x += s.grid.width())
            p.fillRect(QRect(screenX(x), sheetOnScreen.top(), 1, sheetOnScreen.height()), kGrid);
    if (s.grid.height() > 0)
        for (int y = 0; y < s.sheet.height(); y += s.grid.height())
            p.fillRect(QRect(sheetOnScreen.left(), screenY(y), sheetOnScreen.width(), 1), kGrid);
    if (s.cell.isValid()) {
        // The mark: a yellow frame two screen pixels wide inside the cell, a dark one outside.
        const QRect r(screenX(s.cell.left()), screenY(s.cell.top()), s.cell.width() * factor,
                      s.cell.height() * factor);
        p.setPen(Qt::NoPen);
        for (auto [rect, colour, t] : {std::tuple(r.adjusted(-1, -1, 1, 1), kMarkEdge, 1),
                                       std::tuple(r, kMark, 2)}) {
            p.fillRect(rect.left(), rect.top(), rect.width(), t, colour);
            p.fillRect(rect.left(), rect.bottom() - t + 1, rect.width(), t, colour);
            p.fillRect(rect.left(), rect.top(), t, rect.height(), colour);
            p.fillRect(rect.right() - t + 1, rect.top(), t, rect.height(), colour);
        }
    }
    return out;
}

}  // namespace tw
