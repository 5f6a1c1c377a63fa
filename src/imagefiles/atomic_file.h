#pragma once
// Writing a file so that a failure never costs the user the file that was
// there before. The encoder writes a complete temporary file first:
// - normally beside the destination (a short hidden name, whatever the
//   length of the final name), then renamed over it; a symbolic link is
//   followed, so the link stays and the file it names is replaced;
// - for a file with several hard links, a writable file in a read-only
//   folder, or a device, in the temporary folder; the finished bytes are
//   then written over the destination in place, after the space for them has
//   been reserved and the old bytes copied aside (kept_copy.h), so that the
//   links, the inode and the owner stay, and a save killed half-way still
//   leaves the old picture.
// A file the user may not write, or a folder, is refused. Every failure
// records its reason (file_error.h).

#include <sys/types.h>

#include <cstdio>
#include <string>

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
    bool CommitInPlace();

    std::string target_;  // the destination with its symbolic links followed
    bool exists_ = false;
    bool inPlace_ = false;
    mode_t mode_ = 0;
    std::string tempPath_;
    FILE* stream_ = nullptr;
    bool writeFailed_ = false;
};

}  // namespace tw
