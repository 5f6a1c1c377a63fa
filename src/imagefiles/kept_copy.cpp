#include "imagefiles/kept_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "imagefiles/file_error.h"
#include "imagefiles/image_format.h"

namespace tw {
namespace {

bool MakeFolders(const std::string& path) {
    size_t at = 0;
    do {
        at = path.find('/', at + 1);
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    } while (at != std::string::npos);
    return true;
}

bool WriteAll(int fd, const char* data, size_t size, off_t at) {
    while (size > 0) {
        const ssize_t n = pwrite(fd, data, size, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
        at += n;
    }
    return true;
}

// Copies every byte of `from` to `to` from the start; the length of `to`
// becomes that of `from`.
bool CopyAll(int from, int to) {
    char buffer[1 << 16];
    off_t at = 0;
    for (;;) {
        const ssize_t n = pread(from, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        if (!WriteAll(to, buffer, static_cast<size_t>(n), at)) return false;
        at += n;
    }
    return ftruncate(to, at) == 0 && fsync(to) == 0;
}

int MakeTemp(std::string* pattern) {
    const int fd = mkostemp(pattern->data(), O_CLOEXEC);
    if (fd < 0) pattern->clear();
    return fd;
}

// A plain file (or, with `folder`, a folder) of the user's, not a link.
bool Owned(const struct stat& st, bool folder = false) {
    return (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) && st.st_uid == geteuid();
}

// Where a save puts a copy: beside the file, or in the kept-copies folder.
bool WhereSavesKeep(const KeptCopy& k, const std::string& folder) {
    const std::string name = BaseName(k.copy);
    return (FolderName(k.copy) == FolderName(k.original) && name.starts_with(".twold")) ||
           (FolderName(k.copy) == folder && name.starts_with("old"));
}

// Removes `path` only while it is a plain file of the user's in its folder.
void RemoveOwned(const std::string& path) {
    if (path.empty()) return;
    const int dir = open(FolderName(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) return;
    const std::string name = BaseName(path);
    struct stat st {};
    if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && Owned(st)) unlinkat(dir, name.c_str(), 0);
    close(dir);
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

std::string KeptCopiesFolder() {
    const char* state = getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/tilewright/kept";
    const char* home = getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/state/tilewright/kept";
}

std::vector<KeptCopy> FindKeptCopies(const std::string& folder) {
    std::vector<KeptCopy> found;
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !Owned(st, true)) return found;
    std::vector<std::string> notes;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* e = readdir(dir))
            if (std::string(e->d_name).starts_with("note")) notes.push_back(folder + "/" + e->d_name);
        closedir(dir);
    }
    std::sort(notes.begin(), notes.end());
    for (const std::string& note : notes) {
        // Two paths, each ended by a zero byte; a note is far below 16 KiB.
        std::string text(16384, '\0');
        const int fd = open(note.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        const int openError = fd < 0 ? errno : 0;
        struct stat noteStat {};
        const bool ours = fd >= 0 && fstat(fd, &noteStat) == 0 && Owned(noteStat);
        const ssize_t n = ours ? read(fd, text.data(), text.size()) : -1;
        if (fd >= 0) close(fd);
        if (!ours && (fd >= 0 || openError == ELOOP)) continue;  // a link or another's: not ours to remove
        text.resize(n > 0 ? static_cast<size_t>(n) : 0);
        const size_t end = text.find('\0');
        KeptCopy k;
        if (end != std::string::npos && text.size() > end + 1 && text.back() == '\0') {
            k.copy = text.substr(0, end);
            k.original = text.substr(end + 1, text.size() - end - 2);
        }
        k.note = note;
        const bool present = !k.copy.empty() && !k.original.empty() && lstat(k.copy.c_str(), &st) == 0;
        if (!present) {
            unlink(note.c_str());
            continue;
        }
        struct stat original {};
        if (!Owned(st) || !WhereSavesKeep(k, folder) || lstat(k.original.c_str(), &original) != 0 ||
            !Owned(original))
            continue;
        k.made = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
        found.push_back(std::move(k));
    }
    return found;
}

int OpenKeptCopy(const KeptCopy& kept) {
    const int fd = open(kept.copy.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (fstat(fd, &st) != 0 || !Owned(st))) {
        close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

void RemoveKeptCopy(const KeptCopy& kept) {
    RemoveOwned(kept.copy);
    RemoveOwned(kept.note);
}

std::string KeptCopyMessage(const KeptCopy& kept) {
    return "a save was cut off; the old picture is kept in " + kept.copy + ": " + kept.original;
}

OldBytesCopy::~OldBytesCopy() {
    if (kept_) return;
    if (!copy_.empty()) unlink(copy_.c_str());
    if (!note_.empty()) unlink(note_.c_str());
}

bool OldBytesCopy::Make(int fd, const std::string& original) {
    // Beside the file, on its disk; in the kept-copies folder when the
    // file's folder takes no new files.
    copy_ = FolderName(original) + "/.twoldXXXXXX";
    int out = MakeTemp(&copy_);
    if (out < 0 && (errno == EACCES || errno == EROFS || errno == EPERM) && MakeFolders(folder_)) {
        copy_ = folder_ + "/oldXXXXXX";
        out = MakeTemp(&copy_);
    }
    if (out < 0) {
        SetFileError("no copy of the old file can be kept while it is written over: " + ErrnoReason(errno, true));
        return false;
    }
    const bool copied = CopyAll(fd, out);
    const int err = errno;
    close(out);
    if (!copied) {
        unlink(copy_.c_str());
        copy_.clear();
        SetFileError(err == EBADF ? "the file cannot be read, so no copy of it can be kept while it is written over"
                                  : ErrnoReason(err != 0 ? err : EIO, true));
        return false;
    }
    SyncFolder(FolderName(copy_));
    // The note is for the next start only; without it the copy still keeps
    // the old picture, beside the file.
    if (!MakeFolders(folder_)) return true;
    note_ = folder_ + "/noteXXXXXX";
    const int n = MakeTemp(&note_);
    if (n < 0) return true;
    std::string text = copy_;
    text.push_back('\0');
    text += original;
    text.push_back('\0');
    const bool written = WriteAll(n, text.data(), text.size(), 0) && fsync(n) == 0;
    close(n);
    if (!written) {
        unlink(note_.c_str());
        note_.clear();
    }
    return true;
}

bool OldBytesCopy::PutBack(int fd) const {
    const int in = open(copy_.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const bool ok = CopyAll(in, fd);
    close(in);
    return ok;
}

}  // namespace tw
