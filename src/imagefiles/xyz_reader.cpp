// XYZ decoding. The compressed stream is read in small pieces and inflated
// straight into the image rows, and never past the size the header declares:
// however much a stream would inflate to, one byte beyond the picture is
// enough to refuse it.

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "imagefiles/file_error.h"
#include "imagefiles/dib.h"
#include "imagefiles/input_file.h"
#include "imagefiles/le_bytes.h"
#include "imagefiles/vicdef32.h"
#include "imagefiles/xyz_format.h"
#include "imagefiles/zlib_stream.h"

namespace {

using tw::Fail;

constexpr size_t kReadChunk = 64 * 1024;

struct XyzHeader {
    int width = 0;
    int height = 0;
};

std::string OpenFailure(int err) {
    if (err == ENOENT || err == ENOTDIR) return "no such file";
    if (err == EACCES || err == EPERM) return "no permission to read the file";
    return "not a readable file";
}

std::string SizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

// Opens the file and checks its header; the file stays positioned at the
// compressed stream.
int OpenXyz(const char* fname, tw::FilePtr* file, XyzHeader* header) {
    errno = 0;
    *file = tw::OpenInputFile(fname);
    if (!*file) return Fail(-1, OpenFailure(errno));
    uint8_t head[tw::kXyzHeaderBytes];
    const size_t got = fread(head, 1, sizeof head, file->get());
    if (got < sizeof tw::kXyzMagic || std::memcmp(head, tw::kXyzMagic, sizeof tw::kXyzMagic) != 0)
        return Fail(-2, "not an XYZ file");
    if (got < sizeof head) return Fail(-3, "the file ends too early");
    header->width = tw::Le16(head + 4);
    header->height = tw::Le16(head + 6);
    if (header->width == 0 || header->height == 0)
        return Fail(-4, "the picture has no pixels (" + SizeText(header->width, header->height) + ")");
    if (!tw::DibSizeAllowed(header->width, header->height, 8))
        return Fail(-4,
                    "picture too large: " + SizeText(header->width, header->height) + " (the limit is " +
                        std::to_string(kMaxImageSide) + " a side)");
    return 0;
}

// The inflated contents of the file's stream, handed out piece by piece.
class XyzStream {
public:
    explicit XyzStream(FILE* file) : file_(file), input_(kReadChunk) {}

    bool Ok() const { return zlib_.Ok(); }

    // Fills out[0, n) with the next inflated bytes.
    int Fill(uint8_t* out, size_t n) {
        z_stream& z = zlib_.Z();
        z.next_out = out;
        z.avail_out = static_cast<uInt>(n);
        while (z.avail_out > 0) {
            if (ended_) return Fail(-6, "the picture data is shorter than its size says");
            if (int rc = Step()) return rc;
        }
        return 0;
    }

    // Succeeds when the stream ends exactly here and nothing follows it.
    int Finish() {
        z_stream& z = zlib_.Z();
        uint8_t extra = 0;
        z.next_out = &extra;
        z.avail_out = 1;
        while (!ended_) {
            if (int rc = Step()) return rc;
            if (z.avail_out == 0) return Fail(-7, "the picture data is longer than its size says");
        }
        uint8_t probe = 0;
        if (z.avail_in > 0 || fread(&probe, 1, 1, file_) == 1)
            return Fail(-8, "the file has extra data after the picture");
        return 0;
    }

private:
    // One call of inflate, with more input first when it has used up what it had.
    int Step() {
        z_stream& z = zlib_.Z();
        if (z.avail_in == 0) {
            const size_t got = fread(input_.data(), 1, input_.size(), file_);
            if (ferror(file_)) return Fail(-9, "the file could not be read");
            if (got == 0) return Fail(-3, "the file ends too early");
            z.next_in = input_.data();
            z.avail_in = static_cast<uInt>(got);
        }
        switch (inflate(&z, Z_NO_FLUSH)) {
        case Z_OK:
        case Z_BUF_ERROR: return 0;
        case Z_STREAM_END: ended_ = true; return 0;
        case Z_MEM_ERROR: return Fail(-10, "not enough memory");
        default: return Fail(-11, "the compressed data is damaged");
        }
    }

    FILE* file_;
    std::vector<uint8_t> input_;
    tw::InflateStream zlib_;
    bool ended_ = false;
};

}  // namespace

int xyzinfo(const char* fname, XyzInfo* info) {
    if (info == nullptr) return -1;
    tw::FilePtr file;
    XyzHeader header;
    if (int rc = OpenXyz(fname, &file, &header)) return rc;
    *info = XyzInfo{header.width, header.height, 8};
    return 0;
}

int loadxyz(const char* fname, ImageDescriptor* image) {
    tw::FilePtr file;
    XyzHeader header;
    if (int rc = OpenXyz(fname, &file, &header)) return rc;
    if (!tw::ImageMatches(image, header.width, header.height, 8))
        return Fail(-5, "the image prepared for the picture has another size");
    tw::PixelsChanging(image);
    XyzStream stream(file.get());
    if (!stream.Ok()) return Fail(-10, "not enough memory");
    uint8_t palette[tw::kXyzPaletteBytes];
    if (int rc = stream.Fill(palette, sizeof palette)) return rc;
    for (int y = 0; y < header.height; ++y)
        if (int rc = stream.Fill(tw::ImageRow(*image, y), static_cast<size_t>(header.width))) return rc;
    if (int rc = stream.Finish()) return rc;
    for (int i = 0; i < 256; ++i)
        tw::SetPaletteEntry(image, i, tw::Rgb(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]));
    tw::SetGreyscale(image, tw::PaletteIsGreyRamp(*image));
    return 0;
}
