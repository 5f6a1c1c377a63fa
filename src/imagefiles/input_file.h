#pragma once
// Opening picture files for reading: only regular files, so that a folder, a
// pipe or a device never reaches a decoder nor stalls the program. Each
// routine records why it failed (file_error.h).

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace tw {

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// The file opened for binary reading, or null when it is no readable
// regular file.
FilePtr OpenInputFile(const char* name);

// The whole file when it is a readable regular file of at most maxBytes.
std::optional<std::vector<uint8_t>> ReadInputFile(const char* name, size_t maxBytes);

// At most the first maxBytes of a readable regular file.
std::optional<std::vector<uint8_t>> ReadInputHead(const char* name, size_t maxBytes);

}  // namespace tw
