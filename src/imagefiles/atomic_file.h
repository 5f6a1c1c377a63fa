#pragma once
// Writing a file so that a failure never costs the user the file that was
// there before. The encoder writes a complete temporary file first:
// - normally beside the destination (a short hidden name, whatever the
//   length of the final name), then renamed over it; a symbolic link is
//   followed, so the link stays and the file it names is replaced;
// - for a file with several hard links, a writable file in a read-only
//   folder, or a device, in memory; the finished bytes are then written over
//   the destination in place, after the space for them has been reserved and
//   the old bytes copied aside (kept_copy.h), so that the links, the inode and
//   the owner stay, and a save killed half-way still leaves the old picture.
// A temporary file is never made anywhere but beside its destination.
// A file the user may not write, or a folder, is refused. Every failure
// records its reason (file_error.h).

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace tw {

class AtomicFile {
public:
    explicit AtomicFile(const char* destination);
    ~AtomicFile();  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the destination is refused or no temporary file could be made.
    bool Ok() const { return !tempPath_.empty(); }
    // The open temporary file, or null once closed.
    FILE* Stream() const { return stream_; }
    // For libraries that insist on opening a file by name themselves.
    const std::string& TempPath() const { return tempPath_; }
    // Closes the stream, keeping the temporary file; false on a write error.
    bool CloseStream();
    // Puts the finished file in place. False leaves the destination as it
    // was and removes the temporary file.
    bool Commit();

private:
    bool Prepare();
    bool MakeTemp(const std::string& folder);
    bool MakeMemoryTemp();
    bool CommitInPlace();

    std::string target_;  // the destination with its symbolic links followed
    bool exists_ = false;
    bool inPlace_ = false;
    mode_t mode_ = 0;
    std::string tempPath_;
    int tempLock_ = -1;  // the temporary file, locked while this write lives
    bool memoryTemp_ = false;
    FILE* stream_ = nullptr;
    bool writeFailed_ = false;
};

// The name of a temporary file beside its destination: ".tw" and six
// letters or digits.
bool IsTempName(std::string_view name);
// Makes a temporary file in `folder` (a descriptor), never through a link,
// locked while the returned descriptor is open; its name goes to `name`.
// -1 with errno on failure.
int OpenTempAt(int folder, std::string* name);
// Removes the temporary files in the folder that the user's own writes left
// when they never finished: older than a minute, and no living writer holds
// their lock. Links are never followed. Returns how many went.
int RemoveStaleTemps(int folder);
int RemoveStaleTemps(const std::string& folder);

}  // namespace tw
