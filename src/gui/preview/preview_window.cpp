#include "gui/preview/preview_window.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "editors/preview_ground.h"
#include "gui/magnifier/view_prefs.h"
#include "gui/window/raster_image.h"
#include "platform/surface.h"

namespace tw {
namespace {
constexpr int kMargin = 8;
constexpr int kCaption = 20;  // the line above each preview that names its side
}  // namespace

PreviewWindow::PreviewWindow(Program& program, QWidget* owner)
    : QWidget(owner, Qt::Tool), program_(program), owner_(owner) {
    setObjectName("previewWindow");
    setWindowTitle(tr("Animation Preview"));
}

PreviewWindow::~PreviewWindow() {
    if (isVisible()) SavePreviewPlace(pos());
}

void PreviewWindow::Refresh() {
    const int factor = program_.PreviewSize();
    if (factor <= 1) {
        if (isVisible()) hide();
        return;
    }
    const PageInfo& page = program_.FrontPage();
    const std::optional<PreviewBuffers> buffers = PreviewBuffersOf(page);
    QImage source, target;
    if (buffers) {
        const auto enlarged = [&](const char* buffer, Side side) {
            return ToQImage(EnlargePreview(program_.Form().Pic(buffer).View(), factor,
                                           PreviewGroundOf(program_, page, side)));
        };
        source = enlarged(buffers->source, Side::Source);
        target = enlarged(buffers->target, Side::Target);
    }
    const bool changed = source != source_ || target != target_;
    source_ = std::move(source);
    target_ = std::move(target);
    const QSize size =
        source_.isNull()
            ? QSize(260, 2 * kMargin + kCaption)
            : QSize(3 * kMargin + source_.width() + target_.width(),
                    2 * kMargin + kCaption + std::max(source_.height(), target_.height()));
    if (size != this->size()) setFixedSize(size);
    if (!isVisible()) Open();
    if (changed) update();
}

void PreviewWindow::Open() {
    if (!placed_) {
        placed_ = true;
        if (const std::optional<QPoint> saved = SavedPreviewPlace()) {
            move(*saved);
        } else {
            // Below the main window's top right corner, kept on its screen.
            const QRect main = owner_->frameGeometry();
            const QScreen* screen = owner_->screen();
            const QRect avail = screen ? screen->availableGeometry() : main;
            QPoint at(main.right() + 1 + kMargin, main.top() + main.height() / 2);
            at.setX(std::clamp(at.x(), avail.left(),
                               std::max(avail.left(), avail.right() + 1 - width())));
            at.setY(std::clamp(at.y(), avail.top(),
                               std::max(avail.top(), avail.bottom() + 1 - height())));
            move(at);
        }
    }
    show();
}

void PreviewWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().windowText().color());
    if (source_.isNull()) {
        p.drawText(rect(), Qt::AlignCenter, tr("The charset and battle pages have previews"));
        return;
    }
    int x = kMargin;
    for (const auto& [caption, image] :
         {std::pair(tr("Source"), &source_), std::pair(tr("Target"), &target_)}) {
        p.drawText(QRect(x, kMargin, image->width(), kCaption), Qt::AlignLeft | Qt::AlignVCenter,
                   caption);
        p.drawImage(QPoint(x, kMargin + kCaption), *image);
        x += image->width() + kMargin;
    }
}

void PreviewWindow::hideEvent(QHideEvent*) { SavePreviewPlace(pos()); }

// Only the user closes it; the model's 1x and the main window's end hide it.
void PreviewWindow::closeEvent(QCloseEvent*) { emit Closed(); }

}  // namespace tw
