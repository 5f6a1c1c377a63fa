// libFuzzer driver for one decoder (TW_FUZZ_FORMAT): the input is written to
// a file and goes through what a load does: header, allocation at the
// reported depth, load, display conversion, release.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "imagefiles/picture_header.h"
#include "imagefiles/vicdef32.h"

namespace {

const std::string& InputPath() {
    static const std::string path = [] {
        const char* shm = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string p = std::string(shm) + "/tw-fuzz-" + TW_FUZZ_FORMAT + "-" + std::to_string(getpid()) + "." +
                        TW_FUZZ_FORMAT;
        std::atexit([] { unlink(InputPath().c_str()); });
        return p;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* name = InputPath().c_str();
    FILE* f = fopen(name, "wb");
    if (f == nullptr) return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    const std::optional<tw::PictureHeader> header = tw::ReadPictureHeader(name);
    if (!header) return 0;
    const int w = header->width, h = header->height;
    ImageDescriptor image;
    // Pictures up to the library's limit are legal and slow under the
    // sanitizers (a 40-byte GIF may describe a 13000 x 13000 screen); the
    // fuzzer learns nothing from filling them, so it skips them.
    if (static_cast<int64_t>(w) * h > (int64_t{1} << 20)) return 0;
    if (allocimage(&image, w, h, header->bitsPerPixel) != 0) return 0;
    if (tw::LoadPictureBody(name, &image) == 0) {
        ImageDescriptor shown;
        if (dibtoimage(image.bmh, &shown) == 0) freeimage(&shown);
    }
    freeimage(&image);
    return 0;
}
