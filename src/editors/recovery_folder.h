#pragma once
// Where unsaved sheets wait for the user: one folder in the user's state
// folder, and in it one subfolder per running copy of the program, held by a
// lock on its lock file, so that two copies side by side never take each
// other's sheets. The kernel lets go of the lock when a copy ends, however it
// ends: a subfolder whose lock nobody holds belongs to a copy that has ended,
// and its sheets are offered at the next start.
//
// The folder is used only when the user owns it, and it is kept private.
// Everything in it is opened, written, renamed and removed relative to the
// folder's descriptor, never through a link: nothing another user plants
// there can make the program write, read or delete a file elsewhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editors/page_table.h"
#include "platform/raster.h"

namespace tw {

// $XDG_STATE_HOME/tilewright/recovery when that variable holds an absolute
// path, else ~/.local/state/tilewright/recovery.
std::string RecoveryRoot();

// "chipset", "charset", "faceset", "systemset", "battle", "converter": the
// start of the names of the page's copies.
std::string RecoveryStem(const PageInfo& page);

// A sheet kept in a subfolder of the recovery folder.
struct RecoveryCopy {
    std::string folder;  // the subfolder's name
    std::string name;    // the file's name in it
    const PageInfo* page;
    int64_t modified;  // milliseconds since the epoch
    bool operator==(const RecoveryCopy&) const = default;
};

class RecoveryFolder {
public:
    // Opens or makes the folder and this copy's locked subfolder in it.
    explicit RecoveryFolder(std::string root = RecoveryRoot());
    // Lets go of the lock; a subfolder with nothing in it is removed.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // False when nothing can be kept; Problem() says why.
    bool Ok() const { return own_ >= 0; }
    const std::string& Problem() const { return problem_; }
    // What the start did to the folder that the user should hear once ("" for nothing).
    const std::string& Notice() const { return notice_; }
    const std::string& Root() const { return root_; }
    // This copy's subfolder ("" when there is none).
    std::string Own() const;
    // The page's current copy in this copy's subfolder ("" when there is none).
    std::string CurrentCopy(const PageInfo& page) const;

    // Writes the sheet as the page's current copy, replacing the one before,
    // or (`aside`) as a copy of its own named by the time, which stays until
    // it is recovered or discarded. Through a temporary file synced to disk
    // and renamed: a kill at any moment leaves the previous copy or the new
    // one whole. "" when written, else the reason.
    std::string Write(const PageInfo& page, const Raster& sheet, bool aside);
    void RemoveCurrent(const PageInfo& page);

    // The copies in subfolders whose lock no running copy holds, newest
    // first. Links, foreign files and names of no page are left out.
    std::vector<RecoveryCopy> Waiting() const;
    // The copy's sheet; nullopt when it is gone, damaged, a link, or not a
    // sheet of its page's size.
    std::optional<Raster> Read(const RecoveryCopy& copy) const;
    void Remove(const RecoveryCopy& copy) const;
    // Subfolders of ended copies: the temporary files their unfinished
    // writes left go, and so does a subfolder holding nothing else.
    void RemoveLeftovers() const;

private:
    bool OpenRoot();
    bool MakeOwn();
    // The subfolder `name` of an ended copy, opened; -1 when it is a link,
    // not the user's, or a running copy holds it.
    int OpenEnded(const std::string& name) const;

    std::string root_, problem_, notice_, ownName_;
    int rootFd_ = -1, own_ = -1, lock_ = -1;
};

}  // namespace tw
