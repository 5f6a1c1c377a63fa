#pragma once
// Where unsaved sheets wait for the user: one folder in the user's state
// folder, and in it one subfolder per running copy of the program, held by a
// lock file so that two copies side by side never take each other's sheets.
// A subfolder whose lock nobody holds belongs to a copy that has ended (or
// crashed): its sheets are offered at the next start.

#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "editors/page_table.h"
#include "platform/raster.h"

namespace tw {

// $XDG_STATE_HOME/tilewright/recovery when that variable holds an absolute
// path, else ~/.local/state/tilewright/recovery.
QString RecoveryRoot();

// "chipset.png", "charset.png", "faceset.png", "systemset.png", "battle.png",
// "converter.png".
QString RecoveryFileName(const PageInfo& page);

// A sheet left behind by a copy that has ended.
struct WaitingSheet {
    QString path;
    const PageInfo* page;
    qint64 modified;  // milliseconds since the epoch, for the order of restoring
};

// Reads a recovery file; nullopt when it cannot be read or is not a sheet of
// that size.
std::optional<Raster> ReadRecoveryFile(const QString& path, Size sheet);

class RecoveryFolder {
public:
    // Creates the folder (mode 0700) and this copy's locked subfolder in it.
    explicit RecoveryFolder(QString root = RecoveryRoot());
    // Lets go of the lock; a subfolder with nothing in it is removed.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // False when the folder could not be made: nothing can be kept then.
    bool Ok() const { return !own_.isEmpty(); }
    const QString& Root() const { return root_; }
    // This copy's subfolder, or "" when there is none.
    const QString& Own() const { return own_; }
    // Where this copy keeps the page's unsaved sheet.
    QString FileFor(const PageInfo& page) const;

    // The sheets in subfolders whose lock no running copy holds, oldest first.
    std::vector<WaitingSheet> Waiting() const;
    // Removes subfolders of ended copies that hold nothing any more.
    void RemoveEmptyLeftovers() const;

private:
    QString root_;
    QString own_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace tw
