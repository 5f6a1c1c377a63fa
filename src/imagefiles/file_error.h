#pragma once
// Why the latest file routine failed, in words a user understands. The
// routines keep their numeric results; the deepest place that knows what went
// wrong records the reason here, and the open and save routines pick it up.

#include <string>

namespace tw {

// Forgets any earlier reason; called when a load or save starts.
void ClearFileError();
// Records why the routine fails; the first reason since ClearFileError wins,
// because it comes from the place closest to the fault.
void SetFileError(std::string reason);
// The reason recorded, or "" when none was.
const std::string& FileError();

// The reason for a failed system call on a file: "no such file", "the disk
// is full", and so on. `writing` picks the words for a save.
std::string ErrnoReason(int err, bool writing);
// Records ErrnoReason(err, writing).
void SetErrnoFileError(int err, bool writing);

// Records the reason and returns `code`, so that a codec can fail with its
// reason in one statement.
inline int Fail(int code, std::string reason) {
    SetFileError(std::move(reason));
    return code;
}

// "picture too large: 70000 x 3 (the limit is 16384 a side)", or the
// byte limit when the sides are within theirs.
std::string TooLargeReason(long long width, long long height, int bpp);
// "not enough memory for a 16384 x 16384 picture".
std::string NoMemoryReason(long long width, long long height);

}  // namespace tw
