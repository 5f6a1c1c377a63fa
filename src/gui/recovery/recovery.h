#pragma once
// Recovery of unsaved sheets for one window: this copy's folder, the writer
// that keeps the unsaved sheets there, and the offer of sheets that ended
// copies left behind. The batch runner has none of this.

#include <QString>
#include <memory>

#include "gui/window/main_window.h"
#include "gui/recovery/recovery_folder.h"
#include "gui/recovery/recovery_offer.h"
#include "gui/recovery/recovery_writer.h"

namespace tw {

class Recovery {
public:
    Recovery(Program& program, MainWindow& window, QString root = RecoveryRoot());

    RecoveryFolder& Folder() { return folder_; }
    RecoveryWriter& Writer() { return *writer_; }
    RecoveryOffer& Offer() { return offer_; }

private:
    RecoveryFolder folder_;
    RecoveryOffer offer_;
    std::unique_ptr<RecoveryWriter> writer_;
};

}  // namespace tw
