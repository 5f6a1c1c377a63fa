// Converts a 24-bit BMP to a GIF the way a save does: reduce to 256 colours
// with convertrgbtopalex, then savegif. With tuning flags the reduction runs
// with other settings instead, to compare them.
//
//   gif_psnr SRC.bmp OUT.gif [--dither D] [--speed S] [--refine N]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "imagefiles/colour_reduction.h"
#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace {

// Writes an indexed picture through an 8-bit image and savegif.
int SaveIndexed(const char* out, const tw::IndexedPicture& p) {
    ImageDescriptor img;
    if (allocimage(&img, p.width, p.height, 8) != 0) return 1;
    for (int y = 0; y < p.height; ++y)
        std::memcpy(tw::ImageRow(img, y), p.indices.data() + static_cast<size_t>(y) * p.width, p.width);
    std::vector<tw::Pixel> colours = p.palette;
    tw::PadPalette(&colours, 256);
    for (int i = 0; i < 256; ++i) tw::SetPaletteEntry(&img, i, colours[i]);
    const int rc = savegif(out, &img);
    freeimage(&img);
    return rc;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SRC.bmp OUT.gif [--dither D] [--speed S] [--refine N]\n", argv[0]);
        return 2;
    }
    bool tuned = false;
    tw::ReductionOptions options;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        tuned = true;
        if (flag == "--dither") options.dithering = std::strtof(argv[i + 1], nullptr);
        else if (flag == "--speed") options.speed = std::atoi(argv[i + 1]);
        else if (flag == "--refine") options.refinePasses = std::atoi(argv[i + 1]);
        else return 2;
    }
    BITMAPINFOHEADER info;
    ImageDescriptor src, dst;
    if (bmpinfo(argv[1], &info) != 0 || info.biBitCount != 24 ||
        allocimage(&src, info.biWidth, info.biHeight, 24) != 0 || loadbmp(argv[1], &src) != 0) {
        std::fprintf(stderr, "cannot read %s as a 24-bit BMP\n", argv[1]);
        return 1;
    }
    int rc = 0;
    if (tuned) {
        const auto reduced = tw::ReduceColours(tw::ImageToRaster(src), 256, options);
        rc = reduced ? SaveIndexed(argv[2], *reduced) : 1;
    } else {
        rc = allocimage(&dst, info.biWidth, info.biHeight, 8) != 0 ||
             convertrgbtopalex(256, &src, &dst, 3) != 0 || savegif(argv[2], &dst) != 0;
        freeimage(&dst);
    }
    freeimage(&src);
    if (rc != 0) std::fprintf(stderr, "conversion failed\n");
    return rc == 0 ? 0 : 1;
}
