#pragma once
// Writing a file so that a failure never costs the user the file that was
// there before: everything goes to a hidden temporary file in the same folder,
// which replaces the destination only once it is complete.

#include <cstdio>
#include <string>

namespace tw {

class AtomicFile {
public:
    explicit AtomicFile(const char* destination);
    ~AtomicFile();  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when no temporary file could be made (no such folder, no rights).
    bool Ok() const { return !tempPath_.empty(); }
    // The open temporary file, or null once closed.
    FILE* Stream() const { return stream_; }
    // For libraries that insist on opening a file by name themselves.
    const std::string& TempPath() const { return tempPath_; }
    // Closes the stream, keeping the temporary file; false on a write error.
    bool CloseStream();
    // Flushes, closes and renames over the destination. False leaves the
    // destination as it was and removes the temporary file.
    bool Commit();

private:
    std::string destination_;
    std::string tempPath_;
    FILE* stream_ = nullptr;
    bool writeFailed_ = false;
};

}  // namespace tw
