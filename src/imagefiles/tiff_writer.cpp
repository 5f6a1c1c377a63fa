// TIFF encoding at the image's own depth, LZW-compressed: 24-bit RGB, 16-bit
// and 8-bit grey, 8-bit and 1-bit palette (transparent colour first).

#include <cstring>
#include <optional>

#include "imagefiles/atomic_file.h"
#include "imagefiles/dib.h"
#include "imagefiles/indexed_picture.h"
#include "imagefiles/tiff_handle.h"
#include "imagefiles/vicdef32.h"

namespace {

// What goes into the file: the photometric kind plus one packed row at a time.
struct TiffLayout {
    uint16_t photometric = PHOTOMETRIC_RGB;
    uint16_t bps = 8, spp = 3;
    std::vector<tw::Pixel> palette;      // palette pages only, 1 << bps entries
    std::optional<tw::IndexedPicture> indexed;
};

TiffLayout ChooseLayout(const ImageDescriptor& image, const tw::DibShape& s, const tw::Raster& picture) {
    TiffLayout l;
    if (s.bpp == 24) return l;
    l.spp = 1;
    l.bps = static_cast<uint16_t>(s.bpp == 16 ? 16 : 8);
    l.photometric = PHOTOMETRIC_MINISBLACK;
    if (s.bpp == 16 || (s.bpp == 8 && tw::PaletteIsGreyRamp(image))) return l;
    l.bps = static_cast<uint16_t>(s.bpp);
    l.photometric = PHOTOMETRIC_PALETTE;
    l.indexed = tw::ExactPalette(picture, 1 << s.bpp);
    if (l.indexed) {
        l.palette = l.indexed->palette;
        tw::PadPalette(&l.palette, size_t{1} << s.bpp);
    }
    return l;
}

void PackRow(const ImageDescriptor& image, const tw::Raster& picture, const TiffLayout& l, int y,
             std::vector<uint8_t>* row) {
    const int w = picture.Width();
    std::fill(row->begin(), row->end(), 0);
    if (l.photometric == PHOTOMETRIC_RGB) {
        const tw::Pixel* in = picture.Row(y);
        for (int x = 0; x < w; ++x)
            (*row)[3 * x] = static_cast<uint8_t>(in[x] >> 16), (*row)[3 * x + 1] = static_cast<uint8_t>(in[x] >> 8),
                      (*row)[3 * x + 2] = static_cast<uint8_t>(in[x]);
    } else if (l.photometric == PHOTOMETRIC_MINISBLACK && l.bps == 16) {
        const uint8_t* in = tw::ImageRow(image, y);
        for (int x = 0; x < w; ++x) {
            const uint16_t v = static_cast<uint16_t>(in[2 * x] | (in[2 * x + 1] << 8));
            std::memcpy(row->data() + 2 * x, &v, 2);  // libtiff expects native order
        }
    } else if (l.photometric == PHOTOMETRIC_MINISBLACK) {
        const uint8_t* in = tw::ImageRow(image, y);
        for (int x = 0; x < w; ++x) (*row)[x] = in[x];  // grey ramp: index is the level
    } else {
        const uint8_t* in = l.indexed->indices.data() + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            if (l.bps == 8) (*row)[x] = in[x];
            else if (in[x]) (*row)[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
        }
    }
}

bool WriteTiff(TIFF* tif, const ImageDescriptor& image, const tw::Raster& picture, const TiffLayout& l) {
    const int w = picture.Width(), h = picture.Height();
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(w));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(h));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, l.bps);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, l.spp);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, l.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    if (l.bps >= 8) TIFFSetField(tif, TIFFTAG_PREDICTOR, l.photometric == PHOTOMETRIC_PALETTE ? 1 : 2);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    if (l.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<uint16_t> r, g, b;
        for (tw::Pixel c : l.palette) {
            r.push_back(static_cast<uint16_t>(((c >> 16) & 255) * 257));
            g.push_back(static_cast<uint16_t>(((c >> 8) & 255) * 257));
            b.push_back(static_cast<uint16_t>((c & 255) * 257));
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
    }
    std::vector<uint8_t> row(static_cast<size_t>(TIFFScanlineSize64(tif)));
    if (row.size() < (static_cast<size_t>(w) * l.bps * l.spp + 7) / 8) return false;
    for (int y = 0; y < h; ++y) {
        PackRow(image, picture, l, y, &row);
        if (TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) < 0) return false;
    }
    return TIFFFlush(tif) == 1;
}

}  // namespace

int savetif(const char* fname, const ImageDescriptor* image, int /*option*/) {
    tw::DibShape shape;
    if (!tw::DescribeImage(image, &shape)) return -1;
    const tw::Raster picture = tw::ImageToRaster(*image);
    const TiffLayout layout = ChooseLayout(*image, shape, picture);
    if (layout.photometric == PHOTOMETRIC_PALETTE && !layout.indexed) return -2;
    tw::AtomicFile file(fname);
    if (!file.Ok() || !file.CloseStream()) return -3;
    {
        tw::TiffPtr tif = tw::OpenTiff(file.TempPath().c_str(), "w");
        if (!tif || !WriteTiff(tif.get(), *image, picture, layout)) return -4;
    }
    return file.Commit() ? 0 : -5;
}
