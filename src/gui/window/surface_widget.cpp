#include "gui/window/surface_widget.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "gui/window/raster_image.h"

namespace tw {
namespace {
const QColor kBorder(40, 40, 40);
const QColor kOutline(255, 255, 0);
const QColor kOutlineEdge(0, 0, 0);
const QColor kDragFrame(0, 255, 255);
const QColor kBarTrack(0, 0, 0, 90);
const QColor kBarThumb(255, 255, 255, 200);
// The bars lie over the picture: thin, so they hide little of the edge cells.
constexpr int kBarWidth = 5;
// A Shift-drag held at an edge scrolls a cell this often.
constexpr int kEdgeScrollMs = 60;

// A frame `t` units thick just inside `r`.
void FrameRect(QPainter& p, const QRectF& r, qreal t, const QColor& c) {
    p.fillRect(QRectF(r.left(), r.top(), r.width(), t), c);
    p.fillRect(QRectF(r.left(), r.bottom() - t, r.width(), t), c);
    p.fillRect(QRectF(r.left(), r.top(), t, r.height()), c);
    p.fillRect(QRectF(r.right() - t, r.top(), t, r.height()), c);
}
}  // namespace

SurfaceWidget::SurfaceWidget(int border, QWidget* parent) : QWidget(parent), border_(border) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    edgeTimer_.setInterval(kEdgeScrollMs);
    connect(&edgeTimer_, &QTimer::timeout, this, [this] { EdgeScroll(); });
}

void SurfaceWidget::SetScrollState(QPoint origin, QSize picture) {
    if (origin == origin_ && picture == picture_) return;
    origin_ = origin;
    picture_ = picture;
    update();
}

QSize SurfaceWidget::ClientSize() const {
    return QSize(width() - 2 * border_, height() - 2 * border_);
}

QRect SurfaceWidget::VerticalBar() const {
    const QSize c = ClientSize();
    if (picture_.height() <= c.height()) return {};
    const bool both = picture_.width() > c.width();
    return QRect(c.width() - kBarWidth, 0, kBarWidth, c.height() - (both ? kBarWidth : 0));
}

QRect SurfaceWidget::HorizontalBar() const {
    const QSize c = ClientSize();
    if (picture_.width() <= c.width()) return {};
    const bool both = picture_.height() > c.height();
    return QRect(0, c.height() - kBarWidth, c.width() - (both ? kBarWidth : 0), kBarWidth);
}

QRect SurfaceWidget::Thumb(const QRect& bar, bool vertical) const {
    const int length = vertical ? bar.height() : bar.width();
    const int pane = vertical ? ClientSize().height() : ClientSize().width();
    const int whole = std::max(1, vertical ? picture_.height() : picture_.width());
    const int at = vertical ? origin_.y() : origin_.x();
    const int size = std::clamp(length * pane / whole, 8, length);
    const int start = std::min(length - size, static_cast<int>(static_cast<long long>(length) * at / whole));
    return vertical ? QRect(bar.left(), bar.top() + start, bar.width(), size)
                    : QRect(bar.left() + start, bar.top(), size, bar.height());
}

void SurfaceWidget::ScrollAlongBar(const QPointF& p) {
    if (!scrollTo_) return;
    // The thumb's middle goes under the pointer.
    const QSize c = ClientSize();
    if (barDrag_ == 1) {
        const QRect bar = VerticalBar();
        const double at = (p.y() - bar.top()) / std::max(1, bar.height());
        scrollTo_(origin_.x(), static_cast<int>(at * picture_.height() - c.height() / 2.0));
    } else {
        const QRect bar = HorizontalBar();
        const double at = (p.x() - bar.left()) / std::max(1, bar.width());
        scrollTo_(static_cast<int>(at * picture_.width() - c.width() / 2.0), origin_.y());
    }
}

void SurfaceWidget::wheelEvent(QWheelEvent* e) {
    if (!scrollBy_) return QWidget::wheelEvent(e);
    // One notch (120) is one cell row, with Shift one column; a notch across
    // (a tilting wheel or a touchpad) is a column too.
    const QPoint d = e->angleDelta();
    const bool across = (e->modifiers() & Qt::ShiftModifier) || d.y() == 0;
    const int notches = -(d.y() != 0 ? d.y() : d.x()) / 120;
    if (notches != 0) scrollBy_(across ? notches : 0, across ? 0 : notches);
    e->accept();
}

void SurfaceWidget::EdgeScroll() {
    if (!dragging_ || !scrollBy_) return edgeTimer_.stop();
    const QSize c = ClientSize();
    const int columns = lastDrag_.x() <= 0 ? -1 : lastDrag_.x() >= c.width() - 1 ? 1 : 0;
    const int rows = lastDrag_.y() <= 0 ? -1 : lastDrag_.y() >= c.height() - 1 ? 1 : 0;
    if (!columns && !rows) return edgeTimer_.stop();
    const QPoint before = origin_;
    scrollBy_(columns, rows);
    if (origin_ == before) return;
    SpanTo(lastDrag_);
    update();
}

void SurfaceWidget::SetImage(const Raster& image) {
    CopyToQImage(image, image_);
    update();
}

void SurfaceWidget::SetHighlight(QImage overlay) {
    highlight_ = std::move(overlay);
    update();
}

void SurfaceWidget::SetOutlines(std::vector<QRect> outlines) {
    if (outlines == outlines_) return;
    // A moving outline changes only the pixels under its old and new frames:
    // repainting just those keeps a pointer move cheap on a large sheet.
    QRegion changed;
    for (const std::vector<QRect>* list : {&outlines_, &outlines})
        for (const QRect& o : *list) changed += OutlineArea(o);
    outlines_ = std::move(outlines);
    update(changed);
}

QRegion SurfaceWidget::OutlineArea(const QRect& outline) const {
    if (outline.width() <= 0 || outline.height() <= 0) return {};
    // The dark edge drawn from 2x lies one screen pixel outside the frame.
    const QRect r = outline.translated(border_, border_).adjusted(-1, -1, 1, 1);
    const QRect inner = r.adjusted(2, 2, -2, -2);
    QRegion area(r);
    return inner.isEmpty() ? area : area - QRegion(inner);
}

void SurfaceWidget::SetGrid(QSize step) {
    if (step == grid_) return;
    grid_ = step;
    update();
}

void SurfaceWidget::SetOverlay(QPoint at, const QImage& overlay) {
    if (at == overlayAt_ && overlay == overlay_) return;
    overlayAt_ = at;
    overlay_ = overlay;
    update();
}

void SurfaceWidget::SetZoom(int factor) {
    if (factor == zoom_) return;
    zoom_ = factor;
    update();
}

void SurfaceWidget::OnDropFile(std::function<void(const QString&)> h) {
    drop_ = std::move(h);
    setAcceptDrops(static_cast<bool>(drop_));
}

QPointF SurfaceWidget::ClientPixel(const QPointF& p) const {
    // On a scaled screen a position can fall between logical pixels; the pixel
    // the user sees under the pointer is the one it rounds down into.
    return QPointF(std::floor(p.x()) - border_, std::floor(p.y()) - border_);
}

int SurfaceWidget::ButtonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

int SurfaceWidget::ShiftMask(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect client = rect().adjusted(border_, border_, -border_, -border_);
    // The opaque image covers its part of the client area: only the rest is
    // filled, so each pixel is painted once.
    const QRect covered = image_.isNull() ? QRect() : QRect(client.topLeft(), image_.size()) & client;
    for (const QRect& r : QRegion(rect()) - QRegion(covered)) painter.fillRect(r, kBorder);
    painter.setClipRect(client);
    // One image pixel to one logical pixel; a scaled screen repeats it, never blends.
    if (!image_.isNull()) painter.drawImage(QRect(client.topLeft(), image_.size()), image_);
    if (!overlay_.isNull())
        painter.drawImage(QRect(client.topLeft() + overlayAt_, overlay_.size()), overlay_);
    if (!highlight_.isNull())
        painter.drawImage(QRect(client.topLeft(), highlight_.size()), highlight_);
    if (grid_.width() > 0 && grid_.height() > 0 && !image_.isNull()) {
        // Dots alternate with every sheet pixel along a line; the line itself
        // is one screen pixel thin at every zoom factor.
        static const QBrush dots = [] {
            QImage d(2, 2, QImage::Format_RGB32);
            d.setPixel(0, 0, qRgb(0, 0, 0));
            d.setPixel(1, 1, qRgb(0, 0, 0));
            d.setPixel(1, 0, qRgb(255, 255, 255));
            d.setPixel(0, 1, qRgb(255, 255, 255));
            return QBrush(d);
        }();
        painter.setBrushOrigin(client.topLeft());
        const qreal t = 1.0 / zoom_;
        const QRectF sheet(client.topLeft(), image_.size());
        for (int x = grid_.width(); x < image_.width(); x += grid_.width())
            painter.fillRect(QRectF(sheet.left() + x, sheet.top(), t, sheet.height()), dots);
        for (int y = grid_.height(); y < image_.height(); y += grid_.height())
            painter.fillRect(QRectF(sheet.left(), sheet.top() + y, sheet.width(), t), dots);
    }
    for (const QRect& o : outlines_) {
        const QRect r = o.translated(client.topLeft());
        if (r.width() <= 0 || r.height() <= 0) continue;
        if (zoom_ >= 2) {
            const qreal t = 1.0 / zoom_;  // one screen pixel in widget units
            FrameRect(painter, QRectF(r).adjusted(-t, -t, t, t), t, kOutlineEdge);
        }
        painter.fillRect(r.left(), r.top(), r.width(), 1, kOutline);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, kOutline);
        painter.fillRect(r.left(), r.top(), 1, r.height(), kOutline);
        painter.fillRect(r.right(), r.top(), 1, r.height(), kOutline);
    }
    // The block a Shift-drag spans, over the outlines.
    if (!dragRect_.isEmpty())
        FrameRect(painter, QRectF(dragRect_.translated(client.topLeft())), 1, kDragFrame);
    for (const bool vertical : {true, false}) {
        const QRect bar = vertical ? VerticalBar() : HorizontalBar();
        if (bar.isEmpty()) continue;
        painter.fillRect(bar.translated(client.topLeft()), kBarTrack);
        painter.fillRect(Thumb(bar, vertical).adjusted(1, 1, -1, -1).translated(client.topLeft()),
                         kBarThumb);
    }
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
    const int button = ButtonCode(e->button());
    if (!button || !down_) return;
    const QPointF p = ClientPixel(e->position());
    // A press on a bar moves the view, and picks nothing.
    if (button == 1 && scrollTo_) {
        const QPoint at(static_cast<int>(p.x()), static_cast<int>(p.y()));
        barDrag_ = VerticalBar().contains(at) ? 1 : HorizontalBar().contains(at) ? 2 : 0;
        if (barDrag_) return ScrollAlongBar(p);
    }
    const int shift = ShiftMask(e->modifiers());
    dragging_ = button == 1 && (shift & 1);
    lastDrag_ = p;
    dragRect_ = QRect();
    down_(button, shift, static_cast<float>(p.x()), static_cast<float>(p.y()));
    // Asked after the press has picked its cell: the drag spans from there.
    if (dragging_) {
        SpanTo(p);
        update();
    }
}

void SurfaceWidget::SpanTo(const QPointF& p) {
    dragRect_ = span_ ? span_(static_cast<float>(p.x()), static_cast<float>(p.y())) : QRect();
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* e) {
    const int button = ButtonCode(e->button());
    if (barDrag_) {
        barDrag_ = 0;
        return;
    }
    edgeTimer_.stop();
    if (dragging_) {
        dragging_ = false;
        dragRect_ = QRect();
        update();
    }
    if (!button || !up_) return;
    const QPointF p = ClientPixel(e->position());
    up_(button, ShiftMask(e->modifiers()), static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* e) {
    // While a button is held Qt keeps sending moves here, also from outside.
    if (!move_) return;
    const QPointF p = ClientPixel(e->position());
    if (barDrag_) return ScrollAlongBar(p);
    move_(ButtonCode(e->buttons()), ShiftMask(e->modifiers()), static_cast<float>(p.x()),
          static_cast<float>(p.y()));
    if (dragging_ && (e->buttons() & Qt::LeftButton)) {
        const QRect before = dragRect_;
        lastDrag_ = p;
        SpanTo(p);
        if (dragRect_ != before) update();
        // Held at or past an edge, the view scrolls on until the pointer comes back.
        const QSize c = ClientSize();
        const bool atEdge = p.x() <= 0 || p.y() <= 0 || p.x() >= c.width() - 1 || p.y() >= c.height() - 1;
        if (atEdge && scrollBy_ && !edgeTimer_.isActive()) edgeTimer_.start();
    }
}

QString DroppedLocalFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty()) return {};
    const QUrl first = mime->urls().first();
    return first.isLocalFile() ? first.toLocalFile() : QString();
}

void SurfaceWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (drop_ && !DroppedLocalFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void SurfaceWidget::dragMoveEvent(QDragMoveEvent* e) {
    if (drop_ && !DroppedLocalFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void SurfaceWidget::dropEvent(QDropEvent* e) {
    const QString path = DroppedLocalFile(e->mimeData());
    if (!drop_ || path.isEmpty()) return;
    e->acceptProposedAction();
    drop_(path);
}

}  // namespace tw
