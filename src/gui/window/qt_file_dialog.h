#pragma once
// The common dialog as Qt's own file dialog. Answers can be queued ahead (a
// dropped file, a test's choice); only with nothing queued does a dialog open.

#include <QString>
#include <QStringList>
#include <string_view>

#include "platform/queued_file_dialog.h"

class QFileDialog;
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

    // The open or save dialog as it comes up: in the folder of the last file
    // chosen through it, on the filter chosen with it, as kept between runs; a
    // save on the sheet's own type when it has one, and asking before it
    // replaces a file.
    void Prepare(QFileDialog& dialog, bool save) const;
    // The name filter that lists *.format ("png" gives "PNG (*.png *.PNG)"),
    // or an empty string.
    static QString FilterFor(const QStringList& filters, const QString& format);
    // Keeps the folder of a file chosen and the filter chosen with it.
    static void Remember(bool save, const QString& chosen, const QString& nameFilter);

protected:
    int NothingQueued(bool save) override;

private:
    QWidget* owner_;
    bool interactive_ = true;
};

}  // namespace tw
