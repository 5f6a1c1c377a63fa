#pragma once
// The decisions of keeping unsaved sheets and offering them back, apart from
// the timers, paths and files the window owns: which sheets need a copy
// written or removed, which page comes to the front after a recovery, and
// the status line's words about it. The runner and the tests reach them
// without a window.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editors/page_table.h"

namespace tw {

class Program;

// Which target sheets need their copy written, and which copies are no
// longer needed, by each sheet's unsaved state and version.
class RecoveryPlan {
public:
    explicit RecoveryPlan(Program& program);

    // The pages whose copy was written but whose sheet is no longer unsaved
    // (saved, or undone back to its saved state): their files go. Forgets
    // that they were written.
    std::vector<const PageInfo*> NoLongerNeeded();
    // The pages whose sheet is unsaved and changed since its copy was written.
    std::vector<const PageInfo*> Due() const;
    // The copy of the page's sheet was written as the sheet is now.
    void Written(const PageInfo& page);

private:
    Program& program_;
    std::vector<std::optional<uint64_t>> written_;  // one per page, the version written
};

// "Chipset target, Charset target": each page among `pages` once, in the
// order of the tabs.
std::string SheetTitles(const std::vector<const PageInfo*>& pages);
// The status line's words when sheets of an ended session wait.
std::string WaitingSheetsMessage(const std::vector<const PageInfo*>& pages);
// Unless the page in front got its sheet back, the first page in tab order
// that did comes to the front, so the user sees what came back (and its
// undo); null when none should.
const PageInfo* PageToShowAfterRecovery(const PageInfo& front, const std::vector<const PageInfo*>& restored);

// A recovery file that could not be read: its name, its folder and the page
// it was kept for.
struct UnreadableCopy {
    std::string fileName, folder;
    const PageInfo* page;
};
// The status line's words after a recovery.
std::string RecoveredMessage(const std::vector<const PageInfo*>& restored,
                             const std::vector<UnreadableCopy>& unreadable);
// An item of Edit > Recover Unsaved Sheets: the page's target and the local
// time its copy was written, "Chipset target, 2024-05-01 14:05:33".
std::string RecoveryCopyCaption(const PageInfo& page, int64_t modifiedMs);
// An item of Edit > Recover Unsaved Sheets for the old picture of a file
// that a cut-off save kept: "Old chipset.png, kept by a save that was cut
// off, 2024-05-01 14:05:33".
std::string KeptCopyCaption(const std::string& original, int64_t madeMs);
// The status line's words once such a picture is back in the page's target.
std::string KeptRecoveredMessage(const PageInfo& page, const std::string& original);
// ... and when it could not be read.
std::string KeptUnreadableMessage(const std::string& reason, const std::string& copy);
// The status line's words after Edit > Discard Recovered Sheets: `count`
// unsaved sheets and `old` kept pictures.
std::string DiscardedMessage(size_t count, size_t old = 0);
// The status line's words when a copy could not be written to `path`.
std::string KeepFailedMessage(const PageInfo& page, const std::string& reason, const std::string& path);

}  // namespace tw
