#include "runner/queued_file_dialog.h"

namespace tw {

int QueuedFileDialog::Answer(const char* which) {
    if (answers_.empty()) {
        warn_(std::string("nothing queued for the ") + which + " dialog: cancelled");
        return kCancelError;
    }
    std::optional<std::string> next = std::move(answers_.front());
    answers_.pop_front();
    if (!next) return kCancelError;
    FileName = *next;
    return 0;
}

}  // namespace tw
