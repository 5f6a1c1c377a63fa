#pragma once
// A surface on the screen: its persistent image 1:1 inside a flat 1-pixel
// border, with its outlines on top. Mouse events go out in the surface's
// client-area pixels; a dropped local file goes out as its path.

#include <QImage>
#include <QMimeData>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/raster.h"

namespace tw {

class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

    // `border`: pixels of border around the client area.
    explicit SurfaceWidget(int border, QWidget* parent = nullptr);

    void SetImage(const Raster& image);
    // A picture of the client area's size drawn over the image and under the
    // outlines, on the screen only; a null image removes it.
    void SetHighlight(QImage overlay);
    const QImage& Highlight() const { return highlight_; }
    // Outline rectangles in client-area pixels.
    void SetOutlines(std::vector<QRect> outlines);
    // The window's zoom factor: from 2 up, each outline gets a dark edge one
    // screen pixel wide outside it, so that it shows on yellow and green tiles.
    void SetZoom(int factor);
    // Lines between the cells of this step, drawn one screen pixel thin in
    // black and white dots so that they show on any colour; empty: none.
    void SetGrid(QSize step);
    QSize Grid() const { return grid_; }
    // A picture laid over the sheet at client position `at`, under the
    // outlines (the onion skin); a null image: none.
    void SetOverlay(QPoint at, const QImage& overlay);
    void OnMouseDown(MouseHandler h) { down_ = std::move(h); }
    void OnMouseMove(MouseHandler h) { move_ = std::move(h); }
    void OnMouseUp(MouseHandler h) { up_ = std::move(h); }
    // What a Shift + left drag spans at a client position: the block of whole
    // cells its release there would pick, empty where it picks nothing.
    void OnDragSpan(std::function<QRect(float x, float y)> h) { span_ = std::move(h); }
    // The rectangle a Shift + left drag spans now, in client pixels; empty
    // when no such drag goes on.
    QRect DragRect() const { return dragRect_; }
    // A source that scrolls: its view's origin in its picture and the size of
    // the picture it keeps. Over a picture larger than the pane, thin bars
    // inside the pane's edges show where the view stands.
    void SetScrollState(QPoint origin, QSize picture);
    QPoint Origin() const { return origin_; }
    // Where the wheel, a drag held past an edge and the bars move the view:
    // by whole cells (columns, rows), or to a pixel of the picture.
    void OnScrollBy(std::function<void(int columns, int rows)> h) { scrollBy_ = std::move(h); }
    void OnScrollTo(std::function<void(int x, int y)> h) { scrollTo_ = std::move(h); }
    // The bars' rectangles in client pixels; empty when the picture fits.
    QRect VerticalBar() const;
    QRect HorizontalBar() const;
    // Turns on dropping: `h` receives the local path of the first dropped file.
    void OnDropFile(std::function<void(const QString&)> h);

    const QImage& Image() const { return image_; }
    // Where a widget position lands in the client area: the pixel under it.
    QPointF ClientPixel(const QPointF& widgetPos) const;

    // The model's codes: buttons 1 left, 2 right, 4 middle; Shift 1, Ctrl 2, Alt 4.
    static int ButtonCode(Qt::MouseButtons buttons);
    static int ShiftMask(Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Sets the drag rectangle to the span at client position p.
    void SpanTo(const QPointF& p);
    QSize ClientSize() const;
    // The widget pixels an outline's frame covers, its dark edge included.
    QRegion OutlineArea(const QRect& outline) const;
    // The thumb of a bar: where the view stands along it.
    QRect Thumb(const QRect& bar, bool vertical) const;
    // A press or drag on a bar at client position p moves the view there.
    void ScrollAlongBar(const QPointF& p);
    // One step of a Shift-drag held at or past an edge: the view moves a
    // cell that way and the block follows.
    void EdgeScroll();

    int border_;
    QImage image_;
    QImage highlight_;
    std::vector<QRect> outlines_;
    QSize grid_;
    QPoint overlayAt_;
    QImage overlay_;
    int zoom_ = 1;
    MouseHandler down_, move_, up_;
    std::function<QRect(float, float)> span_;
    // A Shift + left drag goes on.
    bool dragging_ = false;
    QRect dragRect_;
    std::function<void(const QString&)> drop_;
    QPoint origin_;
    QSize picture_;
    std::function<void(int, int)> scrollBy_;
    std::function<void(int, int)> scrollTo_;
    int barDrag_ = 0;  // 1: the vertical bar is held, 2: the horizontal one
    QPointF lastDrag_;
    QTimer edgeTimer_;
};

// The local file a drop carries: its first URL when that is a local file,
// otherwise an empty string.
QString DroppedLocalFile(const QMimeData* mime);

}  // namespace tw
