#include "imagefiles/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace tw {
namespace {

// The permissions a newly created file would get: an existing destination
// keeps its own, a new one follows the umask like any other file.
mode_t TargetMode(const std::string& destination) {
    struct stat st {};
    if (stat(destination.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(const char* destination) {
    if (destination == nullptr || *destination == '\0') return;
    destination_ = destination;
    const size_t slash = destination_.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : destination_.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? destination_ : destination_.substr(slash + 1);
    if (base.empty()) return;
    std::string pattern = folder + "." + base + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return;
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        close(fd);
        unlink(pattern.c_str());
        return;
    }
    tempPath_ = pattern;
}

AtomicFile::~AtomicFile() {
    if (stream_ != nullptr) fclose(stream_);
    if (!tempPath_.empty()) unlink(tempPath_.c_str());
}

bool AtomicFile::CloseStream() {
    if (stream_ == nullptr) return !writeFailed_;
    bool ok = fflush(stream_) == 0 && ferror(stream_) == 0 && fsync(fileno(stream_)) == 0;
    ok = fclose(stream_) == 0 && ok;
    stream_ = nullptr;
    writeFailed_ |= !ok;
    return ok;
}

bool AtomicFile::Commit() {
    if (!Ok() || !CloseStream()) return false;
    if (chmod(tempPath_.c_str(), TargetMode(destination_)) != 0) return false;
    if (rename(tempPath_.c_str(), destination_.c_str()) != 0) return false;
    tempPath_.clear();
    return true;
}

}  // namespace tw
