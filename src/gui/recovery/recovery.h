#pragma once
// Recovery of unsaved sheets for one window: this copy's folder, the keeper
// that decides what to keep and offers the sheets ended copies left, the
// writer that keeps the unsaved sheets on the window's throttle and close,
// and the last write when a signal or a lost display ends the program. A
// start also clears the temporary files that ended saves left beside the
// recent files. The batch runner has none of this.

#include <QString>
#include <memory>

#include "editors/recovery_folder.h"
#include "editors/recovery_keeper.h"
#include "gui/recovery/last_write.h"
#include "gui/recovery/recovery_writer.h"
#include "gui/window/main_window.h"

namespace tw {

class Recovery {
public:
    Recovery(Program& program, MainWindow& window, const QString& root = QString());

    RecoveryFolder& Folder() { return folder_; }
    RecoveryKeeper& Keeper() { return keeper_; }
    RecoveryWriter& Writer() { return *writer_; }
    LastWrite& Last() { return *last_; }

private:
    RecoveryFolder folder_;
    RecoveryKeeper keeper_;
    std::unique_ptr<RecoveryWriter> writer_;
    std::unique_ptr<LastWrite> last_;
};

}  // namespace tw
