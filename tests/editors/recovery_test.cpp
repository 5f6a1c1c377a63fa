// Keeping unsaved sheets without a window: the recovery folder against what
// another user or an ended copy left in it, every waiting copy offered and
// recoverable, the copy of a sheet a load replaces, and a copy killed at any
// moment of a recovery.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "editors/recovery_keeper.h"
#include "imagefiles/atomic_file.h"
#include "imagefiles/kept_copy.h"
#include "imagefiles/png_stream.h"
#include "support/editor.h"

namespace tw::test {
namespace {

constexpr uid_t kNobody = 65534;
const PageInfo& Chipset() { return PageByLetter('C'); }

std::optional<Raster> ReadPng(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::optional<Raster> r = ReadSheetPng(f, 480, 256);
    fclose(f);
    return r;
}

// A sheet an ended copy left: `folder/name` under `root`, written `age`
// seconds ago.
void Plant(const std::string& root, const std::string& folder, const std::string& name, const Raster& sheet,
           int age = 0) {
    fs::create_directories(root + "/" + folder);
    const std::string path = root + "/" + folder + "/" + name;
    ASSERT_EQ(DumpRaster(sheet, path), "");
    const timespec when[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
    utimensat(AT_FDCWD, path.c_str(), when, 0);
}

// The files in a copy's folder but its lock.
std::vector<fs::path> Copies(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& f : fs::directory_iterator(folder))
        if (f.path().filename() != "lock") files.push_back(f.path());
    return files;
}

void Age(const std::string& path, int seconds) {
    const timespec when[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), when, AT_SYMLINK_NOFOLLOW), 0) << path;
}

class RecoveryKeeping : public ::testing::Test {
protected:
    std::string Root() const { return dir / "recovery"; }
    // Picks a cell of a noisy source and stamps it at (x, y) of the chipset target.
    void Stamp(int x, int y) {
        if (e.form().Pic("CQ").GetPicture().IsEmpty()) {
            e.Load("LoadQChip", NoisePicture(480, 256, 5), "src.bmp");
            e.program.MouseDown("CQ", 1, 0, 40, 40);
        }
        e.program.MouseDown("CZ", 1, 0, x, y);
    }
    const Raster& Target() { return e.View("CZ"); }
    ScratchDir dir;
    Editor e;
};

// What another user, a link or an ended copy left in the folder never makes
// the keeper read, write or delete outside it, and never hides a sheet.
TEST_F(RecoveryKeeping, HostileFolders) {
    const Raster sheet = NoisePicture(480, 256, 9);
    struct Case {
        const char* name;
        std::function<void(const std::string& root, const std::string& outside)> plant;
        size_t offered;
        bool ok = true;
        const char* says = "";
        bool asRoot = false;
    };
    const Case cases[] = {
        {"an empty lock, as an unsynced one after a power cut",
         [&](const std::string& root, const std::string&) {
             Plant(root, "copy-ended", "chipset.png", sheet);
             WriteBytes(root + "/copy-ended/lock", {});
         },
         1},
        {"a lock a live copy holds",
         [&](const std::string& root, const std::string&) { Plant(root, "copy-live", "chipset.png", sheet); },
         0},
        {"a link planted as a copy folder",
         [&](const std::string& root, const std::string& outside) {
             Plant(outside, "", "chipset.png", sheet);
             fs::create_directories(root);
             fs::create_directory_symlink(outside, root + "/copy-EVIL");
         },
         0},
        {"a link planted as chipset.png, and a second name of a file",
         [&](const std::string& root, const std::string& outside) {
             Plant(outside, "", "victim.png", sheet);
             fs::create_directories(root + "/copy-ended");
             fs::create_symlink(outside + "/victim.png", root + "/copy-ended/chipset.png");
             fs::create_hard_link(outside + "/victim.png", root + "/copy-ended/charset.png");
         },
         0},
        {"a folder of mode 0777",
         [&](const std::string& root, const std::string&) {
             Plant(root, "copy-ended", "chipset.png", sheet);
             fs::permissions(root, fs::perms::all);
         },
         1, true, "open to other users and is private now"},
        {"a folder another user owns",
         [&](const std::string& root, const std::string&) {
             Plant(root, "copy-ended", "chipset.png", sheet);
             ASSERT_EQ(chown(root.c_str(), kNobody, kNobody), 0);
         },
         0, false, "belongs to another user", true},
        {"a copy folder another user owns",
         [&](const std::string& root, const std::string&) {
             Plant(root, "copy-theirs", "chipset.png", sheet);
             ASSERT_EQ(chown((root + "/copy-theirs").c_str(), kNobody, kNobody), 0);
         },
         0, true, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.asRoot && geteuid() != 0) continue;  // only root can give a folder away
        ScratchDir scratch;
        const std::string root = scratch / "recovery", outside = scratch / "outside";
        fs::create_directories(outside);
        c.plant(root, outside);
        // A live copy: its lock held by an open descriptor.
        int live = -1;
        if (fs::exists(root + "/copy-live")) {
            live = open((root + "/copy-live/lock").c_str(), O_RDWR | O_CREAT, 0600);
            ASSERT_EQ(flock(live, LOCK_EX), 0);
        }
        const auto outsideFiles = [&] {
            std::vector<std::pair<std::string, fs::file_time_type>> files;
            for (const auto& f : fs::recursive_directory_iterator(outside))
                files.emplace_back(f.path(), fs::last_write_time(f.path()));
            return files;
        };
        const auto before = outsideFiles();
        {
            RecoveryFolder folder(root);
            RecoveryKeeper keeper(e.program, folder);
            EXPECT_EQ(folder.Ok(), c.ok) << folder.Problem();
            EXPECT_EQ(keeper.Offered().size(), c.offered);
            EXPECT_NE(e.program.Status().Text().find(c.says), std::string::npos) << e.program.Status().Text();
            if (c.ok) {
                EXPECT_EQ(fs::status(root).permissions() & fs::perms::all, fs::perms::owner_all);
            }
            // Whatever is offered comes back; then every copy is asked to go.
            if (c.offered > 0) {
                e.Click("mnuRecover");
                EXPECT_TRUE(SameRaster(Target(), sheet));
                EXPECT_TRUE(keeper.WriteDue());
            }
            Stamp(0, 0);
            keeper.WriteDue();
            keeper.Discard();
            if (!c.ok) {
                EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1)
                    << "wrote in another user's folder";
            }
        }
        EXPECT_EQ(outsideFiles(), before) << "a file outside the folder was written or deleted";
        if (live >= 0) {
            EXPECT_TRUE(fs::exists(root + "/copy-live/chipset.png")) << "took a running copy's sheet";
            close(live);
        }
    }
}

// Two ended copies left the same page: both are offered, newest first and
// named by their time, and both come back; the one a recovery replaced is
// kept as a copy of its own, so a later start offers both again.
TEST_F(RecoveryKeeping, TwoCopiesOfOnePageAreBothOfferedAndRecoverable) {
    const Raster older = NoisePicture(480, 256, 1), newer = NoisePicture(480, 256, 2);
    Plant(Root(), "copy-first", "chipset.png", older, 600);
    Plant(Root(), "copy-second", "chipset.png", newer, 60);
    {
        RecoveryFolder folder(Root());
        RecoveryKeeper keeper(e.program, folder);
        ASSERT_EQ(keeper.Offered().size(), 2u);
        EXPECT_EQ(keeper.Offered()[0].folder, "copy-second");
        const MenuItem& first = e.form().Get<MenuItem>("mnuRecover0");
        EXPECT_EQ(first.Caption(), RecoveryCopyCaption(Chipset(), keeper.Offered()[0].modified));
        EXPECT_TRUE(first.Enabled());
        EXPECT_EQ(e.form().Get<MenuItem>("mnuRecover2").Caption(), "");

        e.Click("mnuRecover0");
        EXPECT_TRUE(SameRaster(Target(), newer));
        EXPECT_FALSE(fs::exists(Root() + "/copy-second/chipset.png"));
        EXPECT_EQ(ReadPng(folder.CurrentCopy(Chipset())), newer) << "deleted before its own copy was written";
        ASSERT_EQ(keeper.Offered().size(), 1u) << "recovering one must keep the other";
        EXPECT_EQ(e.form().Get<MenuItem>("mnuRecover0").Caption(), "") << "one left: the item itself";

        e.Click("mnuRecover");
        EXPECT_TRUE(SameRaster(Target(), older));
        EXPECT_FALSE(e.form().Get<MenuItem>("mnuRecover").Enabled());
        e.Click("mnuUndo");
        EXPECT_TRUE(SameRaster(Target(), newer)) << "the earlier recovery is a step back";
    }
    RecoveryFolder later(Root());
    RecoveryKeeper keeper(e.program, later);
    ASSERT_EQ(keeper.Offered().size(), 2u);
    std::vector<Raster> offered;
    for (const RecoveryCopy& c : keeper.Offered()) offered.push_back(*later.Read(c));
    EXPECT_TRUE((offered == std::vector{older, newer}) || (offered == std::vector{newer, older}));
    e.Click("mnuDiscardRecovered");
    EXPECT_TRUE(keeper.Offered().empty());
    EXPECT_TRUE(later.Waiting().empty());
}

// A load over unsaved stamps keeps them as a copy of their own; a load over
// a saved sheet keeps nothing.
TEST_F(RecoveryKeeping, ALoadOverUnsavedWorkKeepsIt) {
    RecoveryFolder folder(Root());
    RecoveryKeeper keeper(e.program, folder);
    e.Load("LoadZChip", NoisePicture(480, 256, 3), "first.bmp");
    EXPECT_TRUE(Copies(folder.Own()).empty()) << "kept a copy of a saved sheet";
    Stamp(32, 32);
    const Raster stamped = Target();
    ASSERT_TRUE(keeper.Check());
    keeper.WriteDue();
    e.Load("LoadZChip", NoisePicture(480, 256, 4), "second.bmp");
    EXPECT_FALSE(keeper.Check());
    EXPECT_FALSE(fs::exists(folder.CurrentCopy(Chipset()))) << "the loaded sheet is saved";
    const std::vector<fs::path> kept = Copies(folder.Own());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].filename().string().starts_with("chipset-"));
    EXPECT_EQ(ReadPng(kept[0]), stamped);
}

// A copy killed at any moment of a recovery: the sheet is always in the
// folder, as the waiting copy or as the killed copy's own.
TEST_F(RecoveryKeeping, KillDuringRecoverNeverLosesTheSheet) {
    // Few colours: quick to encode, so that a hundred kills stay quick.
    const Raster sheet = ColourSheet(480, 256, 16);
    const auto runChild = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            RecoveryFolder folder(Root());
            RecoveryKeeper keeper(e.program, folder);
            keeper.Recover(0);
            _exit(keeper.Offered().empty() && !fs::exists(Root() + "/copy-ended/chipset.png") ? 0 : 3);
        }
        return pid;
    };
    Plant(dir.path.string(), "", "planted.png", sheet);
    const std::vector<uint8_t> planted = ReadBytes(dir / "planted.png");
    const auto reset = [&] {
        fs::remove_all(Root());
        fs::create_directories(Root() + "/copy-ended");
        WriteBytes(Root() + "/copy-ended/chipset.png", planted);
    };
    // How long a whole recovery takes, to spread the kills over it.
    reset();
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    const pid_t whole = runChild();
    ASSERT_EQ(waitpid(whole, &status, 0), whole);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the recovery itself failed";
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    const unsigned seed = std::random_device()();
    std::mt19937 pick(seed);
    std::uniform_int_distribution<long> moment(0, span.count() * 5 / 4);
    for (int i = 0; i < 100; ++i) {
        reset();
        const pid_t pid = runChild();
        std::this_thread::sleep_for(std::chrono::microseconds(moment(pick)));
        kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        RecoveryFolder probe(Root());
        bool found = false;
        for (const RecoveryCopy& c : probe.Waiting()) found = found || probe.Read(c) == sheet;
        ASSERT_TRUE(found) << "lost at kill " << i << " (seed " << seed << ")";
    }
}

// The old picture a cut-off save kept of a file is offered before an older
// waiting sheet; it comes back into the target the file was last saved
// through (else the page in front), unsaved and as that file's, so that a
// save puts it back, and its copy and note go once the sheet's own copy is
// written, or on Discard. A copy or note that is planted, a link or damaged
// is never read through a link, deleted, or let change a sheet.
TEST_F(RecoveryKeeping, OldPicturesKeptByCutOffSaves) {
    const Raster old = ColourSheet(480, 256, 16);
    enum Then { Lands, Stays, Hidden, Discarded };
    struct Case {
        const char* name;
        const char* recent;  // the target the file was last saved through
        Then then;
        std::function<void(const KeptCopy&, const std::string& outside)> before{}, after{};
    };
    const auto link = [](const std::string& from, const std::string& to) {
        fs::remove(from);
        fs::create_symlink(to, from);
    };
    const Case cases[] = {
        {"saved through the chipset target, the faceset in front", "CZ", Lands},
        {"not among the recent files: the page in front", "", Lands},
        {"discarded with the waiting sheet", "", Discarded},
        {"a link planted as the copy", "", Hidden,
         [&](const KeptCopy& k, const std::string& outside) { link(k.copy, outside); }},
        {"the copy turned into a link after the start", "", Stays, {},
         [&](const KeptCopy& k, const std::string& outside) { link(k.copy, outside); }},
        {"a note naming a file where no save keeps a copy", "", Hidden,
         [](const KeptCopy& k, const std::string& outside) {
             const std::string text = outside + '\0' + k.original + '\0';
             WriteBytes(k.note, std::vector<uint8_t>(text.begin(), text.end()));
         }},
        // Only root can give a file away; as anyone else it lands as usual.
        {"an original another user owns", "", geteuid() == 0 ? Hidden : Lands,
         [](const KeptCopy& k, const std::string&) {
             if (geteuid() == 0) {
                 EXPECT_EQ(chown(k.original.c_str(), kNobody, kNobody), 0);
             }
         }},
        {"a damaged copy", "", Stays,
         [](const KeptCopy& k, const std::string&) { WriteBytes(k.copy, {0x89, 'P', 'N', 'G', 1, 2}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir d;
        Editor ed;
        const std::string original = d / "sheet.png", outside = d / "victim.png", root = d / "recovery";
        ASSERT_EQ(DumpRaster(old, original), "");
        ASSERT_EQ(DumpRaster(NoisePicture(8, 8, 1), outside), "");
        fs::create_hard_link(original, d / "other-name.png");
        {
            OldBytesCopy copy(d / "kept");
            const int fd = open(original.c_str(), O_RDONLY);
            ASSERT_TRUE(copy.Make(fd, original));
            close(fd);
            copy.Keep();
        }
        WriteBytes(original, {0x89, 'P', 'N', 'G'});  // torn by the kill
        Plant(root, "copy-ended", "chipset.png", NoisePicture(480, 256, 2), 600);
        const KeptCopy k = FindKeptCopies(d / "kept").at(0);
        const std::vector<uint8_t> victim = ReadBytes(outside);
        if (c.before) c.before(k, outside);
        if (*c.recent) {
            ed.program.Recent().Replace({{original, c.recent}});
            ed.program.SelectTab("Tab1", 2);  // the faceset page in front
        }
        const Raster blank = ed.View("CZ");

        RecoveryFolder folder(root);
        RecoveryKeeper keeper(ed.program, folder);
        ASSERT_EQ(keeper.OldPictures().size(), c.then == Hidden ? 0u : 1u);
        const std::string first = ed.form().Get<MenuItem>("mnuRecover0").Caption();
        EXPECT_EQ(first, c.then == Hidden ? "" : KeptCopyCaption(original, k.made)) << "not newest first";
        if (c.after) c.after(k, outside);
        ed.Click(c.then == Discarded ? "mnuDiscardRecovered" : "mnuRecover");
        EXPECT_TRUE(keeper.OldPictures().empty());
        EXPECT_EQ(ReadBytes(outside), victim) << "a file outside was changed";
        EXPECT_EQ(fs::exists(fs::symlink_status(k.copy)), c.then == Stays || c.then == Hidden);
        EXPECT_EQ(fs::exists(k.note), c.then == Stays || c.then == Hidden);
        if (c.then == Stays) {
            EXPECT_NE(ed.program.Status().Text().find(k.copy), std::string::npos) << ed.program.Status().Text();
        }
        if (c.then != Lands) {
            EXPECT_EQ(keeper.Offered().size(), c.then == Stays ? 1u : 0u);
            EXPECT_EQ(ed.View("CZ") == blank, c.then != Hidden) << "the hidden one leaves the waiting sheet first";
            continue;
        }
        EXPECT_TRUE(SameRaster(ed.View("CZ"), old));
        EXPECT_EQ(&ed.program.FrontPage(), &Chipset());
        EXPECT_TRUE(ed.program.Modified(Chipset()));
        EXPECT_EQ(std::as_const(ed.program).SheetOf(Chipset()).File().path, original);
        EXPECT_EQ(ReadPng(folder.CurrentCopy(Chipset())), old) << "deleted before its own copy was written";
        EXPECT_EQ(keeper.Offered().size(), 1u) << "the waiting sheet stays on offer";
        ed.Click("mnuSave");
        EXPECT_TRUE(SameRaster(ReadPicture(original), old)) << "File > Save must put the old picture back";
        EXPECT_TRUE(SameRaster(ReadPicture(d / "other-name.png"), old));
    }
}

// Temporary files of writes cut short go at the next start once stale:
// a minute old, the user's own, and held by no live writer.
TEST(StaleTemps, OnlyTheUsersOwnOldUnheldOnesGo) {
    ScratchDir d;
    struct Case {
        const char* name;
        int age;
        bool goes;
        bool held = false, link = false, nobody = false;
    } cases[] = {
        {".twAbc123", 120, true},
        {".twFresh1", 10, false},
        {".twHeld01", 120, false, true},
        {".twLink01", 120, false, false, true},
        {".twTheirs", 120, false, false, false, true},
        {".twlonger1", 120, false},
        {"chipset.png", 120, false},
    };
    std::vector<int> held;
    for (const Case& c : cases) {
        const std::string path = d / c.name;
        if (c.nobody && geteuid() != 0) continue;
        if (c.link) {
            WriteBytes(d / "target", {1});
            fs::create_symlink(d / "target", path);
        } else {
            WriteBytes(path, {1, 2, 3});
        }
        if (c.held) {
            held.push_back(open(path.c_str(), O_RDONLY));
            ASSERT_EQ(flock(held.back(), LOCK_EX), 0);
        }
        if (c.nobody) {
            ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
        }
        Age(path, c.age);
    }
    RemoveStaleTemps(d.path.string());
    for (const Case& c : cases) {
        if (c.nobody && geteuid() != 0) continue;
        EXPECT_EQ(!fs::exists(fs::symlink_status(d / c.name)), c.goes) << c.name;
    }
    EXPECT_TRUE(fs::exists(d / "target"));
    for (int fd : held) close(fd);
}

}  // namespace
}  // namespace tw::test
