#include "support/image_files.h"

#include <stdexcept>

#include "imagefiles/dib.h"

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

int LoadInto(const std::string& path, ImageDescriptor* image) {
    const std::string ext = FormatExtension(path);
    if (ext == "bmp") return loadbmp(path.c_str(), image);
    if (ext == "png") return loadpng(path.c_str(), image);
    if (ext == "tif") return loadtifpagebyindex(path.c_str(), image, 0);
    if (ext == "gif") return loadgif(path.c_str(), image);
    if (ext == "xyz") return loadxyz(path.c_str(), image);
    return loadjpg(path.c_str(), image);
}

int LoadFile(const std::string& path, OwnedImage* out) {
    const std::string ext = FormatExtension(path);
    const char* name = path.c_str();
    BITMAPINFOHEADER b;
    GifInfo g;
    JpegInfo j;
    PngInfo p;
    TiffInfo t;
    XyzInfo z;
    int w = 0, h = 0, bpp = 0, rc = -1;
    if (ext == "bmp" && (rc = bmpinfo(name, &b)) == 0) w = b.biWidth, h = b.biHeight, bpp = b.biBitCount;
    if (ext == "gif" && (rc = gifinfo(name, &g)) == 0) w = g.width, h = g.length, bpp = g.vbitcount;
    if (ext == "jpg" && (rc = jpeginfo(name, &j)) == 0) w = j.width, h = j.length, bpp = j.vbitcount;
    if (ext == "png" && (rc = pnginfo(name, &p)) == 0) w = p.width, h = p.length, bpp = p.vbitcount;
    if (ext == "tif" && (rc = tiffinfopagebyindex(name, &t, 0)) == 0) w = t.width, h = t.length, bpp = t.vbitcount;
    if (ext == "xyz" && (rc = xyzinfo(name, &z)) == 0) w = z.width, h = z.length, bpp = z.vbitcount;
    OwnedImage img;
    if (rc != 0 || allocimage(&img.d, w, h, bpp) != 0) return -1;
    if ((rc = LoadInto(path, &img.d)) == 0) *out = std::move(img);
    return rc;
}

Raster ReadPicture(const std::string& path) {
    OwnedImage img;
    return LoadFile(path, &img) == 0 ? ImageToRaster(img.d) : Raster();
}

}  // namespace tw::test
