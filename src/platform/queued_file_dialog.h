#pragma once
// A file dialog answered from choices queued ahead: a path, or a cancel. The
// batch runner queues its script's `file` and `cancel` lines, the window a
// dropped file, the tests their choices. With nothing queued, NothingQueued
// decides: here the dialog is cancelled, after an optional warning.

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_dialog.h"

namespace tw {

class QueuedFileDialog : public FileDialog {
public:
    using Warning = std::function<void(const std::string&)>;
    explicit QueuedFileDialog(Warning warn = nullptr) : warn_(std::move(warn)) {}

    void QueueFile(std::string path) { answers_.emplace_back(std::move(path)); }
    void QueueCancel() { answers_.emplace_back(std::nullopt); }
    void ClearQueue() { answers_.clear(); }
    bool HasQueued() const { return !answers_.empty(); }
    // How many dialogs the program asked for, queued or not.
    int Requests() const { return requests_; }

    int ShowOpen() override { return Answer(false); }
    int ShowSave() override { return Answer(true); }

protected:
    // Asked when a dialog finds nothing queued; returns 0 or kCancelError.
    virtual int NothingQueued(bool save);

private:
    int Answer(bool save);

    std::deque<std::optional<std::string>> answers_;
    Warning warn_;
    int requests_ = 0;
};

}  // namespace tw
