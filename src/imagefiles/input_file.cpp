#include "imagefiles/input_file.h"

#include <sys/stat.h>

namespace tw {

FilePtr OpenInputFile(const char* name) {
    if (name == nullptr || *name == '\0') return nullptr;
    FilePtr f(fopen(name, "rb"));
    if (!f) return nullptr;
    struct stat st {};
    if (fstat(fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    return f;
}

std::optional<std::vector<uint8_t>> ReadInputFile(const char* name, size_t maxBytes) {
    FilePtr f = OpenInputFile(name);
    if (!f) return std::nullopt;
    struct stat st {};
    if (fstat(fileno(f.get()), &st) != 0 || st.st_size < 0 ||
        static_cast<uint64_t>(st.st_size) > maxBytes)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    if (!bytes.empty() && fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}

}  // namespace tw

namespace tw {

std::optional<std::vector<uint8_t>> ReadInputHead(const char* name, size_t maxBytes) {
    FilePtr f = OpenInputFile(name);
    if (!f) return std::nullopt;
    std::vector<uint8_t> bytes(maxBytes);
    bytes.resize(fread(bytes.data(), 1, bytes.size(), f.get()));
    if (ferror(f.get())) return std::nullopt;
    return bytes;
}

}  // namespace tw
