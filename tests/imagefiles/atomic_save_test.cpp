// A save that fails leaves the file that was there byte for byte as it was,
// and no temporary file behind; a save that succeeds replaces it whole.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "image_test_support.h"

namespace {

using twtest::OwnedImage;

int Save(const std::string& ext, const std::string& path, const ImageDescriptor* img) {
    if (ext == "bmp") return savebmp(path.c_str(), img, 0);
    if (ext == "png") return savepng(path.c_str(), img, 0);
    if (ext == "tif") return savetif(path.c_str(), img, 0);
    if (ext == "gif") return savegif(path.c_str(), img);
    return savejpg(path.c_str(), img, 75);
}

size_t FilesIn(const std::filesystem::path& dir) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

const char* kFormats[] = {"bmp", "png", "tif", "gif", "jpg"};

// Files beyond `bytes` cannot grow: a full disk in the middle of a save.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST(AtomicSave, FailuresLeaveTheOldFileAndNoTemporaryFile) {
    OwnedImage empty;
    OwnedImage photo = twtest::Image24(twtest::PhotoLike(200, 150));
    for (const std::string ext : kFormats) {
        twtest::TempDir dir;
        const std::string path = dir / ("keep." + ext);
        const std::vector<uint8_t> old{'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
        twtest::WriteBytes(path, old);

        EXPECT_NE(Save(ext, path, &empty.d), 0) << ext;
        EXPECT_NE(Save(ext, path, nullptr), 0) << ext;
        {
            const FileSizeLimit limit(2048);
            EXPECT_NE(Save(ext, path, &photo.d), 0) << ext;
        }
        EXPECT_EQ(twtest::ReadBytes(path), old) << ext;
        EXPECT_EQ(FilesIn(dir.Path()), 1u) << ext;

        // A folder in the way, or no folder at all.
        std::filesystem::create_directory(dir / ("sub." + ext));
        EXPECT_NE(Save(ext, dir / ("sub." + ext), &photo.d), 0) << ext;
        EXPECT_TRUE(std::filesystem::is_directory(dir / ("sub." + ext)));
        EXPECT_NE(Save(ext, dir / ("missing/x." + ext), &photo.d), 0) << ext;
        EXPECT_EQ(FilesIn(dir.Path()), 2u) << ext;
    }
}

TEST(AtomicSave, SuccessReplacesTheFileAndKeepsItsPermissions) {
    OwnedImage photo = twtest::Image24(twtest::PhotoLike(60, 40));
    for (const std::string ext : kFormats) {
        twtest::TempDir dir;
        const std::string path = dir / ("pic." + ext);
        twtest::WriteBytes(path, {'o', 'l', 'd'});
        chmod(path.c_str(), 0640);
        ASSERT_EQ(Save(ext, path, &photo.d), 0) << ext;
        OwnedImage back;
        EXPECT_EQ(twtest::LoadFile(path, &back), 0) << ext;
        struct stat st {};
        stat(path.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0640u) << ext;
        EXPECT_EQ(FilesIn(dir.Path()), 1u) << ext;
    }
}

}  // namespace
