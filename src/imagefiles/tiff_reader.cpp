// TIFF decoding of one page. Grey, palette and RGB pages with 1 to 16 bits
// per sample are read sample by sample from strips or tiles, so 16-bit grey
// keeps all its bits; anything else (YCbCr, CMYK, planar colour...) goes
// through libtiff's RGBA interface and arrives as 24 bits.

#include <cstring>

#include "imagefiles/file_error.h"
#include "imagefiles/dib.h"
#include "imagefiles/input_file.h"
#include "imagefiles/tiff_handle.h"
#include "imagefiles/tiff_rows.h"
#include "imagefiles/vicdef32.h"

namespace {

struct TiffPage {
    uint32_t width = 0, height = 0;
    uint16_t bps = 1, spp = 1, photometric = 0, planar = PLANARCONFIG_CONTIG, compression = 1;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    bool bigEndian = false;
    bool direct = false;  // read samples ourselves, else through RGBA
    int outBpp = 0;
};

bool IsGrey(uint16_t photometric) {
    return photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
}

bool ProbePage(TIFF* tif, TiffPage* p) {
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &p->width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &p->height))
        return false;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &p->bps);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &p->spp);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &p->planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &p->compression);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &p->sampleFormat);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &p->photometric))
        p->photometric = p->spp >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    p->bigEndian = TIFFIsBigEndian(tif);
    if (p->width == 0 || p->height == 0 || p->width > kMaxImageSide || p->height > kMaxImageSide) {
        tw::SetFileError(tw::TooLargeReason(p->width, p->height, 24));
        return false;
    }
    if (p->spp == 0 || !TIFFIsCODECConfigured(p->compression)) return false;

    const bool bitsOk = p->bps == 1 || p->bps == 2 || p->bps == 4 || p->bps == 8 || p->bps == 16;
    const bool layoutOk = p->planar == PLANARCONFIG_CONTIG || p->spp == 1;
    const bool kindOk = IsGrey(p->photometric) ||
                        (p->photometric == PHOTOMETRIC_PALETTE && p->spp == 1 && p->bps <= 8) ||
                        (p->photometric == PHOTOMETRIC_RGB && p->spp >= 3 && p->bps >= 8);
    p->direct = bitsOk && layoutOk && kindOk && p->sampleFormat == SAMPLEFORMAT_UINT;
    if (p->direct) {
        if (p->bps == 1 && p->spp == 1) p->outBpp = 1;
        else if (IsGrey(p->photometric) && p->bps == 16 && p->spp == 1) p->outBpp = 16;
        else p->outBpp = p->photometric == PHOTOMETRIC_RGB ? 24 : 8;
    } else {
        p->outBpp = IsGrey(p->photometric) ? 8 : 24;
    }
    return tw::DibSizeAllowed(static_cast<int>(p->width), static_cast<int>(p->height), p->outBpp);
}

// Palette colours of a palette page. Some writers store 8-bit values in the
// 16-bit colour map; those are taken as they are.
std::vector<tw::Pixel> ColourMap(TIFF* tif, int bps) {
    uint16_t *r = nullptr, *g = nullptr, *b = nullptr;
    if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &r, &g, &b)) return {};
    const int n = 1 << bps;
    bool eightBit = true;
    for (int i = 0; i < n; ++i) eightBit &= r[i] < 256 && g[i] < 256 && b[i] < 256;
    const int shift = eightBit ? 0 : 8;
    std::vector<tw::Pixel> colours;
    for (int i = 0; i < n; ++i) colours.push_back(tw::Rgb(r[i] >> shift, g[i] >> shift, b[i] >> shift));
    return colours;
}

void SetPagePalette(TIFF* tif, const TiffPage& p, ImageDescriptor* image) {
    if (p.photometric == PHOTOMETRIC_PALETTE) {
        const auto colours = ColourMap(tif, p.bps);
        for (int i = 0; i < image->colors; ++i)
            tw::SetPaletteEntry(image, i, i < static_cast<int>(colours.size()) ? colours[i] : 0);
        tw::SetGreyscale(image, false);
    } else if (p.outBpp == 1 && p.photometric == PHOTOMETRIC_MINISWHITE) {
        tw::SetPaletteEntry(image, 0, 0xFFFFFF);
        tw::SetPaletteEntry(image, 1, 0x000000);
        tw::SetGreyscale(image, false);
    } else if (p.outBpp <= 8) {
        tw::SetGreyPalette(image);
    }
}

bool ReadDirect(TIFF* tif, const TiffPage& p, ImageDescriptor* image) {
    tw::TiffRows rows(tif);
    if (!rows.Ok()) return false;
    const int w = static_cast<int>(p.width);
    const bool invert = p.photometric == PHOTOMETRIC_MINISWHITE;
    for (int y = 0; y < static_cast<int>(p.height); ++y) {
        const uint8_t* in = rows.Row(static_cast<uint32_t>(y));
        if (in == nullptr) return false;
        uint8_t* out = tw::ImageRow(*image, y);
        const tw::SampleReader sample(in, p.bps, p.spp);
        if (p.outBpp == 1) {
            std::memcpy(out, in, (static_cast<size_t>(w) + 7) / 8);
        } else if (p.outBpp == 16) {
            for (int x = 0; x < w; ++x) {
                const uint32_t v = invert ? 65535 - sample(x, 0) : sample(x, 0);
                out[2 * x] = static_cast<uint8_t>(v), out[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            }
        } else if (p.outBpp == 24) {
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) out[3 * x + 2 - c] = sample.Byte(x, c);
        } else if (p.photometric == PHOTOMETRIC_PALETTE) {
            for (int x = 0; x < w; ++x) out[x] = static_cast<uint8_t>(sample(x, 0));
        } else {
            for (int x = 0; x < w; ++x) {
                const uint8_t v = sample.Byte(x, 0);
                out[x] = invert ? 255 - v : v;
            }
        }
    }
    return true;
}

struct RgbaDeleter {
    void operator()(TIFFRGBAImage* img) const { TIFFRGBAImageEnd(img); }
};

// libtiff's RGBA interface, a band of rows at a time to bound the buffer.
bool ReadThroughRgba(TIFF* tif, const TiffPage& p, ImageDescriptor* image) {
    char message[1024];
    if (!TIFFRGBAImageOK(tif, message)) return false;
    TIFFRGBAImage img{};
    if (!TIFFRGBAImageBegin(&img, tif, 0, message)) return false;
    std::unique_ptr<TIFFRGBAImage, RgbaDeleter> guard(&img);
    img.req_orientation = ORIENTATION_TOPLEFT;
    const uint32_t w = p.width, band = 64;
    std::vector<uint32_t> buffer(static_cast<size_t>(w) * band);
    for (uint32_t top = 0; top < p.height; top += band) {
        const uint32_t rows = std::min(band, p.height - top);
        img.row_offset = static_cast<int>(top);
        img.col_offset = 0;
        if (!TIFFRGBAImageGet(&img, buffer.data(), w, rows)) return false;
        for (uint32_t r = 0; r < rows; ++r) {
            const uint32_t* in = buffer.data() + static_cast<size_t>(r) * w;
            uint8_t* out = tw::ImageRow(*image, static_cast<int>(top + r));
            for (uint32_t x = 0; x < w; ++x) {
                if (p.outBpp == 8) {
                    out[x] = static_cast<uint8_t>(TIFFGetR(in[x]));
                } else {
                    out[3 * x] = static_cast<uint8_t>(TIFFGetB(in[x]));
                    out[3 * x + 1] = static_cast<uint8_t>(TIFFGetG(in[x]));
                    out[3 * x + 2] = static_cast<uint8_t>(TIFFGetR(in[x]));
                }
            }
        }
    }
    if (p.outBpp == 8) tw::SetGreyPalette(image);
    return true;
}

tw::TiffPtr OpenPage(const char* fname, int page, TiffPage* probe) {
    if (page < 0 || !tw::OpenInputFile(fname)) return nullptr;
    tw::TiffPtr tif = tw::OpenTiff(fname, "rm");
    if (!tif) tw::SetFileError("not a TIFF file");
    if (!tif || (page > 0 && !TIFFSetDirectory(tif.get(), static_cast<tdir_t>(page)))) return nullptr;
    if (!ProbePage(tif.get(), probe)) return nullptr;
    return tif;
}

}  // namespace

int tiffinfopagebyindex(const char* fname, TiffInfo* info, int page) {
    TiffPage p;
    if (info == nullptr || !OpenPage(fname, page, &p)) return -1;
    *info = TiffInfo{p.bigEndian ? 0x4D4D : 0x4949, static_cast<int32_t>(p.width), static_cast<int32_t>(p.height),
                     p.bps, p.compression, p.spp, p.photometric, p.planar, p.outBpp};
    return 0;
}

int loadtifpagebyindex(const char* fname, ImageDescriptor* image, int page) {
    TiffPage p;
    tw::TiffPtr tif = OpenPage(fname, page, &p);
    if (!tif) return -1;
    if (!tw::ImageMatches(image, static_cast<int>(p.width), static_cast<int>(p.height), p.outBpp)) return -2;
    tw::PixelsChanging(image);
    if (!(p.direct ? ReadDirect(tif.get(), p, image) : ReadThroughRgba(tif.get(), p, image))) {
        tw::SetFileError("the file ends too early or its data is damaged");
        return -3;
    }
    if (p.direct) SetPagePalette(tif.get(), p, image);
    if (p.outBpp == 16) tw::SetGreyscale(image, true);
    return 0;
}
