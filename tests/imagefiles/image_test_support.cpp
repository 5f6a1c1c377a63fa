#include "image_test_support.h"

#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

#include "imagefiles/dib.h"

namespace twtest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tw-img-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    path = pattern;
}

OwnedImage ImageOf(int bpp, int w, int h, const std::vector<tw::Pixel>& palette,
                   const std::function<int(int, int)>& value) {
    OwnedImage img;
    if (allocimage(&img.d, w, h, bpp) != 0) throw std::runtime_error("alloc");
    for (int i = 0; i < img.d.colors; ++i) tw::SetPaletteEntry(&img.d, i, i < int(palette.size()) ? palette[i] : 0);
    if (bpp <= 8) tw::SetGreyscale(&img.d, bpp == 8 && tw::PaletteIsGreyRamp(img.d));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* row = tw::ImageRow(img.d, y);
            const int v = value(x, y);
            if (bpp == 1) row[x / 8] |= uint8_t(v ? 0x80 >> (x % 8) : 0);
            else if (bpp == 8) row[x] = uint8_t(v);
            else for (int b = 0; b < bpp / 8; ++b) row[bpp / 8 * x + b] = uint8_t(v >> (8 * b));  // little-endian
        }
    return img;
}

OwnedImage Image24(const tw::Raster& p) {
    return ImageOf(24, p.Width(), p.Height(), {}, [&](int x, int y) { return int(p.At(x, y)); });
}

tw::Raster ColourSheet(int w, int h, int colours) {
    tw::Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = 1 + ((y / 8) * ((w + 7) / 8) + x / 8) % (colours - 1);
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
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    tw::Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double fx = double(x) / w, fy = double(y) / h;
            r.Set(x, y, tw::Rgb(clamp(int(255 * fx) + noise(rng)),
                                clamp(int(128 + 120 * std::sin(6 * fy + 3 * fx)) + noise(rng)),
                                clamp(int(255 * fy * (1 - fx)) + noise(rng))));
        }
    return r;
}

int SaveFile(const std::string& path, const ImageDescriptor* image) {
    const std::string ext = path.substr(path.size() - 3);
    if (ext == "bmp") return savebmp(path.c_str(), image, 0);
    if (ext == "png") return savepng(path.c_str(), image, 0);
    if (ext == "tif") return savetif(path.c_str(), image, 0);
    if (ext == "gif") return savegif(path.c_str(), image);
    if (ext == "xyz") return savexyz(path.c_str(), image);
    return savejpg(path.c_str(), image, 75);
}

int LoadInto(const std::string& path, ImageDescriptor* image) {
    const std::string ext = path.substr(path.size() - 3);
    if (ext == "bmp") return loadbmp(path.c_str(), image);
    if (ext == "png") return loadpng(path.c_str(), image);
    if (ext == "tif") return loadtifpagebyindex(path.c_str(), image, 0);
    if (ext == "gif") return loadgif(path.c_str(), image);
    if (ext == "xyz") return loadxyz(path.c_str(), image);
    return loadjpg(path.c_str(), image);
}

int LoadFile(const std::string& path, OwnedImage* out) {
    const std::string ext = path.substr(path.size() - 3);
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

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
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

tw::Raster ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    tw::Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char c[3] = {};
            in.read(reinterpret_cast<char*>(c), 3);
            r.Set(x, y, tw::Rgb(c[0], c[1], c[2]));
        }
    return in ? r : tw::Raster();
}

}  // namespace twtest
