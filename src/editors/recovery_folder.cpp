#include "editors/recovery_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <random>
#include <tuple>

#include "imagefiles/atomic_file.h"
#include "imagefiles/file_error.h"
#include "imagefiles/png_stream.h"

namespace tw {
namespace {

constexpr char kLockName[] = "lock";
constexpr char kCopyPrefix[] = "copy-";
// A subfolder being made: it takes its final name only once its lock is held.
constexpr char kNewPrefix[] = ".new-";
constexpr char kExtension[] = ".png";
constexpr time_t kStaleSeconds = 60;

// Creates every missing folder on the way, each private to the user.
bool MakePrivatePath(const std::string& path) {
    std::string at;
    size_t from = 0;
    while (from < path.size()) {
        size_t slash = path.find('/', from);
        if (slash == std::string::npos) slash = path.size();
        if (slash > from) {
            at += '/' + path.substr(from, slash - from);
            if (mkdir(at.c_str(), 0700) != 0 && errno != EEXIST) return false;
        }
        from = slash + 1;
    }
    return true;
}

std::vector<std::string> Names(int folder) {
    std::vector<std::string> names;
    // A descriptor of its own: a dup would share, and move, the folder's offset.
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (dir == nullptr) {
        if (listing >= 0) close(listing);
        return names;
    }
    while (const dirent* e = readdir(dir))
        if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
            names.emplace_back(e->d_name);
    closedir(dir);
    return names;
}

std::string RandomSuffix() {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand pick(seed());
    std::string s;
    for (int i = 0; i < 6; ++i) s += kChars[pick() % (sizeof kChars - 1)];
    return s;
}

int64_t NowMs() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1000000;
}

// "chipset.png" and "chipset-1715000000123.png" belong to the chipset page.
const PageInfo* PageOfName(std::string_view name) {
    if (!name.ends_with(kExtension)) return nullptr;
    name.remove_suffix(sizeof kExtension - 1);
    const size_t dash = name.find('-');
    if (dash != std::string_view::npos) {
        const std::string_view time = name.substr(dash + 1);
        if (time.empty() || !std::all_of(time.begin(), time.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return nullptr;
        name = name.substr(0, dash);
    }
    for (const PageInfo& p : Pages())
        if (RecoveryStem(p) == name) return &p;
    return nullptr;
}

bool OwnedByUser(int fd, struct stat* st) { return fstat(fd, st) == 0 && st->st_uid == geteuid(); }

// The subfolder's lock, unless it is a link: nobody holds it when we can
// take it (letting go at once leaves it as free as it was). A lock file
// that is missing or empty says nothing; only the holder counts.
bool HeldByNobody(int folder) {
    const int lock = openat(folder, kLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (lock < 0) return errno == ENOENT;
    struct stat st {};
    const bool free = fstat(lock, &st) == 0 && S_ISREG(st.st_mode) && flock(lock, LOCK_EX | LOCK_NB) == 0;
    close(lock);
    return free;
}

}  // namespace

std::string RecoveryRoot() {
    const char* state = getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            const passwd* pw = getpwuid(geteuid());
            home = pw != nullptr ? pw->pw_dir : "/";
        }
        base = std::string(home) + "/.local/state";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/tilewright/recovery";
}

std::string RecoveryStem(const PageInfo& page) {
    switch (page.letter) {
        case 'C': return "chipset";
        case 'R': return "charset";
        case 'F': return "faceset";
        case 'S': return "systemset";
        case 'B': return "battle";
        case 'O': return "converter";
    }
    return std::string(1, static_cast<char>(page.letter | 0x20));
}

RecoveryFolder::RecoveryFolder(std::string root) : root_(std::move(root)) {
    if (OpenRoot()) MakeOwn();
}

bool RecoveryFolder::OpenRoot() {
    const std::string keep = "Unsaved sheets are not kept: ";
    if (!MakePrivatePath(root_)) {
        problem_ = keep + "the recovery folder cannot be made (" + ErrnoReason(errno, true) + "): " + root_;
        return false;
    }
    rootFd_ = open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (rootFd_ < 0) {
        problem_ = keep + (errno == ELOOP || errno == ENOTDIR ? "the recovery folder is a link or a file"
                                                              : "the recovery folder cannot be opened (" +
                                                                    ErrnoReason(errno, false) + ")") +
                   ": " + root_;
        return false;
    }
    struct stat st {};
    if (!OwnedByUser(rootFd_, &st)) {
        problem_ = keep + "the recovery folder belongs to another user: " + root_;
        close(rootFd_);
        rootFd_ = -1;
        return false;
    }
    if ((st.st_mode & 077) != 0) {
        if (fchmod(rootFd_, 0700) != 0) {
            problem_ = keep + "the recovery folder is open to other users and cannot be made private: " + root_;
            close(rootFd_);
            rootFd_ = -1;
            return false;
        }
        notice_ = "The recovery folder was open to other users and is private now: " + root_;
    }
    return true;
}

bool RecoveryFolder::MakeOwn() {
    const std::string keep = "Unsaved sheets are not kept: ";
    for (int tries = 0; tries < 100 && own_ < 0; ++tries) {
        const std::string suffix = RandomSuffix();
        const std::string fresh = kNewPrefix + suffix, name = kCopyPrefix + suffix;
        if (mkdirat(rootFd_, fresh.c_str(), 0700) != 0) {
            if (errno == EEXIST) continue;
            break;
        }
        const int own = openat(rootFd_, fresh.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int lock = own < 0 ? -1
                                 : openat(own, kLockName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        // Named as a copy's subfolder only once locked, so that no other
        // start takes it for an ended one in between.
        if (lock >= 0 && flock(lock, LOCK_EX | LOCK_NB) == 0 &&
            renameat2(rootFd_, fresh.c_str(), rootFd_, name.c_str(), RENAME_NOREPLACE) == 0) {
            own_ = own;
            lock_ = lock;
            ownName_ = name;
            return true;
        }
        const int err = errno;
        if (lock >= 0) {
            unlinkat(own, kLockName, 0);
            close(lock);
        }
        if (own >= 0) close(own);
        unlinkat(rootFd_, fresh.c_str(), AT_REMOVEDIR);
        if (err != EEXIST) break;
    }
    problem_ = keep + "no folder of its own can be made in the recovery folder (" + ErrnoReason(errno, true) +
               "): " + root_;
    return false;
}

RecoveryFolder::~RecoveryFolder() {
    if (own_ >= 0) {
        const std::vector<std::string> names = Names(own_);
        if (names.size() == 1 && names[0] == kLockName) {
            unlinkat(own_, kLockName, 0);
            unlinkat(rootFd_, ownName_.c_str(), AT_REMOVEDIR);
        }
        close(lock_);
        close(own_);
    }
    if (rootFd_ >= 0) close(rootFd_);
}

std::string RecoveryFolder::Own() const { return own_ >= 0 ? root_ + '/' + ownName_ : std::string(); }

std::string RecoveryFolder::CurrentCopy(const PageInfo& page) const {
    return own_ >= 0 ? Own() + '/' + RecoveryStem(page) + kExtension : std::string();
}

std::string RecoveryFolder::Write(const PageInfo& page, const Raster& sheet, bool aside) {
    if (own_ < 0) return problem_;
    std::string temp;
    const int fd = OpenTempAt(own_, &temp);
    if (fd < 0) return ErrnoReason(errno, true);
    FILE* out = fdopen(fd, "wb");
    if (out == nullptr) {
        close(fd);
        unlinkat(own_, temp.c_str(), 0);
        return ErrnoReason(errno, true);
    }
    errno = 0;
    bool ok = WriteSheetPng(out, sheet) && fsync(fd) == 0;
    int err = errno != 0 ? errno : EIO;
    ok = fclose(out) == 0 && ok;
    const std::string stem = RecoveryStem(page);
    std::string name = stem + kExtension;
    if (ok && aside) {
        // Named by the time; a second copy within the same millisecond takes the next one.
        ok = false;
        for (int64_t ms = NowMs(), tries = 0; tries < 1000 && !ok; ++ms, ++tries) {
            name = stem + '-' + std::to_string(ms) + kExtension;
            ok = renameat2(own_, temp.c_str(), own_, name.c_str(), RENAME_NOREPLACE) == 0;
            if (!ok && errno != EEXIST) break;
        }
    } else if (ok) {
        ok = renameat(own_, temp.c_str(), own_, name.c_str()) == 0;
    }
    if (!ok) {
        if (errno != 0) err = errno;
        unlinkat(own_, temp.c_str(), 0);
        return ErrnoReason(err, true);
    }
    fsync(own_);  // the new name itself survives a power cut
    return "";
}

void RecoveryFolder::RemoveCurrent(const PageInfo& page) {
    if (own_ >= 0) unlinkat(own_, (RecoveryStem(page) + kExtension).c_str(), 0);
}

int RecoveryFolder::OpenEnded(const std::string& name) const {
    if (rootFd_ < 0 || name == ownName_ || name.find('/') != std::string::npos) return -1;
    const int fd = openat(rootFd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (!OwnedByUser(fd, &st) || !HeldByNobody(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

std::vector<RecoveryCopy> RecoveryFolder::Waiting() const {
    std::vector<RecoveryCopy> copies;
    if (rootFd_ < 0) return copies;
    for (const std::string& folder : Names(rootFd_)) {
        if (!folder.starts_with(kCopyPrefix)) continue;
        const int sub = OpenEnded(folder);
        if (sub < 0) continue;
        for (const std::string& name : Names(sub)) {
            const PageInfo* page = PageOfName(name);
            struct stat st {};
            if (page == nullptr || fstatat(sub, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            // A link, or a second name of a file that lives elsewhere, is not a copy.
            if (!S_ISREG(st.st_mode) || st.st_uid != geteuid() || st.st_nlink != 1) continue;
            copies.push_back({folder, name, page,
                              int64_t{st.st_mtim.tv_sec} * 1000 + st.st_mtim.tv_nsec / 1000000});
        }
        close(sub);
    }
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        if (a.modified != b.modified) return a.modified > b.modified;
        return std::tie(a.folder, a.name) < std::tie(b.folder, b.name);
    });
    return copies;
}

std::optional<Raster> RecoveryFolder::Read(const RecoveryCopy& copy) const {
    const int sub = OpenEnded(copy.folder);
    if (sub < 0) return std::nullopt;
    const int fd = openat(sub, copy.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    close(sub);
    struct stat st {};
    if (fd < 0) return std::nullopt;
    FILE* in = OwnedByUser(fd, &st) && S_ISREG(st.st_mode) ? fdopen(fd, "rb") : nullptr;
    if (in == nullptr) {
        close(fd);
        return std::nullopt;
    }
    std::optional<Raster> sheet = ReadSheetPng(in, copy.page->sheet.w, copy.page->sheet.h);
    fclose(in);
    return sheet;
}

void RecoveryFolder::Remove(const RecoveryCopy& copy) const {
    const int sub = OpenEnded(copy.folder);
    if (sub < 0) return;
    unlinkat(sub, copy.name.c_str(), 0);
    close(sub);
}

void RecoveryFolder::RemoveLeftovers() const {
    if (rootFd_ < 0) return;
    const time_t now = time(nullptr);
    for (const std::string& folder : Names(rootFd_)) {
        const bool unfinished = folder.starts_with(kNewPrefix);
        if (!unfinished && !folder.starts_with(kCopyPrefix)) continue;
        const int sub = OpenEnded(folder);
        if (sub < 0) continue;
        struct stat st {};
        // A subfolder still being made is only a leftover once it is old.
        if (!unfinished || (fstat(sub, &st) == 0 && now - st.st_mtime > kStaleSeconds)) {
            RemoveStaleTemps(sub);
            const std::vector<std::string> names = Names(sub);
            if (names.empty() || (names.size() == 1 && names[0] == kLockName)) {
                unlinkat(sub, kLockName, 0);
                unlinkat(rootFd_, folder.c_str(), AT_REMOVEDIR);
            }
        }
        close(sub);
    }
}

}  // namespace tw
