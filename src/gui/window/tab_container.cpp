#include "gui/window/tab_container.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace tw {

TabContainer::TabContainer(const QStringList& captions, QSize size, QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this)) {
    setFixedSize(size);
    for (int i = 0; i < captions.size(); ++i) {
        auto* page = new QWidget(this);
        page->setGeometry(0, 0, size.width(), size.height());
        pages_.push_back(page);
    }
    for (const QString& c : captions) bar_->addTab(c);
    // The tabs share the whole row, as one row of equal tabs across the control.
    bar_->setExpanding(true);
    bar_->setUsesScrollButtons(false);
    bar_->setElideMode(Qt::ElideNone);
    bar_->setDrawBase(false);
    bar_->setGeometry(0, 0, size.width(), kTabRowHeight);
    bar_->raise();
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        ShowPage(index);
        emit CurrentChanged(index);
    });
    ShowPage(0);
}

QWidget* TabContainer::Page(int index) const {
    return index >= 0 && index < Count() ? pages_[index] : nullptr;
}

void TabContainer::ShowPage(int index) {
    for (int i = 0; i < Count(); ++i) pages_[i]->setVisible(i == index);
}

void TabContainer::paintEvent(QPaintEvent*) {
    // The page panel below the tab row; the pages themselves are transparent.
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, kTabRowHeight - 1, 0, 0);
    frame.tabBarSize = bar_->size();
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace tw
