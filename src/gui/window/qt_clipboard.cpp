#include "gui/window/qt_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QRegularExpression>
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
    // A picture file's bytes ("image/png") count, not only Qt's own images.
    mayHoldImage_ = mime && (mime->hasImage() || !mime->formats().filter(QRegularExpression("^image/")).isEmpty());
}

std::optional<Raster> QtClipboard::Image(int maxW, int maxH) const {
    tooLarge_.reset();
    const QImage full = QGuiApplication::clipboard()->image();
    if (full.isNull()) {
        // Qt hands over no picture above its allocation limit; the header
        // of the offered file still tells the size.
        if (const QMimeData* mime = QGuiApplication::clipboard()->mimeData())
            for (const QString& format : mime->formats()) {
                if (!format.startsWith("image/")) continue;
                QByteArray bytes = mime->data(format);
                QBuffer buffer(&bytes);
                const QSize size = QImageReader(&buffer).size();
                if (size.isValid()) {
                    tooLarge_ = std::pair{size.width(), size.height()};
                    break;
                }
            }
        return std::nullopt;
    }
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
