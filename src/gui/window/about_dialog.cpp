#include "gui/window/about_dialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "gui/window/image_view_widget.h"
#include "shell/app_icon.h"

namespace tw {
namespace {

QRect Rect(const AboutItem& i) { return QRect(i.left, i.top, i.width, i.height); }

template <class W>
W* Put(W* w, const AboutItem& item, const char* tip = nullptr) {
    w->setObjectName(item.name);
    w->setGeometry(Rect(item));
    if (tip) w->setToolTip(QString::fromUtf8(tip));
    return w;
}

}  // namespace

AboutDialog::AboutDialog(frmAbout& model, QWidget* owner) : QDialog(owner), model_(model) {
    setWindowTitle(frmAbout::kCaption);
    setFixedSize(frmAbout::kClientWidth, frmAbout::kClientHeight);
    setModal(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(16, 22, 40));
    setPalette(dark);
    setAutoFillBackground(true);

    auto* picture = Put(new ImageViewWidget(false, this), frmAbout::kImage1);
    picture->SetPicture(frmAbout::AboutPicture());
    picture->installEventFilter(this);

    auto* icon = Put(new ImageViewWidget(false, this), frmAbout::kImage2, frmAbout::kCreditTip);
    icon->SetPicture(Picture(AppIcon(frmAbout::kImage2.width)));

    // Transparent hot spots on the picture: only their tooltips show.
    Put(new QLabel(this), frmAbout::kReleaseDate, frmAbout::kReleaseDateTip);
    Put(new QLabel(this), frmAbout::kQuotation, frmAbout::kQuotationTip);

    auto* notice =
        Put(new QLabel(QString::fromUtf8(frmAbout::kNoticeText), this), frmAbout::kNotice);
    notice->setAlignment(Qt::AlignCenter);
    QPalette white = notice->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    notice->setPalette(white);
    notice->installEventFilter(this);

    if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* AboutDialog::Item(const char* name) const { return findChild<QWidget*>(name); }

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        auto* w = static_cast<QWidget*>(watched);
        if (e->button() == Qt::LeftButton && w->rect().contains(e->position().toPoint())) {
            if (w->objectName() == frmAbout::kImage1.name) model_.Image1_Click();
            if (w->objectName() == frmAbout::kNotice.name) model_.Label2_Click();
            if (model_.Unloaded) accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tw
