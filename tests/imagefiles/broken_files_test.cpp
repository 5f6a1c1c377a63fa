// Broken, truncated, hostile and mislabelled files fail cleanly: no crash,
// no hang, no huge allocation, and a non-zero result where the file cannot
// give a whole picture.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "imagefiles/picture_header.h"
#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"

namespace tw::test {
namespace {

using Bytes = std::vector<uint8_t>;

// A valid 48 x 32 file of each format, made by our encoders.
std::map<std::string, Bytes> ValidFiles(const ScratchDir& dir) {
    OwnedImage img = Image24(PhotoLike(48, 32));
    std::map<std::string, Bytes> files;
    for (const std::string ext : kFormats) {
        SaveFile(dir / ("valid." + ext), &img.d);
        files[ext] = ReadBytes(dir / ("valid." + ext));
    }
    return files;
}

TEST(BrokenFiles, TruncatedFilesFailAndDamagedOnesNeverCrash) {
    ScratchDir dir;
    std::mt19937 rng(1234);
    const std::map<std::string, Bytes> files = ValidFiles(dir);
    for (const std::string ext : kFormats) {
        const Bytes& valid = files.at(ext);
        ASSERT_GT(valid.size(), 100u) << ext;
        const std::string path = dir / ("broken." + ext);
        OwnedImage img;
        // Every cut fails; only the GIF trailer byte may go missing: the picture is complete.
        for (size_t n = 0; n < valid.size() - (ext == "gif"); n += 1 + n / 16) {
            WriteBytes(path, Bytes(valid.begin(), valid.begin() + n));
            EXPECT_NE(LoadFile(path, &img), 0) << ext << " cut at " << n;
        }
        for (int round = 0; round < 150; ++round) {
            Bytes damaged = valid;
            for (int k = 0; k < 1 + round % 4; ++k) damaged[rng() % damaged.size()] = uint8_t(rng());
            WriteBytes(path, damaged);
            if (LoadFile(path, &img) == 0) {
                EXPECT_LE(img.d.bmh->biWidth, 96) << ext;  // damage cannot invent big pictures here
            }
        }
    }
}

TEST(BrokenFiles, HugeSizesAreRefusedBeforeAllocating) {
    ScratchDir dir;
    std::map<std::string, Bytes> files = ValidFiles(dir);
    files["bmp"][21] = 0x0F, files["bmp"][20] = files["bmp"][19] = files["bmp"][18] = 0xFF;  // width 268 million
    for (int i : {6, 7, 8, 9}) files["gif"][i] = 0xFF;  // 65535 x 65535 screen
    Bytes& jpg = files["jpg"];
    for (size_t i = 2; i + 9 < jpg.size(); ++i)
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) jpg[i + 5] = jpg[i + 6] = jpg[i + 7] = jpg[i + 8] = 0xFF;
    // A PNG header is checksummed and TIFF strips are sized for the width: a patched size fails there first.
    for (const std::string ext : {"bmp", "gif", "jpg"}) {
        WriteBytes(dir / ("huge." + ext), files[ext]);
        OwnedImage img;
        EXPECT_NE(LoadFile(dir / ("huge." + ext), &img), 0) << ext;
    }
}

TEST(BrokenFiles, EmptyMissingFolderAndMislabelledFilesFail) {
    ScratchDir dir;
    const std::map<std::string, Bytes> valid = ValidFiles(dir);
    for (int i = 0; i < 5; ++i) {
        const std::string ext = kFormats[i], other = kFormats[(i + 1) % 5];
        OwnedImage img;
        WriteBytes(dir / ("empty." + ext), {});
        EXPECT_NE(LoadFile(dir / ("empty." + ext), &img), 0) << ext;
        EXPECT_NE(LoadFile(dir / ("missing." + ext), &img), 0) << ext;
        std::filesystem::create_directory(dir / ("folder." + ext));
        EXPECT_NE(LoadFile(dir / ("folder." + ext), &img), 0) << ext;
        WriteBytes(dir / ("wrong." + ext), valid.at(other));
        EXPECT_NE(LoadFile(dir / ("wrong." + ext), &img), 0) << other << " named ." << ext;
        // A load into an image of another size or depth than the file's fails.
        OwnedImage wrongSize, wrongDepth, none;
        ASSERT_EQ(allocimage(&wrongSize.d, 47, 32, ext == "gif" ? 8 : 24), 0);
        ASSERT_EQ(allocimage(&wrongDepth.d, 48, 32, ext == "gif" ? 24 : 1), 0);
        for (ImageDescriptor* d : {&wrongSize.d, &wrongDepth.d, &none.d})
            EXPECT_NE(LoadPictureBody(dir / ("valid." + ext), d), 0) << ext;
    }
}

}  // namespace
}  // namespace tw::test
