#pragma once
// The common dialog as Qt's own file dialog. Answers can be queued ahead (a
// dropped file, a test's choice); only with nothing queued does a dialog open.

#include <QString>
#include <QStringList>
#include <string_view>

#include "platform/queued_file_dialog.h"

class QWidget;

namespace tw {

class QtFileDialog : public QueuedFileDialog {
public:
    explicit QtFileDialog(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    // With nothing queued: show the dialog (the program) or cancel (tests,
    // which never run a modal dialog).
    void SetInteractive(bool on) { interactive_ = on; }

    // The routines' "Text|*.a;*.b|..." filter as Qt name filters. Each pattern
    // is listed in lower and upper case, so that PIC.BMP shows under *.bmp
    // even where a dialog matches case by case.
    static QStringList NameFilters(std::string_view filter);
    // A save name typed without an extension takes the first extension of the
    // chosen name filter ("PNG (*.png *.PNG)" gives ".png"); any other name,
    // or a filter without one, leaves it as it is.
    static QString WithFilterExtension(const QString& path, const QString& nameFilter);

protected:
    int NothingQueued(bool save) override;

private:
    QWidget* owner_;
    bool interactive_ = true;
    QString folder_;
};

}  // namespace tw
