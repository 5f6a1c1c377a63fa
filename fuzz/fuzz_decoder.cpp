// libFuzzer driver for one format (TW_FUZZ_FORMAT, a short name from the
// table of formats): the input is written to a file named for it and goes
// through the program's load, then the display conversion and release.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "imagefiles/file_error.h"
#include "imagefiles/image_format.h"
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
    // The program's own load, through the table of formats: header,
    // allocation at the reported depth, pixels, 16-bit grey taken on as 8-bit.
    // Pictures up to the library's limit are legal and slow under the
    // sanitizers (a 40-byte GIF may describe a 13000 x 13000 screen); the
    // fuzzer learns nothing from filling them, so the load refuses them.
    tw::ClearFileError();
    ImageDescriptor image;
    if (tw::LoadPictureFile(name, &image, int64_t{1} << 20) == 0) {
        ImageDescriptor shown;
        if (dibtoimage(image.bmh, &shown) == 0) freeimage(&shown);
        freeimage(&image);
    }
    return 0;
}
