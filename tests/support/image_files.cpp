#include "support/image_files.h"

#include <optional>
#include <stdexcept>

#include "imagefiles/dib.h"
#include "imagefiles/picture_header.h"

namespace tw::test {

OwnedImage ImageOf(int bpp, int w, int h, const std::vector<Pixel>& palette,
                   const std::function<int(int, int)>& value) {
    OwnedImage img;
    if (allocimage(&img.d, w, h, bpp) != 0) throw std::runtime_error("alloc");
    for (int i = 0; i < img.d.colors; ++i) SetPaletteEntry(&img.d, i, i < int(palette.size()) ? palette[i] : 0);
    if (bpp <= 8) SetGreyscale(&img.d, bpp == 8 && PaletteIsGreyRamp(img.d));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* row = ImageRow(img.d, y);
            const int v = value(x, y);
            if (bpp == 1) row[x / 8] |= uint8_t(v ? 0x80 >> (x % 8) : 0);
            else if (bpp == 8) row[x] = uint8_t(v);
            else for (int b = 0; b < bpp / 8; ++b) row[bpp / 8 * x + b] = uint8_t(v >> (8 * b));  // little-endian
        }
    return img;
}

OwnedImage Image24(const Raster& p) {
    return ImageOf(24, p.Width(), p.Height(), {}, [&](int x, int y) { return int(p.At(x, y)); });
}

int SaveFile(const std::string& path, const ImageDescriptor* image) {
    const std::string ext = FormatExtension(path);
    if (ext == "bmp") return savebmp(path.c_str(), image, 0);
    if (ext == "png") return savepng(path.c_str(), image, 0);
    if (ext == "tif") return savetif(path.c_str(), image, 0);
    if (ext == "gif") return savegif(path.c_str(), image);
    if (ext == "xyz") return savexyz(path.c_str(), image);
    return savejpg(path.c_str(), image, 75);
}

int LoadFile(const std::string& path, OwnedImage* out) {
    const std::optional<PictureHeader> header = ReadPictureHeader(path);
    OwnedImage img;
    if (!header || allocimage(&img.d, header->width, header->height, header->bitsPerPixel) != 0) return -1;
    const int rc = LoadPictureBody(path, &img.d);
    if (rc == 0) *out = std::move(img);
    return rc;
}

Raster ReadPicture(const std::string& path) {
    OwnedImage img;
    return LoadFile(path, &img) == 0 ? ImageToRaster(img.d) : Raster();
}

}  // namespace tw::test
