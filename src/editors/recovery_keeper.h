#pragma once
// Keeping unsaved sheets and offering back those of ended copies, in one
// rule: a copy is deleted only when its sheet was saved (or undone back to
// its saved state), when it was recovered and the recovered sheet's own copy
// is on disk, or when the user discards the copies on offer. Before a load
// replaces a sheet with unsaved changes, that sheet is kept as a copy of its
// own. The window decides when to write (its throttle, its close, a signal);
// the keeper decides what.
//
// The old picture a save cut off half-way kept of the file it wrote over is
// offered beside them by the same rule: it goes back into the target of the
// page the file was last loaded or saved through (the page in front when
// that is not known), as the unsaved sheet of that file, and its copy goes
// once the sheet's own copy is on disk.
//
// Edit > "Recover Unsaved Sheets" recovers the newest copy on offer; with
// several, its items (mnuRecover0...) name each by page and time, or by
// file and time, newest first, and recover that one. Edit > "Discard
// Recovered Sheets" deletes every copy on offer.

#include <vector>

#include "editors/program.h"
#include "editors/recovery_folder.h"
#include "editors/recovery_plan.h"
#include "imagefiles/kept_copy.h"

namespace tw {

class RecoveryKeeper {
public:
    // The items Edit > Recover Unsaved Sheets holds.
    static constexpr size_t kMostItems = 10;

    // Clears what ended copies left unfinished, offers their sheets (the
    // status line says so, or why nothing can be kept) and wires the items.
    RecoveryKeeper(Program& program, RecoveryFolder& folder);
    // The items do nothing and are disabled once the keeper is gone.
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    RecoveryFolder& Folder() { return folder_; }
    // After every event: the copies of sheets no longer unsaved go. True
    // while a sheet's copy is due to be written.
    bool Check();
    // Writes the copy of every unsaved sheet changed since its last write;
    // false when one could not be written (the status line says why).
    bool WriteDue();

    // The copies on offer, newest first.
    const std::vector<RecoveryCopy>& Offered() const { return offered_; }
    // The old pictures kept by cut-off saves on offer, newest first.
    const std::vector<KeptCopy>& OldPictures() const { return old_; }
    // Puts the item `index` of the offer, both kinds newest first, back
    // into its page's target as one undoable step; the copy goes once the
    // recovered sheet's own copy is written.
    void Recover(size_t index);
    // Deletes every copy on offer.
    void Discard();

private:
    // An item of the offer: a copy of `offered_` or of `old_`.
    struct Item {
        bool old;
        size_t at;
    };
    std::vector<Item> Items() const;
    void RecoverSheet(size_t at);
    void RecoverOld(size_t at);
    // The page whose target `path` was last loaded or saved through, else the one in front.
    const PageInfo& PageOfFile(const std::string& path);
    // Brings the page that got a sheet back to the front.
    void Show(const PageInfo& page);
    void KeepAside(const Sheet& sheet);
    void ShowOffer();

    Program& program_;
    RecoveryFolder& folder_;
    RecoveryPlan plan_;
    std::vector<RecoveryCopy> offered_;
    std::vector<KeptCopy> old_;
};

}  // namespace tw
