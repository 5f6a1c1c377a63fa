#include "gui/magnifier/magnifier_window.h"

#include <QCheckBox>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "gui/magnifier/magnifier_facts.h"
#include "gui/magnifier/magnifier_picture.h"
#include "gui/window/raster_image.h"
#include "gui/magnifier/view_prefs.h"
#include "platform/controls.h"
#include "platform/source_canvas.h"
#include "platform/surface.h"

namespace tw {
namespace {
constexpr int kBar = 24;  // the strip above the picture that holds the toggle
constexpr int kGap = 8;   // between the main window and the magnifier
}  // namespace

MagnifierWindow::MagnifierWindow(const frmMain& form, QWidget* owner)
    : QWidget(owner, Qt::Tool), form_(form), owner_(owner) {
    setObjectName("magnifier");
    setWindowTitle(tr("Magnifier"));
    eight_ = new QCheckBox(tr("&8x"), this);
    eight_->setObjectName("magnifier8x");
    eight_->setChecked(true);
    eight_->setGeometry(6, 2, 80, kBar - 4);
    connect(eight_, &QCheckBox::toggled, this, [this] { Refresh(); });
    setMinimumSize(96, 96 + kBar);
    resize(256, 256 + kBar);
}

MagnifierWindow::~MagnifierWindow() {
    if (isVisible()) SaveMagnifierGeometry(saveGeometry());
}

int MagnifierWindow::Factor() const { return eight_->isChecked() ? 8 : 4; }

void MagnifierWindow::SetFactor(int factor) { eight_->setChecked(factor == 8); }

void MagnifierWindow::PointerAt(const std::string& surface, QPoint pixel) {
    surface_ = surface;
    pixel_ = pixel;
}

void MagnifierWindow::PointerGone() {
    surface_.clear();
    Refresh();
}

QRect MagnifierWindow::PictureRect() const {
    return QRect(0, kBar, width(), std::max(0, height() - kBar));
}

void MagnifierWindow::Refresh() {
    if (!isVisible()) return;
    MagnifierScene scene;
    if (const auto facts = MagnifierFacts(form_, surface_)) {
        scene.sheet = ToQImage(form_.Pic(surface_).View());
        scene.pointer = pixel_;
        scene.grid = facts->grid;
        const Outline& o = form_.Shape(facts->outline);
        // A source's outline is on its picture; the magnifier shows the view.
        const auto* source = dynamic_cast<const SourceCanvas*>(&form_.Pic(surface_));
        const QPoint origin = source ? QPoint(source->OriginX(), source->OriginY()) : QPoint();
        scene.cell = QRect(o.Left() - origin.x(), o.Top() - origin.y(), o.Width(), o.Height());
        scene.stamp = ToQImage(StampPreview(form_, surface_, *facts));
    }
    picture_ = RenderMagnifier(scene, Factor(), PictureRect().size());
    update();
}

void MagnifierWindow::Open() {
    if (!placed_) {
        const QByteArray saved = SavedMagnifierGeometry();
        if (saved.isEmpty() || !restoreGeometry(saved)) PlaceBesideOwner();
        placed_ = true;
    }
    show();
    raise();
}

void MagnifierWindow::PlaceBesideOwner() {
    const QRect main = owner_->frameGeometry();
    const QScreen* screen = owner_->screen();
    const QRect avail = screen ? screen->availableGeometry() : main;
    QPoint at(main.right() + 1 + kGap, main.top());
    if (at.x() + width() > avail.right() + 1) at.setX(main.left() - kGap - width());
    at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() + 1 - width())));
    at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - height())));
    move(at);
}

void MagnifierWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawImage(PictureRect().topLeft(), picture_);
}

void MagnifierWindow::resizeEvent(QResizeEvent*) { Refresh(); }

void MagnifierWindow::showEvent(QShowEvent*) {
    Refresh();
    emit VisibilityChanged(true);
}

void MagnifierWindow::hideEvent(QHideEvent*) {
    SaveMagnifierGeometry(saveGeometry());
    emit VisibilityChanged(false);
}

}  // namespace tw
