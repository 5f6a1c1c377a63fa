// Files made to hang, exhaust or trick the loader: each is refused with its
// reason, or loads the picture it declares, and changes nothing on refusal.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>  // before jpeglib.h, which needs FILE and size_t

#include <jpeglib.h>

#include "support/grey_png.h"
#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scan_jpeg.h"
#include "support/scratch_dir.h"

namespace tw::test {
namespace {

using Bytes = std::vector<uint8_t>;

// A grey progressive JPEG: the usual scans, or two scans for the DC and two
// for each AC coefficient (128 in all).
void ManyScanJpeg(const std::string& path, bool manyScans) {
    FILE* out = fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = c.image_height = 64;
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    std::vector<jpeg_scan_info> scans;
    if (manyScans) {
        scans.push_back({1, {0}, 0, 0, 0, 1});
        scans.push_back({1, {0}, 0, 0, 1, 0});
        for (int k = 1; k < 64; ++k) {
            scans.push_back({1, {0}, k, k, 0, 1});
            scans.push_back({1, {0}, k, k, 1, 0});
        }
        c.scan_info = scans.data();
        c.num_scans = static_cast<int>(scans.size());
    } else {
        jpeg_simple_progression(&c);
    }
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(64);
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < 64; ++x) row[x] = static_cast<JSAMPLE>(x * 4 ^ c.next_scanline);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    fclose(out);
}

TEST(HostileInput, EachFileIsRefusedWithItsReasonOrLoadsWithinTheCaps) {
    namespace fs = std::filesystem;
    ScratchDir dir;
    struct Case {
        const char* what;
        std::string name;
        std::function<void(const std::string&)> make;
        std::string reason;  // "" when the picture loads
        int width = 0, height = 0;
    };
    const Case cases[] = {
        {"a pipe", "pipe.png", [](const std::string& p) { mkfifo(p.c_str(), 0600); }, "it is a pipe, not a file"},
        {"a folder", "dir.png", [](const std::string& p) { fs::create_directory(p); }, "it is a folder, not a file"},
        {"a device", "zero.bmp", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
         "it is a device, not a file"},
        {"no file", "gone.gif", [](const std::string&) {}, "no such file"},
        {"a text", "notes.png", [](const std::string& p) { WriteBytes(p, Bytes(40, 'a')); }, "not a PNG file"},
        {"a cut PNG", "cut.png",
         [](const std::string& p) {
             const Bytes png = GreyPng(64, 64, 0);
             WriteBytes(p, Bytes(png.begin(), png.begin() + 60));
         },
         "the file ends too early"},
        {"a huge claim", "huge.png", [](const std::string& p) { WriteBytes(p, GreyPng(70000, 3, 0)); },
         "picture too large: 70000 x 3 (the limit is 16384 a side)"},
        {"zeros after the rows", "tail.png",
         [](const std::string& p) { WriteBytes(p, GreyPng(64, 64, size_t(64) << 20)); }, "", 64, 64},
        {"zeros in later IDAT chunks", "chunks.png",
         [](const std::string& p) { WriteBytes(p, GreyPng(64, 64, size_t(64) << 20, 1024)); }, "", 64, 64},
        {"a JPEG of 128 scans", "scans.jpg", [](const std::string& p) { ManyScanJpeg(p, true); },
         "too many scans in a progressive JPEG (the limit is 100)"},
        {"985 scans of a 16384 x 16384 picture, refused before decoding", "huge.jpg",
         [](const std::string& p) { WriteScanJpeg(p, 16384, 16384, 1, 985); },
         "too many scans in a progressive JPEG (the limit is 100)"},
        {"60 scans of a 16384 x 16384 picture", "sixty.jpg",
         [](const std::string& p) { WriteScanJpeg(p, 16384, 16384, 1, 60); },
         "too much to decode in a progressive JPEG: 60 scans of a 16384 x 16384 picture (the limit is "
         "the work of 40 scans of a 16384 x 16384 grey picture)"},
        {"99 scans of a small picture", "small.jpg", [](const std::string& p) { WriteScanJpeg(p, 100, 60, 3, 99); },
         "", 100, 60},
        {"an ordinary progressive JPEG", "photo.jpg", [](const std::string& p) { ManyScanJpeg(p, false); }, "",
         64, 64},
        {"an unknown kind", "sheet.webp", [](const std::string& p) { WriteBytes(p, Bytes(40, 0)); },
         "unknown extension .webp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir / c.name;
        c.make(path);
        FileRoutines program;
        const tw::Raster before = program.surface.View();
        const tw::FileResult r = program.files.LoadImageFile(path, "CZ");
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(r.fileName, path);
        if (c.reason.empty()) {
            EXPECT_EQ(r.outcome, tw::FileResult::Outcome::Loaded);
            EXPECT_EQ(r.width, c.width);
            EXPECT_EQ(r.height, c.height);
        } else {
            EXPECT_EQ(r.outcome, tw::FileResult::Outcome::Failed);
            EXPECT_EQ(program.files.CurrentImage.bmh, nullptr);
            EXPECT_EQ(program.surface.View(), before);
        }
        EXPECT_EQ(program.files.LastResult().reason, c.reason);
    }
}

// A surface keeps only what it can show of a large picture, yet reports the
// picture's own size; the surface that sizes itself to its picture keeps it all.
TEST(HostileInput, SurfacesKeepOnlyTheirClientArea) {
    ScratchDir dir;
    const std::string path = dir / "wide.png";
    WriteBytes(path, GreyPng(3000, 200, 0));
    FileRoutines program;
    ASSERT_EQ(program.files.LoadImageFile(path, "CZ").reason, "");
    const tw::Picture& p = program.surface.GetPicture();
    EXPECT_EQ(p.Width(), 3000);
    EXPECT_EQ(p.Height(), 200);
    ASSERT_NE(p.raster(), nullptr);
    EXPECT_EQ(p.raster()->Width(), program.surface.ClientWidth());
    EXPECT_EQ(p.raster()->Height(), program.surface.ClientHeight());
    for (int y = 0; y < program.surface.ClientHeight(); ++y)
        for (int x = 0; x < program.surface.ClientWidth(); ++x)
            ASSERT_EQ(program.surface.View().At(x, y), tw::Rgb(x * 3 + y, x * 3 + y, x * 3 + y)) << x << "," << y;
}

// A few bytes that declare an 8-bit 16384 x 16384 picture, loaded in a child
// whose address space is 1 GB: a surface of fixed size takes it; the one that
// sizes itself to its picture would need a gigabyte more. Its old picture is
// let go once the file has decoded, so it is left empty, and says so. Either
// way the child ends normally.
TEST(HostileInput, HugePicturesUnderAMemoryLimitLoadOrAreRefused) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
#endif
    ScratchDir dir;
    const std::string path = dir / "screen8.gif";
    WriteBytes(path, {'G', 'I', 'F', '8', '9', 'a', 0x00, 0x40, 0x00, 0x40, 0x81, 0, 0, 0, 0, 0, 255, 255,
                              255, 255, 0, 0, 0, 0, 255, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B});
    for (const bool sizesToPicture : {false, true}) {
        SCOPED_TRACE(sizesToPicture ? "a surface that takes the picture's size" : "a fixed surface");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit limit{1L << 30, 1L << 30};
            setrlimit(RLIMIT_AS, &limit);
            FileRoutines program;
            tw::Canvas whole{"T", "z", tw::Placement{0, 0, 25, 33}, tw::BorderStyle::Raised2, 0, true};
            const auto into = [](tw::Canvas& c) {
                return tw::modTWFunc::PictureSink{&c, [&c](tw::Picture p) { c.SetPicture(std::move(p)); },
                                                  [&c] { c.ReleasePicture(); }};
            };
            whole.SetPicture(tw::Picture(tw::Raster(300, 200)));
            tw::modTWFunc files(program.dialog,
                                {[&](std::string_view) {
                                     return std::vector{into(program.surface), into(whole)};
                                 },
                                 [&](std::string_view) -> const tw::Surface* { return &whole; }});
            tw::modTWFunc& used = sizesToPicture ? files : program.files;
            const tw::FileResult r = used.LoadImageFile(path, "CZ");
            if (r.outcome == tw::FileResult::Outcome::Loaded) _exit(r.width == 16384 ? 10 : 1);
            const bool empty = whole.GetPicture().IsEmpty() && whole.ClientWidth() == 0 &&
                               program.surface.GetPicture().IsEmpty();
            _exit(r.reason ==
                              "not enough memory for a 16384 x 16384 picture; the surface that holds the whole "
                              "picture was left empty" &&
                          empty
                      ? 20
                      : 2);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), sizesToPicture ? 20 : 10);
    }
}

}  // namespace
}  // namespace tw::test
