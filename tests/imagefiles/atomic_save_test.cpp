// A save that fails leaves the file that was there byte for byte as it was,
// and no temporary file behind; a save that succeeds replaces it whole.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "image_test_support.h"

namespace {

using twtest::OwnedImage;

size_t FilesIn(const std::filesystem::path& dir) {
    return size_t(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(AtomicSave, FailuresKeepTheOldFileAndSuccessReplacesIt) {
    OwnedImage empty, photo = twtest::Image24(twtest::PhotoLike(200, 150));
    for (const std::string ext : twtest::kFormats) {
        SCOPED_TRACE(ext);
        twtest::TempDir dir;
        const std::string path = dir / ("keep." + ext);
        const std::vector<uint8_t> old{'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
        twtest::WriteBytes(path, old);
        chmod(path.c_str(), 0640);
        EXPECT_NE(twtest::SaveFile(path, &empty.d), 0);
        EXPECT_NE(twtest::SaveFile(path, nullptr), 0);
        // Files cannot grow beyond 2 KiB: a full disk in the middle of a save.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{2048, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_NE(twtest::SaveFile(path, &photo.d), 0);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(twtest::ReadBytes(path), old);
        EXPECT_EQ(FilesIn(dir.path), 1u);

        // A folder in the way, or no folder at all.
        std::filesystem::create_directory(dir / ("sub." + ext));
        EXPECT_NE(twtest::SaveFile(dir / ("sub." + ext), &photo.d), 0);
        EXPECT_TRUE(std::filesystem::is_directory(dir / ("sub." + ext)));
        EXPECT_NE(twtest::SaveFile(dir / ("missing/x." + ext), &photo.d), 0);
        EXPECT_EQ(FilesIn(dir.path), 2u);

        ASSERT_EQ(twtest::SaveFile(path, &photo.d), 0);
        OwnedImage back;
        EXPECT_EQ(twtest::LoadFile(path, &back), 0);
        struct stat st {};
        stat(path.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0640u);
        EXPECT_EQ(FilesIn(dir.path), 2u);
    }
}

}  // namespace
