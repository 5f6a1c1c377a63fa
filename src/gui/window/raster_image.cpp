#include "gui/window/raster_image.h"

namespace tw {

QImage ToQImage(const Raster& raster) {
    QImage image;
    CopyToQImage(raster, image);
    return image;
}

void CopyToQImage(const Raster& raster, QImage& image) {
    if (raster.Empty()) {
        image = QImage();
        return;
    }
    const QSize size(raster.Width(), raster.Height());
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    for (int y = 0; y < raster.Height(); ++y) {
        const Pixel* from = raster.Row(y);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.Width(); ++x) to[x] = 0xFF000000u | from[x];
    }
}

QImage ToQImage(const Picture& picture) {
    return picture.raster() ? ToQImage(*picture.raster()) : QImage();
}

QColor FromWindowsColor(long colour) {
    return QColor(colour & 255, (colour >> 8) & 255, (colour >> 16) & 255);
}

}  // namespace tw
