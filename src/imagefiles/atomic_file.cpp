#include "imagefiles/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include "imagefiles/file_error.h"
#include "imagefiles/image_format.h"
#include "imagefiles/kept_copy.h"

namespace tw {
namespace {

// The path with its symbolic links followed, the last one possibly dangling.
bool FollowLinks(std::string path, std::string* out) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *out = path;
            return true;
        }
        std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = readlink(path.c_str(), buf.data(), buf.size());
        if (n < 0 || static_cast<size_t>(n) >= buf.size()) {
            SetErrnoFileError(n < 0 ? errno : ENAMETOOLONG, true);
            return false;
        }
        std::string link(buf.data(), static_cast<size_t>(n));
        path = link.starts_with('/') ? link : FolderName(path) + "/" + link;
    }
    SetErrnoFileError(ELOOP, true);
    return false;
}

constexpr char kTempPrefix[] = ".tw";
constexpr size_t kTempRandom = 6;
// A temporary file this old whose writer holds no lock on it was left by a
// write that never finished (a kill, a power cut).
constexpr time_t kStaleSeconds = 60;

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::vector<char>& bytes, bool positioned) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = positioned ? pwrite(fd, bytes.data() + done, bytes.size() - done, done)
                                     : write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            SetErrnoFileError(n < 0 ? errno : EIO, true);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

AtomicFile::AtomicFile(const char* destination) {
    if (destination == nullptr || *destination == '\0') {
        SetFileError("no file name");
        return;
    }
    if (!FollowLinks(destination, &target_) || !Prepare()) return;
    if (!inPlace_ && !MakeTemp(FolderName(target_))) {
        // A writable file in a folder that takes no new files: in place.
        const int err = errno;
        if (!exists_ || !S_ISREG(mode_) || (err != EACCES && err != EROFS && err != EPERM)) {
            // A folder that exists yet takes no new file (/proc, /sys).
            struct stat folder {};
            const bool isFolder = stat(FolderName(target_).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
            SetFileError(err == ENOENT && isFolder ? ErrnoReason(EROFS, true) : ErrnoReason(err, true));
            return;
        }
        inPlace_ = true;
    }
    if (inPlace_ && !MakeMemoryTemp()) {
        SetErrnoFileError(errno, true);
        return;
    }
    stream_ = fdopen(open(tempPath_.c_str(), O_WRONLY | O_CLOEXEC), "wb");
    if (stream_ == nullptr) {
        SetErrnoFileError(errno, true);
        if (!memoryTemp_) unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

bool AtomicFile::Prepare() {
    struct stat st {};
    if (stat(target_.c_str(), &st) != 0) {
        if (errno == ENOENT) return true;  // a new file
        SetErrnoFileError(errno, true);
        return false;
    }
    exists_ = true;
    mode_ = st.st_mode;
    if (S_ISDIR(st.st_mode)) {
        SetFileError("it is a folder, not a file");
        return false;
    }
    // Written in place, a pipe whose reader never reads would hold the save
    // forever; a device (the tests' /dev/full) is written as it is.
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) {
        SetFileError(S_ISFIFO(st.st_mode) ? "it is a pipe, not a file" : "it is a socket, not a file");
        return false;
    }
    if (access(target_.c_str(), W_OK) != 0) {
        SetFileError(errno == EACCES ? "the file is read-only" : ErrnoReason(errno, true));
        return false;
    }
    inPlace_ = !S_ISREG(st.st_mode) || st.st_nlink > 1;
    return true;
}

bool AtomicFile::MakeTemp(const std::string& folder) {
    std::string pattern = folder + "/" + kTempPrefix + "XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return false;
    // Held until the file is renamed or removed: a start that cleans up
    // leaves a live write's file alone.
    flock(fd, LOCK_EX | LOCK_NB);
    tempLock_ = fd;
    tempPath_ = pattern;
    return true;
}

// A file written in place is encoded in memory first: a kill then leaves
// nothing behind in any folder.
bool AtomicFile::MakeMemoryTemp() {
    const int fd = memfd_create("tilewright-save", MFD_CLOEXEC);
    if (fd < 0) return false;
    tempLock_ = fd;
    memoryTemp_ = true;
    tempPath_ = "/proc/self/fd/" + std::to_string(fd);
    return true;
}

AtomicFile::~AtomicFile() {
    if (stream_ != nullptr) {
        // An encoder that stopped on a write error leaves its reason in errno.
        if (ferror(stream_)) SetErrnoFileError(errno != 0 ? errno : EIO, true);
        fclose(stream_);
    }
    if (!tempPath_.empty() && !memoryTemp_) unlink(tempPath_.c_str());
    if (tempLock_ >= 0) close(tempLock_);
}

bool IsTempName(std::string_view name) {
    return name.size() == sizeof kTempPrefix - 1 + kTempRandom && name.starts_with(kTempPrefix);
}

int OpenTempAt(int folder, std::string* name) {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand pick(seed());
    for (int tries = 0; tries < 100; ++tries) {
        std::string candidate = kTempPrefix;
        for (size_t i = 0; i < kTempRandom; ++i) candidate += kChars[pick() % (sizeof kChars - 1)];
        const int fd =
            openat(folder, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        flock(fd, LOCK_EX | LOCK_NB);
        *name = std::move(candidate);
        return fd;
    }
    errno = EEXIST;
    return -1;
}

int RemoveStaleTemps(int folder) {
    // A descriptor of its own: a dup would share, and move, the folder's offset.
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (dir == nullptr) {
        if (listing >= 0) close(listing);
        return 0;
    }
    std::vector<std::string> names;
    while (const dirent* e = readdir(dir))
        if (IsTempName(e->d_name)) names.emplace_back(e->d_name);
    closedir(dir);
    int removed = 0;
    const time_t now = time(nullptr);
    for (const std::string& name : names) {
        const int fd = openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // Only the user's own plain files, old enough, and no writer alive.
        const bool stale = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() &&
                           now - st.st_mtime > kStaleSeconds && flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (stale && unlinkat(folder, name.c_str(), 0) == 0) ++removed;
        close(fd);
    }
    return removed;
}

int RemoveStaleTemps(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    const int removed = RemoveStaleTemps(fd);
    close(fd);
    return removed;
}

bool AtomicFile::CloseStream() {
    if (stream_ == nullptr) return !writeFailed_;
    bool ok = fflush(stream_) == 0 && ferror(stream_) == 0 && (inPlace_ || fsync(fileno(stream_)) == 0);
    if (!ok) SetErrnoFileError(errno != 0 ? errno : EIO, true);
    ok = fclose(stream_) == 0 && ok;
    stream_ = nullptr;
    writeFailed_ |= !ok;
    return ok;
}

bool AtomicFile::Commit() {
    if (!Ok() || !CloseStream()) return false;
    if (inPlace_) return CommitInPlace();
    const mode_t mode = exists_ ? (mode_ & 07777) : NewFileMode();
    if (fchmod(tempLock_, mode) != 0 || rename(tempPath_.c_str(), target_.c_str()) != 0) {
        SetErrnoFileError(errno, true);
        return false;
    }
    tempPath_.clear();
    return true;
}

bool AtomicFile::CommitInPlace() {
    std::vector<char> bytes;
    {
        const int in = open(tempPath_.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (in < 0 || fstat(in, &st) != 0) {
            SetErrnoFileError(errno, true);
            if (in >= 0) close(in);
            return false;
        }
        try {
            bytes.resize(static_cast<size_t>(st.st_size));
        } catch (const std::bad_alloc&) {
            close(in);
            SetFileError("not enough memory to write the file");
            return false;
        }
        const bool read = ::read(in, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        close(in);
        if (!read) {
            SetErrnoFileError(EIO, true);
            return false;
        }
    }
    // Non-blocking, so that a pipe nobody reads refuses at once; readable,
    // so that the old bytes can be copied aside first.
    int fd = open(target_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0 && errno == EACCES) fd = open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        SetErrnoFileError(errno, true);
        return false;
    }
    struct stat st {};
    bool ok = fstat(fd, &st) == 0;
    if (ok && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))) {
        // Made a pipe since the save began.
        SetFileError(S_ISFIFO(st.st_mode) ? "it is a pipe, not a file" : "it is a socket, not a file");
        close(fd);
        return false;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (ok && S_ISREG(st.st_mode)) {
        // Written over in place, the file is neither picture for a moment:
        // the old bytes wait in a copy until the new ones are on the disk.
        OldBytesCopy old;
        if (!old.Make(fd, target_)) {
            close(fd);
            return false;
        }
        // Reserve the space first: a full disk then changes nothing.
        if (bytes.size() > static_cast<size_t>(st.st_size)) {
            const int err = posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
            if (err != 0 && err != EOPNOTSUPP && err != EINVAL) {
                SetErrnoFileError(err, true);
                ok = false;
            }
        }
        ok = ok && WriteAll(fd, bytes, true);
        if (ok && fsync(fd) != 0) ok = false;
        if (ok && ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) ok = false;
        if (ok && fsync(fd) != 0) ok = false;
        if (!ok) {
            const std::string why = ErrnoReason(errno, true);
            if (old.PutBack(fd)) {
                SetFileError(why);
            } else {
                old.Keep();
                SetFileError(why + "; the old picture is kept in " + old.Path());
            }
        }
    } else if (ok) {
        ok = WriteAll(fd, bytes, false);
    }
    if (close(fd) != 0 && ok) {
        SetErrnoFileError(errno, true);
        ok = false;
    }
    return ok;
}

}  // namespace tw
