#pragma once
// The About window: a fixed picture window that a click on the picture or on
// the notice line closes (through the model's handlers); the close box too.

#include <QDialog>

#include "shell/frm_about.h"

namespace tw {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(frmAbout& model, QWidget* owner);
    // The widget of one of the window's controls, by its model name.
    QWidget* Item(const char* name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmAbout& model_;
};

}  // namespace tw
