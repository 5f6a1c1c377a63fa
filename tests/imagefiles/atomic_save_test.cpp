// A save that fails leaves the file that was there byte for byte as it was,
// and no temporary file behind; a save that succeeds replaces it whole.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <unistd.h>

#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <random>
#include <thread>

#include "imagefiles/file_error.h"
#include "imagefiles/kept_copy.h"

#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"

namespace tw::test {
namespace {


size_t FilesIn(const std::filesystem::path& dir) {
    return size_t(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(AtomicSave, FailuresKeepTheOldFileAndSuccessReplacesIt) {
    OwnedImage empty, photo = Image24(PhotoLike(200, 150));
    for (const std::string ext : kFormats) {
        SCOPED_TRACE(ext);
        ScratchDir dir;
        const std::string path = dir / ("keep." + ext);
        const std::vector<uint8_t> old{'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
        WriteBytes(path, old);
        chmod(path.c_str(), 0640);
        EXPECT_NE(SaveFile(path, &empty.d), 0);
        EXPECT_NE(SaveFile(path, nullptr), 0);
        // Files cannot grow beyond 2 KiB: a full disk in the middle of a save.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{2048, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_NE(SaveFile(path, &photo.d), 0);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(FilesIn(dir.path), 1u);

        // A folder in the way, or no folder at all.
        std::filesystem::create_directory(dir / ("sub." + ext));
        EXPECT_NE(SaveFile(dir / ("sub." + ext), &photo.d), 0);
        EXPECT_TRUE(std::filesystem::is_directory(dir / ("sub." + ext)));
        EXPECT_NE(SaveFile(dir / ("missing/x." + ext), &photo.d), 0);
        EXPECT_EQ(FilesIn(dir.path), 2u);

        ASSERT_EQ(SaveFile(path, &photo.d), 0);
        OwnedImage back;
        EXPECT_EQ(LoadFile(path, &back), 0);
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
    OwnedImage photo = Image24(PhotoLike(64, 48));
    const bool root = geteuid() == 0;
    struct Case {
        const char* what;
        bool asRoot;  // false: permissions mean nothing to root
        std::function<std::string(const ScratchDir&)> make;  // returns the name to save to
        const char* reason;  // "" when the save must work
        std::function<void(const ScratchDir&)> check;
    };
    const std::vector<uint8_t> old{'o', 'l', 'd'};
    const Case cases[] = {
        {"a name of 250 bytes", true,
         [](const ScratchDir& d) { return d / (std::string(246, 'n') + ".png"); }, "", nullptr},
        {"a symbolic link", true,
         [&](const ScratchDir& d) {
             WriteBytes(d / "real.png", old);
             fs::create_symlink("real.png", d / "link.png");
             return d / "link.png";
         },
         "",
         [&](const ScratchDir& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.png"));
             EXPECT_NE(ReadBytes(d / "real.png"), old);
         }},
        {"a file with two names", true,
         [&](const ScratchDir& d) {
             WriteBytes(d / "one.png", old);
             fs::create_hard_link(d / "one.png", d / "two.png");
             chmod((d / "one.png").c_str(), 0604);
             return d / "one.png";
         },
         "",
         [&](const ScratchDir& d) {
             EXPECT_EQ(fs::hard_link_count(d / "one.png"), 2u);
             EXPECT_EQ(ReadBytes(d / "two.png"), ReadBytes(d / "one.png"));
             EXPECT_EQ(fs::status(d / "one.png").permissions(), fs::perms(0604));
             EXPECT_EQ(FilesIn(d.path), 2u);
         }},
        {"a full disk", true,
         [](const ScratchDir& d) {
             fs::create_symlink("/dev/full", d / "full.png");
             return d / "full.png";
         },
         "the disk is full", nullptr},
        {"a pipe nobody reads", true,
         [](const ScratchDir& d) {
             mkfifo((d / "p.png").c_str(), 0600);
             return d / "p.png";
         },
         "it is a pipe, not a file", nullptr},
        {"a folder that takes no files", true, [](const ScratchDir&) { return std::string("/proc/x.png"); },
         "the folder is read-only", nullptr},
        {"a read-only file", false,
         [&](const ScratchDir& d) {
             WriteBytes(d / "ro.png", old);
             chmod((d / "ro.png").c_str(), 0444);
             return d / "ro.png";
         },
         "the file is read-only",
         [&](const ScratchDir& d) { EXPECT_EQ(ReadBytes(d / "ro.png"), old); }},
        {"a writable file in a read-only folder", false,
         [&](const ScratchDir& d) {
             fs::create_directory(d / "ro");
             WriteBytes(d / "ro/w.png", old);
             chmod((d / "ro").c_str(), 0555);
             return d / "ro/w.png";
         },
         "",
         [&](const ScratchDir& d) {
             EXPECT_NE(ReadBytes(d / "ro/w.png"), old);
             chmod((d / "ro").c_str(), 0755);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (root && !c.asRoot) continue;
        ScratchDir dir;
        const std::string path = c.make(dir);
        tw::ClearFileError();
        const int result = SaveFile(path, &photo.d);
        EXPECT_EQ(result == 0, std::string(c.reason).empty());
        EXPECT_EQ(tw::FileError(), c.reason);
        if (result == 0) {
            OwnedImage back;
            EXPECT_EQ(LoadFile(path, &back), 0);
        }
        if (c.check) c.check(dir);
    }
}

// A save over a file with a second name is written in place; killed at any
// moment, it leaves the old picture, the new one, or the new one with the
// old one kept aside and named at the next start: never neither.
TEST(AtomicSave, AKilledSaveOverAHardLinkNeverLosesBothPictures) {
    ScratchDir dir;
    const std::string path = dir / "sheet.bmp", state = dir / "state";
    OwnedImage before = Image24(PhotoLike(900, 700)), after = Image24(PhotoLike(1000, 800));
    ASSERT_EQ(SaveFile(dir / "new.bmp", &after.d), 0);
    ASSERT_EQ(SaveFile(path, &before.d), 0);
    const std::vector<uint8_t> oldBytes = ReadBytes(path), newBytes = ReadBytes(dir / "new.bmp");
    std::filesystem::create_hard_link(path, dir / "other-name.bmp");
    const auto save = [&] {
        setenv("XDG_STATE_HOME", state.c_str(), 1);
        setenv("TMPDIR", dir.path.c_str(), 1);
        _exit(SaveFile(path, &after.d) == 0 ? 0 : 1);
    };
    // How long a whole save takes here, to spread the kills over it.
    const auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) save();
    int status = 0;
    waitpid(child, &status, 0);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(ReadBytes(path), newBytes);

    std::mt19937 random(29);
    int kept = 0;
    for (int kill = 0; kill < 30; ++kill) {
        WriteBytes(path, oldBytes);
        child = fork();
        if (child == 0) save();
        std::this_thread::sleep_for(took * std::uniform_real_distribution<>(0.0, 1.2)(random));
        ::kill(child, SIGKILL);
        waitpid(child, &status, 0);
        const std::vector<uint8_t> now = ReadBytes(path);
        const std::vector<KeptCopy> copies = FindKeptCopies(state + "/tilewright/kept");
        bool oldKept = false;
        for (const KeptCopy& k : copies) {
            EXPECT_EQ(k.original, path);
            oldKept |= ReadBytes(k.copy) == oldBytes;
            std::filesystem::remove(k.copy);
        }
        kept += now != oldBytes && now != newBytes;
        ASSERT_TRUE(now == oldBytes || now == newBytes || oldKept) << "kill " << kill;
        EXPECT_EQ(ReadBytes(dir / "other-name.bmp"), now);
        EXPECT_TRUE(FindKeptCopies(state + "/tilewright/kept").empty());
    }
    RecordProperty("torn files whose old picture was kept", kept);
}

}  // namespace
}  // namespace tw::test
