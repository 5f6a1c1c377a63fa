#pragma once
// A tab control laid out as the model places things: a row of tabs over a
// container the size of the whole control, every page a full-size child at
// (0, 0), so that a control on a page sits at its model position relative to
// the tab control. Only the current page is shown.

#include <QTabBar>
#include <QWidget>
#include <vector>

namespace tw {

class TabContainer : public QWidget {
    Q_OBJECT
public:
    TabContainer(const QStringList& captions, QSize size, QWidget* parent = nullptr);

    QTabBar* TabBar() const { return bar_; }
    QWidget* Page(int index) const;
    int Count() const { return static_cast<int>(pages_.size()); }
    int Current() const { return bar_->currentIndex(); }
    void SetCurrent(int index) { bar_->setCurrentIndex(index); }

    static constexpr int kTabRowHeight = 21;

signals:
    void CurrentChanged(int index);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void ShowPage(int index);

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
};

}  // namespace tw
