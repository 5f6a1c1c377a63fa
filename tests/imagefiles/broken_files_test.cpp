// Broken, truncated, hostile and mislabelled files fail cleanly: no crash,
// no hang, no huge allocation, and a non-zero result where the file cannot
// give a whole picture.

#include <gtest/gtest.h>
#include <tiffio.h>

#include <filesystem>
#include <map>
#include <random>

#include "image_test_support.h"

namespace {

using twtest::OwnedImage;
using Bytes = std::vector<uint8_t>;

// A valid small file of each format, made by our encoders.
Bytes ValidFile(const std::string& ext, const twtest::TempDir& dir) {
    OwnedImage img = twtest::Image24(twtest::PhotoLike(48, 32));
    const std::string path = dir / ("valid." + ext);
    if (ext == "bmp") savebmp(path.c_str(), &img.d, 0);
    if (ext == "png") savepng(path.c_str(), &img.d, 0);
    if (ext == "tif") savetif(path.c_str(), &img.d, 0);
    if (ext == "gif") savegif(path.c_str(), &img.d);
    if (ext == "jpg") savejpg(path.c_str(), &img.d, 75);
    return twtest::ReadBytes(path);
}

const char* kFormats[] = {"bmp", "png", "tif", "gif", "jpg"};

TEST(BrokenFiles, EveryTruncationFails) {
    twtest::TempDir dir;
    for (const std::string ext : kFormats) {
        const Bytes valid = ValidFile(ext, dir);
        ASSERT_GT(valid.size(), 100u) << ext;
        // Only the GIF trailer byte may go missing: the picture is complete.
        const size_t keep = ext == "gif" ? valid.size() - 1 : valid.size();
        const std::string path = dir / ("cut." + ext);
        for (size_t n = 0; n < keep; n += 1 + n / 16) {
            twtest::WriteBytes(path, Bytes(valid.begin(), valid.begin() + n));
            OwnedImage img;
            EXPECT_NE(twtest::LoadFile(path, &img), 0) << ext << " cut at " << n;
        }
    }
}

TEST(BrokenFiles, RandomDamageNeverCrashes) {
    twtest::TempDir dir;
    std::mt19937 rng(1234);
    for (const std::string ext : kFormats) {
        const Bytes valid = ValidFile(ext, dir);
        const std::string path = dir / ("flip." + ext);
        for (int round = 0; round < 150; ++round) {
            Bytes damaged = valid;
            for (int k = 0; k < 1 + round % 4; ++k) damaged[rng() % damaged.size()] = uint8_t(rng());
            twtest::WriteBytes(path, damaged);
            OwnedImage img;
            if (twtest::LoadFile(path, &img) == 0) {
                EXPECT_LE(img.d.bmh->biWidth, 48 * 2) << ext;  // damage cannot invent big pictures here
            }
        }
    }
}

void PatchBe32(Bytes* f, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) (*f)[at + i] = uint8_t(v >> (24 - 8 * i));
}

TEST(BrokenFiles, HugeSizesAreRefusedBeforeAllocating) {
    twtest::TempDir dir;
    std::vector<std::pair<std::string, Bytes>> files;
    Bytes bmp = ValidFile("bmp", dir);
    bmp[18] = bmp[19] = bmp[20] = 0xFF, bmp[21] = 0x0F;  // width 268 million
    files.push_back({"bmp", bmp});
    Bytes png = ValidFile("png", dir);
    PatchBe32(&png, 16, 100000), PatchBe32(&png, 20, 100000);  // IHDR, CRC now wrong too
    files.push_back({"png", png});
    Bytes gif = ValidFile("gif", dir);
    gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;  // 65535 x 65535 screen
    files.push_back({"gif", gif});
    Bytes jpg = ValidFile("jpg", dir);
    for (size_t i = 2; i + 9 < jpg.size(); ++i)
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) jpg[i + 5] = jpg[i + 6] = jpg[i + 7] = jpg[i + 8] = 0xFF;
    files.push_back({"jpg", jpg});
    for (auto& [ext, bytes] : files) {
        const std::string path = dir / ("huge." + ext);
        twtest::WriteBytes(path, bytes);
        OwnedImage img;
        EXPECT_NE(twtest::LoadFile(path, &img), 0) << ext;
    }
    // A TIFF page wider than any picture we accept.
    TIFF* tif = TIFFOpen((dir / "huge.tif").c_str(), "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 20000);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 2);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    Bytes row(20000, 7);
    TIFFWriteScanline(tif, row.data(), 0, 0);
    TIFFWriteScanline(tif, row.data(), 1, 0);
    TIFFClose(tif);
    OwnedImage img;
    EXPECT_NE(twtest::LoadFile(dir / "huge.tif", &img), 0);
}

TEST(BrokenFiles, EmptyMissingFolderAndMislabelledFilesFail) {
    twtest::TempDir dir;
    std::map<std::string, Bytes> valid;
    for (const std::string ext : kFormats) valid[ext] = ValidFile(ext, dir);
    for (const std::string ext : kFormats) {
        OwnedImage img;
        twtest::WriteBytes(dir / ("empty." + ext), {});
        EXPECT_NE(twtest::LoadFile(dir / ("empty." + ext), &img), 0) << ext;
        EXPECT_NE(twtest::LoadFile(dir / ("missing." + ext), &img), 0) << ext;
        std::filesystem::create_directory(dir / ("folder." + ext));
        EXPECT_NE(twtest::LoadFile(dir / ("folder." + ext), &img), 0) << ext;
        for (const std::string other : kFormats) {
            if (other == ext) continue;
            twtest::WriteBytes(dir / ("wrong." + ext), valid[other]);
            EXPECT_NE(twtest::LoadFile(dir / ("wrong." + ext), &img), 0) << other << " named ." << ext;
        }
    }
}

// A load into an image of another size or depth than the file's fails.
TEST(BrokenFiles, LoadChecksTheAllocatedImage) {
    twtest::TempDir dir;
    for (const std::string ext : kFormats) {
        ValidFile(ext, dir);
        const std::string path = dir / ("valid." + ext);
        OwnedImage wrongSize, wrongDepth, none;
        ASSERT_EQ(allocimage(&wrongSize.d, 47, 32, ext == "gif" ? 8 : 24), 0);
        ASSERT_EQ(allocimage(&wrongDepth.d, 48, 32, ext == "gif" ? 24 : 1), 0);
        for (ImageDescriptor* d : {&wrongSize.d, &wrongDepth.d, &none.d}) {
            int rc = 0;
            if (ext == "bmp") rc = loadbmp(path.c_str(), d);
            if (ext == "png") rc = loadpng(path.c_str(), d);
            if (ext == "tif") rc = loadtifpagebyindex(path.c_str(), d, 0);
            if (ext == "gif") rc = loadgif(path.c_str(), d);
            if (ext == "jpg") rc = loadjpg(path.c_str(), d);
            EXPECT_NE(rc, 0) << ext;
        }
    }
}

}  // namespace
