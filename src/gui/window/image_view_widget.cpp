#include "gui/window/image_view_widget.h"

#include <QPainter>

#include "gui/window/raster_image.h"

namespace tw {

ImageViewWidget::ImageViewWidget(bool border, QWidget* parent) : QWidget(parent), border_(border) {}

void ImageViewWidget::SetPicture(const Picture& picture) {
    image_ = ToQImage(picture);
    // A picture covers everything inside the border, so the page behind
    // need not be painted first; without one the page shows through.
    setAttribute(Qt::WA_OpaquePaintEvent, !image_.isNull());
    update();
}

QRect ImageViewWidget::PictureRect() const {
    return border_ ? rect().adjusted(1, 1, -1, -1) : rect();
}

void ImageViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (border_) {
        painter.setPen(QColor(40, 40, 40));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!image_.isNull()) painter.drawImage(PictureRect(), image_);
}

}  // namespace tw
