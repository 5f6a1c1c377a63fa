#include "gui/window/surface_widget.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "gui/window/raster_image.h"

namespace tw {
namespace {
const QColor kBorder(40, 40, 40);
const QColor kOutline(255, 255, 0);
const QColor kOutlineEdge(0, 0, 0);
const QColor kDragFrame(0, 255, 255);

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
}

void SurfaceWidget::SetImage(const Raster& image) {
    image_ = ToQImage(image);
    update();
}

void SurfaceWidget::SetHighlight(QImage overlay) {
    highlight_ = std::move(overlay);
    update();
}

void SurfaceWidget::SetOutlines(std::vector<QRect> outlines) {
    outlines_ = std::move(outlines);
    update();
}

void SurfaceWidget::SetZoom(int factor) {
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
    painter.fillRect(rect(), kBorder);
    const QRect client = rect().adjusted(border_, border_, -border_, -border_);
    painter.setClipRect(client);
    // One image pixel to one logical pixel; a scaled screen repeats it, never blends.
    if (!image_.isNull()) painter.drawImage(QRect(client.topLeft(), image_.size()), image_);
    if (!highlight_.isNull())
        painter.drawImage(QRect(client.topLeft(), highlight_.size()), highlight_);
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
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
    const int button = ButtonCode(e->button());
    if (!button || !down_) return;
    const QPointF p = ClientPixel(e->position());
    const int shift = ShiftMask(e->modifiers());
    dragging_ = button == 1 && (shift & 1);
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
    move_(ButtonCode(e->buttons()), ShiftMask(e->modifiers()), static_cast<float>(p.x()),
          static_cast<float>(p.y()));
    if (dragging_ && (e->buttons() & Qt::LeftButton)) {
        const QRect before = dragRect_;
        SpanTo(p);
        if (dragRect_ != before) update();
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
