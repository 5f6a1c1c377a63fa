#pragma once
// A small tool window beside the main window that shows the sheet around the
// pointer at 4x or 8x (its own toggle), with the page's grid, the cell under
// the pointer and, over a target, what a stamp would put there. It follows
// the pointer over every source and target, stays open across pages, and
// keeps its place and size between runs.

#include <QImage>
#include <QWidget>
#include <string>

#include "shell/frm_main.h"

class QCheckBox;

namespace tw {

class MagnifierWindow : public QWidget {
    Q_OBJECT
public:
    MagnifierWindow(const frmMain& form, QWidget* owner);
    ~MagnifierWindow() override;

    // The pointer is over `surface` at sheet pixel `pixel`.
    void PointerAt(const std::string& surface, QPoint pixel);
    // The pointer's surface went out of sight (another page came to the front).
    void PointerGone();
    // Draws the picture anew from the model, when shown.
    void Refresh();
    // Shows the window at its saved place, or beside its owner the first time.
    void Open();

    int Factor() const;
    void SetFactor(int factor);
    const QImage& Picture() const { return picture_; }

signals:
    void VisibilityChanged(bool shown);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QRect PictureRect() const;
    void PlaceBesideOwner();

    const frmMain& form_;
    QWidget* owner_;
    QCheckBox* eight_;
    std::string surface_;
    QPoint pixel_;
    QImage picture_;
    bool placed_ = false;
};

}  // namespace tw
