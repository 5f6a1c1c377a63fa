// A save that fails leaves the file that was there byte for byte as it was,
// and no temporary file behind; a save that succeeds replaces it whole.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <unistd.h>

#include <csignal>
#include <functional>

#include "imagefiles/file_error.h"

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

// Where the name leads: a link is written through, a file with other names
// is written in place, a file the user may not write is refused.
TEST(AtomicSave, DestinationsKeepTheirNature) {
    namespace fs = std::filesystem;
    OwnedImage photo = twtest::Image24(twtest::PhotoLike(64, 48));
    const bool root = geteuid() == 0;
    struct Case {
        const char* what;
        bool asRoot;  // false: permissions mean nothing to root
        std::function<std::string(const twtest::TempDir&)> make;  // returns the name to save to
        const char* reason;  // "" when the save must work
        std::function<void(const twtest::TempDir&)> check;
    };
    const std::vector<uint8_t> old{'o', 'l', 'd'};
    const Case cases[] = {
        {"a name of 250 bytes", true,
         [](const twtest::TempDir& d) { return d / (std::string(246, 'n') + ".png"); }, "", nullptr},
        {"a symbolic link", true,
         [&](const twtest::TempDir& d) {
             twtest::WriteBytes(d / "real.png", old);
             fs::create_symlink("real.png", d / "link.png");
             return d / "link.png";
         },
         "",
         [&](const twtest::TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.png"));
             EXPECT_NE(twtest::ReadBytes(d / "real.png"), old);
         }},
        {"a file with two names", true,
         [&](const twtest::TempDir& d) {
             twtest::WriteBytes(d / "one.png", old);
             fs::create_hard_link(d / "one.png", d / "two.png");
             chmod((d / "one.png").c_str(), 0604);
             return d / "one.png";
         },
         "",
         [&](const twtest::TempDir& d) {
             EXPECT_EQ(fs::hard_link_count(d / "one.png"), 2u);
             EXPECT_EQ(twtest::ReadBytes(d / "two.png"), twtest::ReadBytes(d / "one.png"));
             EXPECT_EQ(fs::status(d / "one.png").permissions(), fs::perms(0604));
             EXPECT_EQ(FilesIn(d.path), 2u);
         }},
        {"a full disk", true,
         [](const twtest::TempDir& d) {
             fs::create_symlink("/dev/full", d / "full.png");
             return d / "full.png";
         },
         "the disk is full", nullptr},
        {"a folder that takes no files", true, [](const twtest::TempDir&) { return std::string("/proc/x.png"); },
         "the folder is read-only", nullptr},
        {"a read-only file", false,
         [&](const twtest::TempDir& d) {
             twtest::WriteBytes(d / "ro.png", old);
             chmod((d / "ro.png").c_str(), 0444);
             return d / "ro.png";
         },
         "the file is read-only",
         [&](const twtest::TempDir& d) { EXPECT_EQ(twtest::ReadBytes(d / "ro.png"), old); }},
        {"a writable file in a read-only folder", false,
         [&](const twtest::TempDir& d) {
             fs::create_directory(d / "ro");
             twtest::WriteBytes(d / "ro/w.png", old);
             chmod((d / "ro").c_str(), 0555);
             return d / "ro/w.png";
         },
         "",
         [&](const twtest::TempDir& d) {
             EXPECT_NE(twtest::ReadBytes(d / "ro/w.png"), old);
             chmod((d / "ro").c_str(), 0755);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (root && !c.asRoot) continue;
        twtest::TempDir dir;
        const std::string path = c.make(dir);
        tw::ClearFileError();
        const int result = twtest::SaveFile(path, &photo.d);
        EXPECT_EQ(result == 0, std::string(c.reason).empty());
        EXPECT_EQ(tw::FileError(), c.reason);
        if (result == 0) {
            OwnedImage back;
            EXPECT_EQ(twtest::LoadFile(path, &back), 0);
        }
        if (c.check) c.check(dir);
    }
}

}  // namespace
