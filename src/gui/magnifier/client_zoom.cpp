#include "gui/magnifier/client_zoom.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

#include "gui/window/surface_widget.h"

namespace tw {

ClientZoom::ClientZoom(QMainWindow& window, QWidget* client)
    : QObject(&window), window_(window), client_(client) {}

ClientZoom::~ClientZoom() = default;

QSize ClientZoom::ScreenNeeded(int factor) const {
    // The window's own parts (frame, menu bar, status bar) keep their size at every factor.
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    const QWidget* central = window_.centralWidget();
    const int fixedHeight = window_.height() - (central ? central->height() : 0);
    return QSize(client_->width() * factor + frame.width(),
                 client_->height() * factor + fixedHeight + frame.height());
}

int ClientZoom::FitFactor() const {
    const QScreen* screen = window_.screen();
    if (!screen) return 1;
    const QSize avail = screen->availableGeometry().size();
    for (int f = kMaxFactor; f > 1; --f) {
        const QSize needed = ScreenNeeded(f);
        if (needed.width() <= avail.width() && needed.height() <= avail.height()) return f;
    }
    return 1;
}

QString ClientZoom::ZoomInLimit() const {
    const int next = factor_ + 1;
    if (next > kMaxFactor || next <= FitFactor()) return {};
    const QSize needed = ScreenNeeded(next);
    return tr("%1x needs a screen of %2 x %3; F2 opens the magnifier")
        .arg(next)
        .arg(needed.width())
        .arg(needed.height());
}

int ClientZoom::SetFactor(int factor) {
    factor = std::clamp(factor, 1, FitFactor());
    if (factor == factor_) return factor_;
    factor_ = factor;
    if (factor_ == 1) {
        Unembed();
    } else {
        Embed();
        view_->setTransform(QTransform::fromScale(factor_, factor_));
        view_->setFixedSize(client_->size() * factor_);
    }
    for (SurfaceWidget* s : client_->findChildren<SurfaceWidget*>()) s->SetZoom(factor_);
    window_.adjustSize();
    KeepOnScreen();
    emit FactorChanged(factor_);
    return factor_;
}

void ClientZoom::Embed() {
    if (view_) return;
    QWidget* focus = window_.focusWidget();
    window_.takeCentralWidget();
    view_ = new QGraphicsView;
    view_->setObjectName("zoomView");
    auto* scene = new QGraphicsScene(view_);
    proxy_ = scene->addWidget(client_);
    proxy_->setPos(0, 0);  // it came from below the menu bar
    scene->setSceneRect(QRectF(QPointF(0, 0), client_->size()));
    view_->setScene(scene);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Pixels are repeated, never blended; captions are drawn at the larger size.
    view_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    view_->setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    window_.setCentralWidget(view_);
    view_->show();
    view_->setFocus();
    if (focus && client_->isAncestorOf(focus)) focus->setFocus();
}

void ClientZoom::Unembed() {
    if (!view_) return;
    proxy_->setWidget(nullptr);
    client_->setParent(nullptr);
    QWidget* view = window_.takeCentralWidget();
    window_.setCentralWidget(client_);
    client_->show();
    delete view;
    view_ = nullptr;
    proxy_ = nullptr;
}

void ClientZoom::KeepOnScreen() {
    const QScreen* screen = window_.screen();
    if (!screen || !window_.isVisible()) return;
    const QRect avail = screen->availableGeometry();
    QRect frame = window_.frameGeometry();
    frame.moveLeft(std::max(avail.left(), std::min(frame.left(), avail.right() + 1 - frame.width())));
    frame.moveTop(std::max(avail.top(), std::min(frame.top(), avail.bottom() + 1 - frame.height())));
    if (frame.topLeft() != window_.frameGeometry().topLeft()) window_.move(frame.topLeft());
}

}  // namespace tw
