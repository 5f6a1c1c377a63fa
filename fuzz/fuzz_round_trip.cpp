// libFuzzer driver for the encoders: the input describes a sheet (its size,
// up to 256 colours and the pixels), which is saved as each lossless format
// through the program's save and read back through its load; every pixel
// must come back as it went. A crash or a changed pixel aborts.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imagefiles/dib.h"
#include "imagefiles/image_format.h"
#include "imagefiles/vicdef32.h"

namespace {

struct Bytes {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t Next() { return at < size ? data[at++] : 0; }
};

std::string PathFor(const char* ext) {
    const char* shm = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(shm) + "/tw-round-trip-" + std::to_string(getpid()) + "." + ext;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in{data, size};
    const int w = 1 + in.Next() % 96, h = 1 + in.Next() % 96, colours = 1 + in.Next();
    std::vector<tw::Pixel> palette(static_cast<size_t>(colours));
    for (tw::Pixel& p : palette) p = tw::Pixel(in.Next()) << 16 | tw::Pixel(in.Next()) << 8 | in.Next();
    tw::Raster sheet(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) sheet.Set(x, y, palette[in.Next() % colours]);
    ImageDescriptor image{};
    if (tw::RasterToImage(sheet, &image) != 0) return 0;
    for (const char* ext : {"png", "bmp", "gif", "tif", "xyz"}) {
        const std::string path = PathFor(ext);
        bool reduced = false;
        if (tw::SavePictureFile(path, &image, &reduced) != 0) {
            std::fprintf(stderr, "%s: the save failed\n", ext);
            std::abort();
        }
        ImageDescriptor back{};
        const bool same = tw::LoadPictureFile(path, &back) == 0 && tw::ImageToRaster(back) == sheet;
        freeimage(&back);
        unlink(path.c_str());
        if (!same) {
            std::fprintf(stderr, "%s: %d x %d, %d colours came back changed\n", ext, w, h, colours);
            std::abort();
        }
    }
    freeimage(&image);
    return 0;
}
