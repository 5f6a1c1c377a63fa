#pragma once
// At start, the sheets that copies which have ended left unsaved are offered:
// the status line names them and "Edit > Recover Unsaved Sheets" puts each
// back into its page's target as one undoable step, unsaved, and removes its
// file. A file that cannot be read stays where it is and is named.

#include <vector>

#include "editors/program.h"
#include "editors/recovery_plan.h"
#include "gui/recovery/recovery_folder.h"

namespace tw {

class RecoveryOffer {
public:
    // Looks for waiting sheets, says so in the status line and enables the
    // menu item when there are any; wires the item's click.
    RecoveryOffer(Program& program, const RecoveryFolder& folder);
    // The item does nothing and is disabled once the offer is gone.
    ~RecoveryOffer();
    RecoveryOffer(const RecoveryOffer&) = delete;
    RecoveryOffer& operator=(const RecoveryOffer&) = delete;

    // The sheets still on offer.
    const std::vector<WaitingSheet>& Sheets() const { return sheets_; }

private:
    void Recover();

    Program& program_;
    const RecoveryFolder& folder_;
    std::vector<WaitingSheet> sheets_;
};

}  // namespace tw
