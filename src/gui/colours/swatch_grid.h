#pragma once
// The swatches of the colour panel, row after row: the transparent colour
// (index 0) framed and cornered in black and white, the colours the engine
// cannot take (index 256 on) crossed in red. Resting on a swatch, clicking
// it and dragging it onto another are reported; the panel decides what they do.

#include <QWidget>
#include <vector>

#include "platform/raster.h"

namespace tw {

struct Swatch {
    int index;  // in the palette a save writes
    Pixel colour;
};

class SwatchGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSide = 16;  // a swatch's side in pixels
    static constexpr int kStep = 19;  // from one swatch to the next

    explicit SwatchGrid(QWidget* parent = nullptr);

    void SetSwatches(std::vector<Swatch> swatches);
    const std::vector<Swatch>& Swatches() const { return swatches_; }
    // The place of the swatch at `position` in the grid's order, and the
    // position under a point (-1: none).
    QRect SwatchRect(int position) const;
    int PositionAt(QPoint p) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

signals:
    // The pointer rests on a swatch, or on none (position -1).
    void Hovered(int position);
    void Clicked(int position);
    // Swatch `from` was dropped on swatch `to`.
    void Dropped(int from, int to);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    int Columns(int width) const;
    void Hover(int position);

    std::vector<Swatch> swatches_;
    int hovered_ = -1;
    int pressed_ = -1;  // the swatch a left press began on
    QPoint pressedAt_;
    bool dragging_ = false;
};

}  // namespace tw
