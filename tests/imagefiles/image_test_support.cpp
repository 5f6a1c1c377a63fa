#include "image_test_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>

#include "imagefiles/dib.h"

namespace twtest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tw-img-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

OwnedImage Image24(const tw::Raster& p) {
    OwnedImage img;
    if (allocimage(&img.d, p.Width(), p.Height(), 24) != 0) throw std::runtime_error("alloc");
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            uint8_t* px = tw::ImageRow(img.d, y) + 3 * x;
            const tw::Pixel c = p.At(x, y);
            px[0] = c & 255, px[1] = (c >> 8) & 255, px[2] = (c >> 16) & 255;
        }
    return img;
}

OwnedImage Image8(const std::vector<tw::Pixel>& palette, const std::function<int(int, int)>& index) {
    OwnedImage img;
    if (allocimage(&img.d, 40, 24, 8) != 0) throw std::runtime_error("alloc");
    for (int i = 0; i < 256; ++i) tw::SetPaletteEntry(&img.d, i, i < int(palette.size()) ? palette[i] : 0);
    tw::SetGreyscale(&img.d, tw::PaletteIsGreyRamp(img.d));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x) tw::ImageRow(img.d, y)[x] = static_cast<uint8_t>(index(x, y));
    return img;
}

OwnedImage Image1(tw::Pixel zero, tw::Pixel one, const std::function<int(int, int)>& bit) {
    OwnedImage img;
    if (allocimage(&img.d, 37, 21, 1) != 0) throw std::runtime_error("alloc");
    tw::SetPaletteEntry(&img.d, 0, zero);
    tw::SetPaletteEntry(&img.d, 1, one);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x)
            if (bit(x, y)) tw::ImageRow(img.d, y)[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    return img;
}

OwnedImage Image16(int w, int h, const std::function<int(int, int)>& level) {
    OwnedImage img;
    if (allocimage(&img.d, w, h, 16) != 0) throw std::runtime_error("alloc");
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = level(x, y);
            tw::ImageRow(img.d, y)[2 * x] = v & 255;
            tw::ImageRow(img.d, y)[2 * x + 1] = (v >> 8) & 255;
        }
    return img;
}

tw::Raster ColourSheet(int w, int h, int colours) {
    tw::Raster r(w, h);
    // Blocks of 8x8 pixels cycle through the colours; colour 0 is only at
    // the transparent position's block, so an exact palette must move it.
    const int blocksPerRow = (w + 7) / 8;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int block = (y / 8) * blocksPerRow + x / 8;
            const int c = 1 + block % (colours - 1);
            r.Set(x, y, tw::Rgb(c * 37 % 256, c * 11 % 256, c / 7 * 9 % 256 + c % 7));
        }
    const int tx = w == 480 && h == 256 ? 288 : w == 160 && h == 80 ? 128 : 0;
    const int ty = w == 480 && h == 256 ? 128 : 0;
    for (int y = ty; y < ty + 8 && y < h; ++y)
        for (int x = tx; x < tx + 8 && x < w; ++x) r.Set(x, y, tw::Rgb(255, 0, 255));
    return r;
}

tw::Raster PhotoLike(int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-6, 6);
    tw::Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
            const double fx = double(x) / w, fy = double(y) / h;
            r.Set(x, y, tw::Rgb(clamp(int(255 * fx) + noise(rng)),
                                clamp(int(128 + 120 * std::sin(6 * fy + 3 * fx)) + noise(rng)),
                                clamp(int(255 * fy * (1 - fx)) + noise(rng))));
        }
    return r;
}

int LoadFile(const std::string& path, OwnedImage* out, int page) {
    const std::string ext = path.substr(path.size() - 3);
    const char* name = path.c_str();
    int w = 0, h = 0, bpp = 0;
    if (ext == "bmp") {
        BITMAPINFOHEADER i;
        if (bmpinfo(name, &i) != 0) return -1;
        w = i.biWidth, h = i.biHeight, bpp = i.biBitCount;
    } else if (ext == "gif") {
        GifInfo i;
        if (gifinfo(name, &i) != 0) return -1;
        w = i.width, h = i.length, bpp = i.vbitcount;
    } else if (ext == "jpg") {
        JpegInfo i;
        if (jpeginfo(name, &i) != 0) return -1;
        w = i.width, h = i.length, bpp = i.vbitcount;
    } else if (ext == "png") {
        PngInfo i;
        if (pnginfo(name, &i) != 0) return -1;
        w = i.width, h = i.length, bpp = i.vbitcount;
    } else if (ext == "tif") {
        TiffInfo i;
        if (tiffinfopagebyindex(name, &i, page) != 0) return -1;
        w = i.width, h = i.length, bpp = i.vbitcount;
    } else {
        return -1;
    }
    OwnedImage img;
    if (allocimage(&img.d, w, h, bpp) != 0) return -2;
    int rc = -3;
    if (ext == "bmp") rc = loadbmp(name, &img.d);
    if (ext == "gif") rc = loadgif(name, &img.d);
    if (ext == "jpg") rc = loadjpg(name, &img.d);
    if (ext == "png") rc = loadpng(name, &img.d);
    if (ext == "tif") rc = loadtifpagebyindex(name, &img.d, page);
    if (rc == 0) *out = std::move(img);
    return rc;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

double Psnr(const tw::Raster& a, const tw::Raster& b) {
    double sum = 0;
    for (size_t i = 0; i < a.Pixels().size(); ++i)
        for (int s = 0; s < 24; s += 8) {
            const double d = double((a.Pixels()[i] >> s) & 255) - double((b.Pixels()[i] >> s) & 255);
            sum += d * d;
        }
    const double mse = sum / (3.0 * a.Pixels().size());
    return mse == 0 ? 999 : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace twtest
