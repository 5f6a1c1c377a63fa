#include "imagefiles/file_error.h"

#include <cerrno>
#include <cstring>

#include "imagefiles/vicdef32.h"

namespace tw {
namespace {

thread_local std::string lastReason;

}  // namespace

void ClearFileError() { lastReason.clear(); }

void SetFileError(std::string reason) {
    if (lastReason.empty()) lastReason = std::move(reason);
}

const std::string& FileError() { return lastReason; }

std::string ErrnoReason(int err, bool writing) {
    switch (err) {
        case ENOENT: return writing ? "no such folder" : "no such file";
        case ENOTDIR: return writing ? "no such folder" : "no such file";
        case EACCES:
        case EPERM: return writing ? "no permission to write there" : "no permission to read the file";
        case EROFS: return "the folder is read-only";
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return "the disk is full";
        case EISDIR: return "it is a folder, not a file";
        case ENAMETOOLONG: return "the name is too long";
        case ENOMEM: return "not enough memory";
        case ENXIO: return "nothing is reading from it";
        case ELOOP: return "too many symbolic links";
        case EIO: return "the disk could not be read or written";
        default: return std::strerror(err);
    }
}

void SetErrnoFileError(int err, bool writing) { SetFileError(ErrnoReason(err, writing)); }

std::string TooLargeReason(long long width, long long height, int bpp) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width > kMaxImageSide || height > kMaxImageSide)
        return "picture too large: " + size + " (the limit is " + std::to_string(kMaxImageSide) +
               " a side)";
    if (width <= 0 || height <= 0) return "the picture's size " + size + " is not valid";
    return "picture too large: " + size + " at " + std::to_string(bpp) + " bits (the limit is " +
           std::to_string(kMaxImageBytes >> 20) + " MB of pixels)";
}

std::string NoMemoryReason(long long width, long long height) {
    return "not enough memory for a " + std::to_string(width) + " x " + std::to_string(height) +
           " picture";
}

}  // namespace tw
