// BMP decoding: Windows and OS/2 headers, 1 to 32 bits, RLE4/RLE8,
// bit fields, bottom-up and top-down. Every read is bounds-checked against
// the file, which is held in memory.

#include <bit>
#include <optional>

#include "imagefiles/file_error.h"
#include "imagefiles/dib.h"
#include "imagefiles/input_file.h"
#include "imagefiles/le_bytes.h"
#include "imagefiles/vicdef32.h"

namespace {

using tw::Le16;
using tw::Le32;

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
// A 24-bit picture at the pixel limit stored as 32 bits, plus headers.
constexpr size_t kMaxBmpFile = static_cast<size_t>(kMaxImageBytes) / 3 * 4 + (1 << 20);
constexpr size_t kMaxHeadBytes = 14 + 124 + 16 + 256 * 4;

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<tw::Pixel> palette;
    size_t pixelOffset = 0;
    int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
    int outBpp = 0;
};

bool CompressionFits(uint32_t compression, int bits) {
    switch (compression) {
    case kRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8: return bits == 8;
    case kRle4: return bits == 4;
    case kBitFields:
    case kAlphaBitFields: return bits == 16 || bits == 32;
    default: return false;
    }
}

std::optional<BmpLayout> ParseLayout(const std::vector<uint8_t>& f, bool needPixels) {
    if (f.size() < 2 || f[0] != 'B' || f[1] != 'M') {
        tw::SetFileError("not a BMP file");
        return std::nullopt;
    }
    if (f.size() < 14 + 12) {
        tw::SetFileError("the file ends too early");
        return std::nullopt;
    }
    const uint32_t offBits = Le32(&f[10]);
    const uint32_t infoSize = Le32(&f[14]);
    BmpLayout b;
    size_t paletteAt = 14 + static_cast<size_t>(infoSize);
    int entrySize = 4;
    uint32_t clrUsed = 0;
    if (infoSize == 12) {
        b.width = Le16(&f[18]);
        b.height = Le16(&f[20]);
        b.bitCount = Le16(&f[24]);
        entrySize = 3;
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (f.size() < paletteAt) return std::nullopt;
        b.width = static_cast<int32_t>(Le32(&f[18]));
        const auto h = static_cast<int32_t>(Le32(&f[22]));
        if (h == INT32_MIN) return std::nullopt;
        b.topDown = h < 0;
        b.height = h < 0 ? -h : h;
        b.bitCount = Le16(&f[28]);
        b.compression = Le32(&f[30]);
        b.xPelsPerMeter = static_cast<int32_t>(Le32(&f[38]));
        b.yPelsPerMeter = static_cast<int32_t>(Le32(&f[42]));
        clrUsed = Le32(&f[46]);
        if (b.compression == kBitFields || b.compression == kAlphaBitFields) {
            // Old-style headers keep the masks just after themselves.
            size_t at = 54;
            if (infoSize == 40) paletteAt += b.compression == kBitFields ? 12 : 16;
            if (f.size() < at + 12) return std::nullopt;
            for (uint32_t& m : b.masks) m = Le32(&f[at]), at += 4;
        }
    } else {
        return std::nullopt;
    }
    if (!CompressionFits(b.compression, b.bitCount)) return std::nullopt;
    if (b.topDown && (b.compression == kRle4 || b.compression == kRle8)) return std::nullopt;
    b.outBpp = b.bitCount == 1 ? 1 : b.bitCount <= 8 ? 8 : 24;
    if (!tw::DibSizeAllowed(b.width, b.height, b.outBpp)) return std::nullopt;

    if (b.bitCount <= 8) {
        const uint32_t full = 1u << b.bitCount;
        size_t count = clrUsed == 0 || clrUsed > full ? full : clrUsed;
        size_t end = f.size();
        if (offBits >= paletteAt && offBits < end) end = offBits;
        if (end < paletteAt) return std::nullopt;
        count = std::min(count, (end - paletteAt) / entrySize);
        if (count == 0) return std::nullopt;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* q = &f[paletteAt + i * entrySize];
            b.palette.push_back(tw::Rgb(q[2], q[1], q[0]));
        }
        paletteAt += count * entrySize;
    }
    b.pixelOffset = offBits != 0 ? offBits : paletteAt;
    if (needPixels && (b.pixelOffset < 14 + static_cast<size_t>(infoSize) || b.pixelOffset >= f.size()))
        return std::nullopt;
    if (b.compression == kRgb && b.bitCount == 16) b.masks[0] = 0x7C00, b.masks[1] = 0x03E0, b.masks[2] = 0x1F;
    if (b.compression == kRgb && b.bitCount == 32)
        b.masks[0] = 0xFF0000, b.masks[1] = 0xFF00, b.masks[2] = 0xFF;
    return b;
}

// Scales the field under `mask` to 0..255.
class MaskChannel {
public:
    explicit MaskChannel(uint32_t mask)
        : shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0), mask_(mask) {}
    uint8_t operator()(uint32_t value) const {
        if (max_ == 0) return 0;
        const uint64_t v = (value & mask_) >> shift_;
        return static_cast<uint8_t>((v * 255 + max_ / 2) / max_);
    }

private:
    int shift_;
    uint64_t max_;
    uint32_t mask_;
};

bool DecodeUncompressed(const std::vector<uint8_t>& f, const BmpLayout& b, ImageDescriptor* image) {
    const uint64_t rowBytes = (static_cast<uint64_t>(b.width) * b.bitCount + 7) / 8;
    const uint64_t stride = (static_cast<uint64_t>(b.width) * b.bitCount + 31) / 32 * 4;
    // The last row may lack its padding: some writers drop it.
    if (b.pixelOffset + stride * (b.height - 1) + rowBytes > f.size()) return false;
    const MaskChannel red(b.masks[0]), green(b.masks[1]), blue(b.masks[2]);
    for (int r = 0; r < b.height; ++r) {
        const uint8_t* in = &f[b.pixelOffset + stride * r];
        uint8_t* out = tw::ImageRow(*image, b.topDown ? r : b.height - 1 - r);
        switch (b.bitCount) {
        case 1:
        case 8:
        case 24: std::copy(in, in + rowBytes, out); break;
        case 4:
            for (int x = 0; x < b.width; ++x) out[x] = (x & 1) ? in[x / 2] & 15 : in[x / 2] >> 4;
            break;
        default:
            for (int x = 0; x < b.width; ++x) {
                const uint32_t p = b.bitCount == 16 ? Le16(in + 2 * x) : Le32(in + 4 * x);
                out[3 * x] = blue(p), out[3 * x + 1] = green(p), out[3 * x + 2] = red(p);
            }
        }
    }
    return true;
}

// Run-length data. Skipped pixels keep index 0; runs past the row end are
// clipped. Every step consumes input, so the loop ends with the file.
bool DecodeRle(const std::vector<uint8_t>& f, const BmpLayout& b, ImageDescriptor* image) {
    const bool four = b.compression == kRle4;
    size_t pos = b.pixelOffset;
    int x = 0, r = 0;
    auto put = [&](int index) {
        if (x < b.width && r < b.height) tw::ImageRow(*image, b.height - 1 - r)[x] = static_cast<uint8_t>(index);
        ++x;
    };
    while (r < b.height) {
        if (pos + 2 > f.size()) return false;
        const int n = f[pos], c = f[pos + 1];
        pos += 2;
        if (n > 0) {
            for (int k = 0; k < n && x < b.width; ++k) put(four ? ((k & 1) ? c & 15 : c >> 4) : c);
        } else if (c == 0) {
            x = 0, ++r;
        } else if (c == 1) {
            return true;
        } else if (c == 2) {
            if (pos + 2 > f.size()) return false;
            x += f[pos], r += f[pos + 1];
            pos += 2;
        } else {
            const size_t bytes = four ? (c + 1) / 2 : c;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (pos + padded > f.size()) return false;
            for (int k = 0; k < c; ++k) {
                const int v = f[pos + (four ? k / 2 : k)];
                put(four ? ((k & 1) ? v & 15 : v >> 4) : v);
            }
            pos += padded;
        }
        if (x > b.width) x = b.width;  // keeps x small however long the runs
    }
    return true;
}

}  // namespace

int bmpinfo(const char* fname, BITMAPINFOHEADER* info) {
    if (info == nullptr) return -1;
    const auto head = tw::ReadInputHead(fname, kMaxHeadBytes);
    if (!head) return -1;
    const auto b = ParseLayout(*head, false);
    if (!b) return -2;
    *info = BITMAPINFOHEADER{};
    info->biSize = sizeof(BITMAPINFOHEADER);
    info->biWidth = b->width;
    info->biHeight = b->height;
    info->biPlanes = 1;
    info->biBitCount = static_cast<uint16_t>(b->outBpp);
    info->biSizeImage = static_cast<uint32_t>(tw::DibStride(b->width, b->outBpp)) * b->height;
    info->biXPelsPerMeter = b->xPelsPerMeter;
    info->biYPelsPerMeter = b->yPelsPerMeter;
    info->biClrUsed = b->outBpp == 1 ? 2 : b->outBpp == 8 ? 256 : 0;
    return 0;
}

int loadbmp(const char* fname, ImageDescriptor* image) {
    const auto file = tw::ReadInputFile(fname, kMaxBmpFile);
    if (!file) return -1;
    const auto b = ParseLayout(*file, true);
    if (!b) return -2;
    if (!tw::ImageMatches(image, b->width, b->height, b->outBpp)) return -3;
    tw::PixelsChanging(image);
    const bool ok = b->compression == kRle4 || b->compression == kRle8 ? DecodeRle(*file, *b, image)
                                                                        : DecodeUncompressed(*file, *b, image);
    if (!ok) {
        tw::SetFileError("the file ends too early or its pixels are damaged");
        return -4;
    }
    if (b->outBpp <= 8) {
        for (int i = 0; i < image->colors; ++i)
            tw::SetPaletteEntry(image, i, i < static_cast<int>(b->palette.size()) ? b->palette[i] : 0);
        tw::SetGreyscale(image, tw::PaletteIsGreyRamp(*image));
    }
    return 0;
}
