#include "platform/save_picture.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace tw {
namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 255);
    b.push_back((v >> 8) & 255);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

}  // namespace

bool SavePicture(const Picture& picture, const std::string& path) {
    const Raster* r = picture.raster();
    if (!r || r->Empty()) return false;
    const uint32_t stride = (static_cast<uint32_t>(r->Width()) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * static_cast<uint32_t>(r->Height());
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, r->Width());
    Put32(out, r->Height());
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, dataSize);
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = r->Height() - 1; y >= 0; --y) {
        const Pixel* row = r->Row(y);
        for (int x = 0; x < r->Width(); ++x) {
            out.push_back(row[x] & 255);
            out.push_back((row[x] >> 8) & 255);
            out.push_back((row[x] >> 16) & 255);
        }
        for (uint32_t pad = static_cast<uint32_t>(r->Width()) * 3; pad < stride; ++pad) out.push_back(0);
    }
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!f) return false;
    if (std::fwrite(out.data(), 1, out.size(), f.get()) != out.size()) return false;
    return std::fflush(f.get()) == 0;
}

bool DeleteFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(path, ec);
}

std::string ProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}

}  // namespace tw
