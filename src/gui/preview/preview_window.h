#pragma once
// The enlarged animation previews (Animation > Preview Size 2x to 4x): a
// small tool window showing the page in front's two preview buffers, source
// and target side by side, each pixel an exact square, over the ground of
// Animation > Preview Background. It follows the previews as they play or
// step, and comes back at the same place next run. Choosing 1x closes it;
// closing it chooses 1x.

#include <QImage>
#include <QWidget>

#include "editors/program.h"

namespace tw {

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    PreviewWindow(Program& program, QWidget* owner);
    ~PreviewWindow() override;

    // Shows, hides and draws the window as the model's choices say.
    void Refresh();
    // The enlarged preview of the page in front's side; null when none.
    const QImage& Picture(Side side) const { return side == Side::Source ? source_ : target_; }

signals:
    // The user closed the window: the model's size goes back to 1x.
    void Closed();

protected:
    void paintEvent(QPaintEvent*) override;
    void hideEvent(QHideEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    void Open();

    Program& program_;
    QWidget* owner_;
    QImage source_, target_;
    bool placed_ = false;
};

}  // namespace tw
