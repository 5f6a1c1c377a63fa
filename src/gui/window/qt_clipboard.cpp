#include "gui/window/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <algorithm>

#include "gui/window/raster_image.h"

namespace tw {

QtClipboard::QtClipboard() { Changed(); }

void QtClipboard::Changed() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // Our own content, and a clipboard kept inside the process (the offscreen
    // platform), are read without asking anybody; another program's content
    // may be a picture until Paste finds out.
    const QString platform = QGuiApplication::platformName();
    const bool local = clipboard->ownsClipboard() || platform == "offscreen" || platform == "minimal";
    if (!local) {
        mayHoldImage_ = true;
        return;
    }
    const QMimeData* mime = clipboard->mimeData();
    mayHoldImage_ = mime && mime->hasImage();
}

std::optional<Raster> QtClipboard::Image(int maxW, int maxH) const {
    const QImage full = QGuiApplication::clipboard()->image();
    if (full.isNull()) return std::nullopt;
    // Only the part a sheet can take is converted, however large the picture.
    const QImage part = full.copy(0, 0, std::min(maxW, full.width()), std::min(maxH, full.height()))
                            .convertToFormat(QImage::Format_ARGB32);
    Raster out(part.width(), part.height());
    for (int y = 0; y < part.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(part.constScanLine(y));
        std::copy(from, from + part.width(), out.Row(y));
    }
    return out;
}

void QtClipboard::SetImage(const Raster& image) {
    QGuiApplication::clipboard()->setImage(ToQImage(image));
}

}  // namespace tw
