// The engine's XYZ files: exact round trips at every sheet size, the palette
// rule checked by inflating the written file with zlib directly, damaged and
// lying files refused with a reason, and both directions checked against an
// independent Python reading of the format.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"
#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/le_bytes.h"
#include "imagefiles/transparent_pixel.h"

namespace tw::test {
namespace {

using Bytes = std::vector<uint8_t>;

struct Decoded {
    int width = 0, height = 0;
    std::vector<tw::Pixel> palette;
    Bytes indices;
};

// The file read with zlib alone: nothing when it is not exactly a header,
// 768 palette bytes and one index per pixel.
std::optional<Decoded> Inflate(const Bytes& f) {
    if (f.size() < 8 || std::memcmp(f.data(), "XYZ1", 4) != 0) return std::nullopt;
    Decoded d{tw::Le16(&f[4]), tw::Le16(&f[6])};
    const size_t want = 768 + size_t(d.width) * d.height;
    Bytes body(want + 1);
    uLongf got = body.size();
    if (uncompress(body.data(), &got, f.data() + 8, f.size() - 8) != Z_OK || got != want) return std::nullopt;
    for (int i = 0; i < 256; ++i) d.palette.push_back(tw::Rgb(body[3 * i], body[3 * i + 1], body[3 * i + 2]));
    d.indices.assign(body.begin() + 768, body.end() - 1);
    return d;
}

Bytes Header(int w, int h) {
    Bytes out{'X', 'Y', 'Z', '1'};
    tw::PutLe16(&out, uint32_t(w));
    tw::PutLe16(&out, uint32_t(h));
    return out;
}

// A hand-made file: header, then a zlib stream of `body`.
Bytes Encode(int w, int h, const Bytes& body) {
    Bytes out = Header(w, h);
    uLongf size = compressBound(body.size());
    Bytes packed(size);
    compress2(packed.data(), &size, body.data(), body.size(), 6);
    out.insert(out.end(), packed.begin(), packed.begin() + size);
    return out;
}

// Loads the file; why it failed is then in tw::FileError().
int Load(const std::string& path, OwnedImage* out) {
    tw::ClearFileError();
    XyzInfo info;
    if (int rc = xyzinfo(path.c_str(), &info)) return rc;
    OwnedImage img;
    if (allocimage(&img.d, info.width, info.length, info.vbitcount) != 0) return -100;
    const int rc = loadxyz(path.c_str(), &img.d);
    if (rc == 0) *out = std::move(img);
    return rc;
}


TEST(Xyz, EverySheetRoundTripsWithTheTransparentColourFirstAndOnlyThere) {
    struct Case {
        int w, h, colours;  // colours 0: a photo with the transparent colour scattered over it
        bool blackKey = false;  // black as the transparent colour: padding must not repeat it
    };
    for (const Case c : {Case{480, 256, 200}, Case{288, 256, 256}, Case{192, 192, 3, true}, Case{160, 80, 150},
                         Case{480, 480, 40}, Case{256, 1024, 120}, Case{480, 256, 0}}) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + ", colours " + std::to_string(c.colours));
        tw::Raster sheet = c.colours ? ColourSheet(c.w, c.h, c.colours) : PhotoLike(c.w, c.h, 3);
        const tw::PixelPosition at = tw::TransparentPixelPosition(c.w, c.h);
        if (c.blackKey) std::replace(sheet.Row(0), sheet.Row(0) + c.w * c.h, sheet.At(at.x, at.y), tw::Pixel{0});
        const tw::Pixel t = sheet.At(at.x, at.y);
        for (int i = 0; c.colours == 0 && i < 2000; ++i) sheet.Set(i * 37 % c.w, i * 13 % c.h, t);
        ScratchDir dir;
        const std::string path = dir / "sheet.xyz";
        OwnedImage img = Image24(sheet), back;
        bool reduced = false;
        tw::ClearFileError();
        ASSERT_EQ(savexyz(path.c_str(), &img.d, &reduced), 0) << tw::FileError();
        EXPECT_EQ(reduced, c.colours == 0);

        const auto file = Inflate(ReadBytes(path));
        ASSERT_TRUE(file);
        ASSERT_EQ(file->width, c.w);
        ASSERT_EQ(file->height, c.h);
        EXPECT_EQ(file->palette[0], t);
        EXPECT_EQ(std::count(file->palette.begin(), file->palette.end(), t), 1);
        tw::Raster shown(c.w, c.h);
        for (int i = 0; i < c.w * c.h; ++i) {
            ASSERT_EQ(file->indices[i] == 0, sheet.Pixels()[i] == t) << "pixel " << i;
            shown.Set(i % c.w, i / c.w, file->palette[file->indices[i]]);
        }
        if (c.colours) EXPECT_EQ(shown, sheet);
        else EXPECT_GT(Psnr(sheet, shown), 30.0);

        ASSERT_EQ(Load(path, &back), 0) << tw::FileError();
        EXPECT_EQ(back.Bpp(), 8);
        EXPECT_EQ(tw::ImageToRaster(back.d), shown);
    }
}

TEST(Xyz, DamagedAndLyingFilesAreRefusedWithAReason) {
    const Bytes body = [] {
        Bytes b(768 + 4 * 3);
        for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(i * 7);
        return b;
    }();
    const Bytes valid = Encode(4, 3, body);
    // Edits index with at(): on a copy of unknown size an unchecked index lets
    // GCC follow an empty copy and report the write out of bounds; a checked
    // one shows it that the write only happens inside.
    auto changed = [&](auto edit) {
        Bytes b = valid;
        edit(b);
        return b;
    };
    struct Case {
        const char* name;
        Bytes file;
        const char* reason;
    };
    const Case cases[] = {
        {"empty file", {}, "not an XYZ file"},
        {"wrong magic", changed([](Bytes& b) { b.at(3) = '2'; }), "not an XYZ file"},
        {"header cut short", Bytes(valid.begin(), valid.begin() + 6), "the file ends too early"},
        {"zero width", Encode(0, 3, Bytes(768)), "the picture has no pixels (0 x 3)"},
        {"zero height", Encode(4, 0, Bytes(768)), "the picture has no pixels (4 x 0)"},
        {"over the size limit", Encode(20000, 1, Bytes(768 + 20000)),
         "picture too large: 20000 x 1 (the limit is 16384 a side)"},
        {"truncated stream", Bytes(valid.begin(), valid.end() - 5), "the file ends too early"},
        {"stream too short", Encode(4, 3, Bytes(body.begin(), body.end() - 1)), "shorter than its size says"},
        {"stream too long", Encode(4, 3, [&] { Bytes b = body; b.push_back(1); return b; }()),
         "longer than its size says"},
        {"stream that inflates to 16 MB", Encode(4, 3, Bytes(16 << 20)), "longer than its size says"},
        {"garbage after the stream", changed([](Bytes& b) { b.push_back('x'); }), "extra data after the picture"},
        {"bad zlib header", changed([](Bytes& b) { b.at(8) = 0; }), "the compressed data is damaged"},
        {"bad checksum", changed([](Bytes& b) { b.at(b.size() - 1) ^= 1; }), "the compressed data is damaged"},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / "bad.xyz";
        WriteBytes(path, c.file);
        OwnedImage img;
        EXPECT_NE(Load(path, &img), 0);
        EXPECT_EQ(img.d.bmh, nullptr);
        EXPECT_NE(tw::FileError().find(c.reason), std::string::npos) << tw::FileError();
    }
    std::filesystem::create_directory(dir / "folder.xyz");
    // The file's opening names the fault first, as the status line shows it.
    for (auto [name, reason] :
         {std::pair{"missing.xyz", "no such file"}, {"folder.xyz", "it is a folder, not a file"}}) {
        OwnedImage img;
        EXPECT_NE(Load(dir / name, &img), 0) << name;
        EXPECT_EQ(tw::FileError(), reason) << name;
    }
}

TEST(Xyz, AgreesWithAnIndependentPythonReading) {
    if (std::system("python3 -c '' 2>/dev/null") != 0) GTEST_SKIP() << "python3 is not installed";
    const std::string script = std::string(TW_TESTS_DIR) + "/imagefiles/xyz_reference.py";
    ScratchDir dir;
    // Their file, our reader.
    ASSERT_EQ(std::system(("python3 '" + script + "' write '" + (dir / "theirs.xyz") + "' 288 256 '" +
                           (dir / "theirs.ppm") + "'").c_str()),
              0);
    OwnedImage theirs;
    ASSERT_EQ(Load(dir / "theirs.xyz", &theirs), 0) << tw::FileError();
    EXPECT_EQ(tw::ImageToRaster(theirs.d), ReadPpm(dir / "theirs.ppm"));
    // Our file, their reader (which also checks the transparent colour is not repeated).
    const tw::Raster sheet = ColourSheet(480, 256, 90);
    OwnedImage ours = Image24(sheet);
    ASSERT_EQ(savexyz((dir / "ours.xyz").c_str(), &ours.d), 0);
    ASSERT_EQ(std::system(("python3 '" + script + "' read '" + (dir / "ours.xyz") + "' '" + (dir / "ours.ppm") +
                           "'").c_str()),
              0);
    EXPECT_EQ(ReadPpm(dir / "ours.ppm"), sheet);
}

}  // namespace
}  // namespace tw::test
