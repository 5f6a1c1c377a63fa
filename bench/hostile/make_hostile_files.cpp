// Writes the hostile pictures the bench/hostile run loads: a progressive
// JPEG of about 950 scans, one of 985 scans over a 16384 x 16384 picture, a
// PNG whose image data goes on with 2 GiB of compressed zeros, a 16384 x
// 16384 PNG cut off at the start of its image data, and two GIFs of a few
// bytes that declare a 16384 x 16384 screen, one of two colours (1-bit) and
// one of four (8-bit).
//
//   tw_hostile_files FOLDER

#include <cstdint>
#include <cstdio>  // before jpeglib.h, which needs FILE and size_t

#include <jpeglib.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "support/scan_jpeg.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutBe32(Bytes* b, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b->push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(Bytes* png, const char* type, const Bytes& data) {
    PutBe32(png, static_cast<uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png->insert(png->end(), typed.begin(), typed.end());
    PutBe32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

bool Write(const std::string& path, const Bytes& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// The signature and header of an 8-bit grey PNG.
Bytes GreyPngStart(uint32_t width, uint32_t height) {
    Bytes png{0x89, 'P', 'N', 'G', 13, 10, 26, 10}, ihdr;
    PutBe32(&ihdr, width);
    PutBe32(&ihdr, height);
    ihdr.insert(ihdr.end(), {8, 0, 0, 0, 0});
    PutChunk(&png, "IHDR", ihdr);
    return png;
}

bool TailPng(const std::string& path) {
    Bytes png = GreyPngStart(64, 64);
    z_stream z{};
    deflateInit(&z, 9);
    Bytes packed, out(1 << 20), rows(64 * 65, 0), zeros(64 << 20, 0);
    const auto feed = [&](Bytes& in, int flush) {
        z.next_in = in.data();
        z.avail_in = static_cast<uInt>(in.size());
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            deflate(&z, flush);
            packed.insert(packed.end(), out.data(), out.data() + (out.size() - z.avail_out));
        } while (z.avail_in > 0 || z.avail_out == 0);
    };
    feed(rows, Z_NO_FLUSH);
    for (int i = 0; i < 32; ++i) feed(zeros, i == 31 ? Z_FINISH : Z_NO_FLUSH);  // 2 GiB
    deflateEnd(&z);
    PutChunk(&png, "IDAT", packed);
    PutChunk(&png, "IEND", {});
    return Write(path, png);
}

// A 16384 x 16384 grey PNG whose header reads and whose image data stops
// after a few bytes: it fails only once its picture has been allocated.
bool CutPng(const std::string& path) {
    Bytes png = GreyPngStart(16384, 16384);
    PutBe32(&png, 4096);
    png.insert(png.end(), {'I', 'D', 'A', 'T', 0x78, 0x9C, 0x62, 0x60});
    return Write(path, png);
}

// A 1 x 1 frame on a 16384 x 16384 screen: two colours make a 1-bit
// picture, four an 8-bit one.
bool ScreenGif(const std::string& path, bool eightBit) {
    Bytes gif{'G', 'I', 'F', '8', '9', 'a', 0x00, 0x40, 0x00, 0x40, uint8_t(eightBit ? 0x81 : 0x80), 0, 0,
              0, 0, 0, 255, 255, 255};  // black and white
    if (eightBit) gif.insert(gif.end(), {255, 0, 0, 0, 0, 255});
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0,  // a 1 x 1 frame
                           2, 2, 0x44, 0x01, 0, 0x3B});
    return Write(path, gif);
}

bool ScanJpeg(const std::string& path) {
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = c.image_height = 512;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    // Every coefficient of every component alone, in five bit planes.
    std::vector<jpeg_scan_info> scans;
    scans.push_back({3, {0, 1, 2}, 0, 0, 0, 4});
    for (int al = 3; al >= 0; --al) scans.push_back({3, {0, 1, 2}, 0, 0, al + 1, al});
    for (int comp = 0; comp < 3; ++comp)
        for (int k = 1; k < 64; ++k) {
            scans.push_back({1, {comp}, k, k, 0, 4});
            for (int al = 3; al >= 0; --al) scans.push_back({1, {comp}, k, k, al + 1, al});
        }
    c.scan_info = scans.data();
    c.num_scans = static_cast<int>(scans.size());
    jpeg_start_compress(&c, TRUE);
    std::mt19937 rng(7);
    std::vector<JSAMPLE> row(512 * 3);
    while (c.next_scanline < c.image_height) {
        for (auto& v : row) v = static_cast<JSAMPLE>(rng());
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::printf("scans.jpg: %zu scans\n", scans.size());
    return fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tw_hostile_files FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = ScanJpeg(dir + "/scans.jpg") &&
                    tw::test::WriteScanJpeg(dir + "/huge-scans.jpg", 16384, 16384, 1, 985) && TailPng(dir + "/tail.png") &&
                    CutPng(dir + "/cut.png") &&
                    ScreenGif(dir + "/screen.gif", false) && ScreenGif(dir + "/screen8.gif", true);
    return ok ? 0 : 1;
}
