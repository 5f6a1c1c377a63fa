#include "imagefiles/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "imagefiles/file_error.h"

namespace tw {
namespace {

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder, not a file";
    if (S_ISFIFO(mode)) return "it is a pipe, not a file";
    if (S_ISSOCK(mode)) return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
    return "it is not a regular file";
}

}  // namespace

FilePtr OpenInputFile(const char* name) {
    if (name == nullptr || *name == '\0') {
        SetFileError("no file name");
        return nullptr;
    }
    // Non-blocking, so that a pipe or a device with that name cannot stall
    // the open; only a regular file goes on to be read.
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        SetErrnoFileError(errno, false);
        return nullptr;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        SetFileError(KindOf(st.st_mode));
        close(fd);
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    FilePtr f(fdopen(fd, "rb"));
    if (!f) {
        SetErrnoFileError(errno, false);
        close(fd);
    }
    return f;
}

std::optional<std::vector<uint8_t>> ReadInputFile(const char* name, size_t maxBytes) {
    FilePtr f = OpenInputFile(name);
    if (!f) return std::nullopt;
    struct stat st {};
    if (fstat(fileno(f.get()), &st) != 0 || st.st_size < 0) return std::nullopt;
    if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        SetFileError("the file is too large");
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    if (!bytes.empty() && fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) {
        SetFileError(ferror(f.get()) ? ErrnoReason(EIO, false) : "the file ends too early");
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<uint8_t>> ReadInputHead(const char* name, size_t maxBytes) {
    FilePtr f = OpenInputFile(name);
    if (!f) return std::nullopt;
    std::vector<uint8_t> bytes(maxBytes);
    bytes.resize(fread(bytes.data(), 1, bytes.size(), f.get()));
    if (ferror(f.get())) {
        SetErrnoFileError(EIO, false);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tw
