// XYZ encoding: always 256 palette entries. The sheet's transparent colour
// is entry 0 and no other entry repeats it; pictures with more than 256
// colours are reduced as for GIF, and the caller is told so.

#include <array>
#include <cerrno>
#include <string>

#include "imagefiles/atomic_file.h"
#include "imagefiles/file_error.h"
#include "imagefiles/colour_reduction.h"
#include "imagefiles/dib.h"
#include "imagefiles/indexed_picture.h"
#include "imagefiles/le_bytes.h"
#include "imagefiles/vicdef32.h"
#include "imagefiles/xyz_format.h"
#include "imagefiles/zlib_stream.h"

namespace {

using tw::Fail;

static_assert(kMaxImageSide <= 0xFFFF, "XYZ sizes are 16-bit");

std::string WriteFailure(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR: return "no such folder";
    case EACCES:
    case EPERM:
    case EROFS: return "the folder is read-only";
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "the disk is full";
    default: return "the file could not be written";
    }
}

// Compresses n bytes into the file; Z_FINISH also ends the stream.
bool Deflate(tw::DeflateStream* zlib, FILE* out, const uint8_t* data, size_t n, int flush) {
    z_stream& z = zlib->Z();
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(n);
    std::array<uint8_t, 64 * 1024> buffer;
    int rc = Z_OK;
    do {
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        rc = deflate(&z, flush);
        if (rc == Z_STREAM_ERROR) return false;
        const size_t have = buffer.size() - z.avail_out;
        if (have > 0 && fwrite(buffer.data(), 1, have, out) != have) return false;
    } while (flush == Z_FINISH ? rc != Z_STREAM_END : z.avail_out == 0);
    return true;
}

bool WriteXyz(FILE* out, const tw::IndexedPicture& picture) {
    std::vector<uint8_t> head(tw::kXyzMagic, tw::kXyzMagic + sizeof tw::kXyzMagic);
    tw::PutLe16(&head, static_cast<uint32_t>(picture.width));
    tw::PutLe16(&head, static_cast<uint32_t>(picture.height));
    if (fwrite(head.data(), 1, head.size(), out) != head.size()) return false;
    std::array<uint8_t, tw::kXyzPaletteBytes> palette{};
    for (size_t i = 0; i < picture.palette.size() && i < 256; ++i) {
        const tw::Pixel c = picture.palette[i];
        palette[3 * i] = static_cast<uint8_t>(c >> 16);
        palette[3 * i + 1] = static_cast<uint8_t>(c >> 8);
        palette[3 * i + 2] = static_cast<uint8_t>(c);
    }
    tw::DeflateStream zlib(Z_BEST_COMPRESSION);
    return zlib.Ok() && Deflate(&zlib, out, palette.data(), palette.size(), Z_NO_FLUSH) &&
           Deflate(&zlib, out, picture.indices.data(), picture.indices.size(), Z_FINISH);
}

}  // namespace

int savexyz(const char* fname, const ImageDescriptor* image, bool* reducedOut) {
    tw::DibShape shape;
    if (!tw::DescribeImage(image, &shape)) return Fail(-1, "there is no picture to save");
    const tw::Raster picture = tw::ImageToRaster(*image);
    const tw::Pixel transparent = tw::TransparentColourFor(*image, picture);
    auto indexed = tw::ExactPalette(picture, 256, transparent);
    const bool reduced = !indexed;
    if (reduced) indexed = tw::ReduceColours(picture, 256, {.transparent = transparent});
    if (!indexed) return Fail(-2, "the colours could not be reduced to 256");
    // Unused entries get colours of their own, so index 0 stays unique.
    tw::PadPalette(&indexed->palette, 256);
    errno = 0;  // a step that fails without saying why is a plain write failure
    tw::AtomicFile file(fname);
    if (!file.Ok()) return Fail(-3, WriteFailure(errno));
    if (!WriteXyz(file.Stream(), *indexed)) return Fail(-4, WriteFailure(errno));
    if (!file.Commit()) return Fail(-5, WriteFailure(errno));
    if (reducedOut != nullptr) *reducedOut = reduced;
    return 0;
}
