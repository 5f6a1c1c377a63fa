#pragma once
// Scratch folders and whole-file reads and writes for the tests.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tw::test {

namespace fs = std::filesystem;

// A fresh scratch folder, removed again at the end.
struct ScratchDir {
    fs::path path;
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    operator const fs::path&() const { return path; }
};
using TempDir = ScratchDir;

// The file's whole content; empty when it cannot be read.
std::string ReadText(const fs::path& path);
std::vector<uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes);

}  // namespace tw::test
