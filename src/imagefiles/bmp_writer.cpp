// BMP encoding: an 8-bit file with a full 256-entry palette when the picture
// has at most 256 colours (transparent colour first), 24 bits otherwise.

#include "imagefiles/atomic_file.h"
#include "imagefiles/dib.h"
#include "imagefiles/indexed_picture.h"
#include "imagefiles/le_bytes.h"
#include "imagefiles/vicdef32.h"

namespace {

std::vector<uint8_t> Headers(int width, int height, int bpp, const std::vector<tw::Pixel>& palette) {
    const uint32_t paletteBytes = static_cast<uint32_t>(palette.size()) * 4;
    const uint32_t offset = 14 + 40 + paletteBytes;
    const uint32_t imageBytes = static_cast<uint32_t>(tw::DibStride(width, bpp)) * height;
    std::vector<uint8_t> h{'B', 'M'};
    tw::PutLe32(&h, offset + imageBytes);
    tw::PutLe32(&h, 0);
    tw::PutLe32(&h, offset);
    tw::PutLe32(&h, 40);
    tw::PutLe32(&h, static_cast<uint32_t>(width));
    tw::PutLe32(&h, static_cast<uint32_t>(height));
    tw::PutLe16(&h, 1);
    tw::PutLe16(&h, static_cast<uint32_t>(bpp));
    tw::PutLe32(&h, 0);
    tw::PutLe32(&h, imageBytes);
    tw::PutLe32(&h, 2835);
    tw::PutLe32(&h, 2835);
    tw::PutLe32(&h, static_cast<uint32_t>(palette.size()));
    tw::PutLe32(&h, 0);
    for (tw::Pixel p : palette) tw::PutLe32(&h, p & 0xFFFFFF);  // B, G, R, 0
    return h;
}

bool WriteBmp(FILE* out, const tw::Raster& picture, bool paletteAllowed, tw::Pixel transparent) {
    const int w = picture.Width(), h = picture.Height();
    const auto indexed = paletteAllowed ? tw::ExactPalette(picture, 256, transparent)
                                        : std::optional<tw::IndexedPicture>();
    const int bpp = indexed ? 8 : 24;
    // Readers guess the depth from the palette's length (two entries read as
    // one bit per pixel), so a palette file always lists all 256 colours; the
    // padding repeats none of them, least of all the transparent one.
    std::vector<tw::Pixel> palette;
    if (indexed) {
        palette = indexed->palette;
        tw::PadPalette(&palette, 256);
    }
    const std::vector<uint8_t> head = Headers(w, h, bpp, palette);
    if (fwrite(head.data(), 1, head.size(), out) != head.size()) return false;
    std::vector<uint8_t> row(static_cast<size_t>(tw::DibStride(w, bpp)), 0);
    for (int y = h - 1; y >= 0; --y) {  // bottom-up
        if (indexed) {
            const uint8_t* in = indexed->indices.data() + static_cast<size_t>(y) * w;
            std::copy(in, in + w, row.begin());
        } else {
            const tw::Pixel* in = picture.Row(y);
            for (int x = 0; x < w; ++x) {
                row[3 * x] = static_cast<uint8_t>(in[x]);
                row[3 * x + 1] = static_cast<uint8_t>(in[x] >> 8);
                row[3 * x + 2] = static_cast<uint8_t>(in[x] >> 16);
            }
        }
        if (fwrite(row.data(), 1, row.size(), out) != row.size()) return false;
    }
    return true;
}

}  // namespace

int savebmp(const char* fname, const ImageDescriptor* image, int option) {
    tw::DibShape shape;
    if (!tw::DescribeImage(image, &shape)) return -1;
    tw::AtomicFile file(fname);
    if (!file.Ok()) return -2;
    const tw::Raster picture = tw::ImageToRaster(*image);
    if (!WriteBmp(file.Stream(), picture, option != kSaveFullDepth,
                  tw::TransparentColourFor(*image, picture)))
        return -3;
    return file.Commit() ? 0 : -4;
}
