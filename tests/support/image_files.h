#pragma once
// Library images in the tests: owned images of any depth, saving and loading
// by the name's extension, and the program's file routines on one surface.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "imagefiles/mod_tw_func.h"
#include "imagefiles/vicdef32.h"
#include "platform/raster.h"

namespace tw::test {

// A library image released at the end of the scope.
struct OwnedImage {
    ImageDescriptor d;
    OwnedImage() = default;
    OwnedImage(OwnedImage&& o) noexcept : d(o.d) { o.d = ImageDescriptor{}; }
    OwnedImage& operator=(OwnedImage&& o) noexcept { return std::swap(d, o.d), *this; }
    ~OwnedImage() { freeimage(&d); }
    int Bpp() const { return d.bmh ? d.bmh->biBitCount : 0; }
};

// The program's open and save routines, with every target on one surface.
struct FileRoutines {
    struct : FileDialog {
        int ShowOpen() override { return 0; }
        int ShowSave() override { return 0; }
    } dialog;
    Canvas surface{"CZ", "z", Placement{0, 0, 100, 100}, BorderStyle::Raised2, 0};
    modTWFunc files;
    FileRoutines()
        : files(dialog,
                {[this](std::string_view) {
                     return std::vector<modTWFunc::PictureSink>{
                         {&surface, [this](Picture p) { surface.SetPicture(std::move(p)); }}};
                 },
                 [this](std::string_view) -> const Surface* { return &surface; }}) {}
};

inline const char* const kFormats[] = {"bmp", "png", "tif", "gif", "jpg"};

// An image of 1, 8, 16 or 24 bits with this palette; value(x, y) gives the
// palette index, the 16-bit grey level or the 0x00RRGGBB colour.
OwnedImage ImageOf(int bpp, int w, int h, const std::vector<Pixel>& palette,
                   const std::function<int(int, int)>& value);
OwnedImage Image24(const Raster& picture);

// The save call the extension picks (JPEG at quality 75).
int SaveFile(const std::string& path, const ImageDescriptor* image);
// As the program loads: info call, allocation at the reported depth, load.
// Non-zero on any failure.
int LoadFile(const std::string& path, OwnedImage* out);
// A picture file read back through the imaging layer; empty when it cannot be.
Raster ReadPicture(const std::string& path);

}  // namespace tw::test
