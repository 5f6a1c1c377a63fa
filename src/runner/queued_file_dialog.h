#pragma once
// The batch runner's file dialog: answered by the script's `file` and
// `cancel` lines; with nothing queued it is cancelled, with a warning.

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_dialog.h"

namespace tw {

class QueuedFileDialog : public FileDialog {
public:
    explicit QueuedFileDialog(std::function<void(const std::string&)> warn) : warn_(std::move(warn)) {}
    void QueueFile(std::string path) { answers_.push_back(std::move(path)); }
    void QueueCancel() { answers_.push_back(std::nullopt); }
    int ShowOpen() override { return Answer("open"); }
    int ShowSave() override { return Answer("save"); }

private:
    int Answer(const char* which);
    std::deque<std::optional<std::string>> answers_;
    std::function<void(const std::string&)> warn_;
};

}  // namespace tw
