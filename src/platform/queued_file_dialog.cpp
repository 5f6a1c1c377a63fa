#include "platform/queued_file_dialog.h"

namespace tw {

int QueuedFileDialog::Answer(bool save) {
    ++requests_;
    if (answers_.empty()) return NothingQueued(save);
    std::optional<std::string> next = std::move(answers_.front());
    answers_.pop_front();
    if (!next) return kCancelError;
    FileName = *next;
    return 0;
}

int QueuedFileDialog::NothingQueued(bool save) {
    if (warn_) warn_(std::string("nothing queued for the ") + (save ? "save" : "open") + " dialog: cancelled");
    return kCancelError;
}

}  // namespace tw
