#include "gui/colours/swatch_grid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tw {
namespace {
constexpr int kEngineColours = 256;
constexpr int kMargin = 4;
}  // namespace

SwatchGrid::SwatchGrid(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void SwatchGrid::SetSwatches(std::vector<Swatch> swatches) {
    swatches_ = std::move(swatches);
    hovered_ = -1;
    pressed_ = -1;
    dragging_ = false;
    setMinimumHeight(heightForWidth(width()));
    updateGeometry();
    update();
}

int SwatchGrid::Columns(int width) const { return std::max(1, (width - 2 * kMargin) / kStep); }

int SwatchGrid::heightForWidth(int width) const {
    const int n = static_cast<int>(swatches_.size());
    const int rows = (n + Columns(width) - 1) / Columns(width);
    return 2 * kMargin + rows * kStep;
}

QSize SwatchGrid::sizeHint() const {
    // Sixteen to a row: a whole palette of 256 is sixteen rows.
    const int width = 2 * kMargin + 16 * kStep;
    return QSize(width, heightForWidth(width));
}

void SwatchGrid::resizeEvent(QResizeEvent*) {
    if (const int h = heightForWidth(width()); minimumHeight() != h) setMinimumHeight(h);
}

QRect SwatchGrid::SwatchRect(int position) const {
    const int columns = Columns(width());
    return QRect(kMargin + position % columns * kStep, kMargin + position / columns * kStep,
                 kSide, kSide);
}

int SwatchGrid::PositionAt(QPoint p) const {
    if (p.x() < kMargin || p.y() < kMargin) return -1;
    const int column = (p.x() - kMargin) / kStep, row = (p.y() - kMargin) / kStep;
    const int columns = Columns(width());
    if (column >= columns) return -1;
    const int position = row * columns + column;
    if (position >= static_cast<int>(swatches_.size())) return -1;
    return SwatchRect(position).contains(p) ? position : -1;
}

void SwatchGrid::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    for (int i = 0; i < static_cast<int>(swatches_.size()); ++i) {
        const QRect r = SwatchRect(i);
        if (!r.intersects(e->rect().adjusted(-3, -3, 3, 3))) continue;
        const Swatch& s = swatches_[i];
        p.fillRect(r, QColor::fromRgb(s.colour));
        p.setPen(QColor(90, 90, 90));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (s.index == 0) {
            // The transparent colour: a black and white frame and corner.
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(-1, -1, 0, 0));
            p.setPen(Qt::white);
            p.drawRect(r.adjusted(-2, -2, 1, 1));
            p.fillRect(QRect(r.topLeft(), QSize(5, 5)), Qt::white);
            p.fillRect(QRect(r.topLeft(), QSize(3, 3)), Qt::black);
        }
        if (s.index >= kEngineColours) {
            p.setPen(QPen(QColor(220, 0, 0), 2));
            p.drawLine(r.topLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomLeft());
        }
        if (i == hovered_) {
            p.setPen(QPen(palette().highlight().color(), 2));
            p.drawRect(r.adjusted(-2, -2, 1, 1));
        }
    }
}

void SwatchGrid::Hover(int position) {
    if (position == hovered_) return;
    hovered_ = position;
    update();
    emit Hovered(position);
}

void SwatchGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = PositionAt(e->position().toPoint());
    pressedAt_ = e->position().toPoint();
    dragging_ = false;
}

void SwatchGrid::mouseMoveEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (pressed_ >= 0 && (e->buttons() & Qt::LeftButton) &&
        (at - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        if (!dragging_) setCursor(Qt::DragMoveCursor);
        dragging_ = true;
    }
    Hover(PositionAt(at));
}

void SwatchGrid::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int from = std::exchange(pressed_, -1);
    const bool dragged = std::exchange(dragging_, false);
    unsetCursor();
    const int at = PositionAt(e->position().toPoint());
    if (from < 0 || at < 0) return;
    if (dragged && at != from)
        emit Dropped(from, at);
    else if (!dragged && at == from)
        emit Clicked(at);
}

void SwatchGrid::leaveEvent(QEvent*) {
    if (pressed_ < 0) Hover(-1);
}

}  // namespace tw
