#include "support/grey_png.h"

#include <zlib.h>

#include <algorithm>

namespace tw::test {

using Bytes = std::vector<uint8_t>;

static void PutBe32(Bytes* b, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b->push_back(static_cast<uint8_t>(v >> shift));
}

static void PutChunk(Bytes* png, const char* type, const Bytes& data) {
    PutBe32(png, static_cast<uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png->insert(png->end(), typed.begin(), typed.end());
    PutBe32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

std::vector<uint8_t> GreyPng(uint32_t w, uint32_t h, size_t extraZeros, size_t chunkBytes) {
    Bytes png{0x89, 'P', 'N', 'G', 13, 10, 26, 10}, ihdr;
    PutBe32(&ihdr, w);
    PutBe32(&ihdr, h);
    ihdr.insert(ihdr.end(), {8, 0, 0, 0, 0});
    PutChunk(&png, "IHDR", ihdr);
    Bytes raw;
    for (uint32_t y = 0; y < h && w <= 4096; ++y) {
        raw.push_back(0);  // no filter
        for (uint32_t x = 0; x < w; ++x) raw.push_back(static_cast<uint8_t>(x * 3 + y));
    }
    raw.resize(raw.size() + extraZeros, 0);
    Bytes packed(compressBound(static_cast<uLong>(raw.size())));
    uLongf size = static_cast<uLongf>(packed.size());
    compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(size);
    for (size_t at = 0; at < packed.size(); at += chunkBytes)
        PutChunk(&png, "IDAT", Bytes(packed.begin() + at, packed.begin() + std::min(packed.size(), at + chunkBytes)));
    PutChunk(&png, "IEND", {});
    return png;
}

}  // namespace tw::test
