#pragma once
// The common dialog as Qt's own file dialog. Answers can be queued ahead (a
// dropped file, a test's choice); only with nothing queued does a dialog open.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_dialog.h"

class QWidget;

namespace tw {

class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void QueueFile(std::string path) { answers_.emplace_back(std::move(path)); }
    void QueueCancel() { answers_.emplace_back(std::nullopt); }
    void ClearQueue() { answers_.clear(); }
    bool HasQueued() const { return !answers_.empty(); }
    // With nothing queued: show the dialog (the program) or cancel (tests,
    // which never run a modal dialog).
    void SetInteractive(bool on) { interactive_ = on; }
    // How many dialogs the program asked for, queued or shown.
    int Requests() const { return requests_; }

    int ShowOpen() override { return Show(false); }
    int ShowSave() override { return Show(true); }

    // The routines' "Text|*.a;*.b|..." filter as Qt name filters. Each pattern
    // is listed in lower and upper case, so that PIC.BMP shows under *.bmp
    // even where a dialog matches case by case.
    static QStringList NameFilters(std::string_view filter);
    // A save name typed without an extension takes the first extension of the
    // chosen name filter ("PNG (*.png *.PNG)" gives ".png"); any other name,
    // or a filter without one, leaves it as it is.
    static QString WithFilterExtension(const QString& path, const QString& nameFilter);

private:
    int Show(bool save);

    QWidget* owner_;
    std::deque<std::optional<std::string>> answers_;
    bool interactive_ = true;
    int requests_ = 0;
    QString folder_;
};

}  // namespace tw
