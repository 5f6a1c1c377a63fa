// Recovery of unsaved sheets in the window: the throttled write and the final
// one on Exit, the removal after an undo back to the saved sheet, the offer at
// the next start with its undoable restore and its submenu, two copies side
// by side, and copies ended by SIGKILL, SIGTERM, SIGHUP or a lost display.

#include "gui/recovery/recovery.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <cstdio>

#include "gui_session.h"
#include "imagefiles/dump_picture.h"
#include "imagefiles/kept_copy.h"
#include "imagefiles/png_stream.h"

namespace tw::test {
namespace {

const PageInfo& Chipset() { return PageByLetter('C'); }
std::optional<Raster> ReadChipset(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::optional<Raster> sheet = ReadSheetPng(f, 480, 256);
    std::fclose(f);
    return sheet;
}
std::optional<Raster> ReadChipset(const QString& path) { return ReadChipset(path.toStdString()); }

// Every test keeps its recovery folders in a state folder of its own.
class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(state.isValid());
        before = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_STATE_HOME", before); }
    QString Root() const { return state.path() + "/tilewright/recovery"; }
    // Picks a cell of a patterned source and stamps it at (x, y) of the chipset target.
    void Stamp(GuiSession& s, int x, int y) {
        if (s.Form().Pic("CQ").GetPicture().IsEmpty()) {
            s.dialog.QueueFile(WritePattern(temp, "src.png", 480, 256, 7));
            s.Click("LoadQChip");
            s.Press("CQ", Qt::LeftButton, 40, 40);
        }
        s.Press("CZ", Qt::LeftButton, x, y);
    }
    // Runs the writer's throttle out now instead of waiting two seconds.
    static void RunThrottle(RecoveryWriter& w) {
        ASSERT_TRUE(w.Timer().isActive());
        w.Timer().setInterval(0);
        w.Timer().start();
        QTRY_VERIFY(!w.Timer().isActive());
        w.Timer().setInterval(RecoveryWriter::kThrottleMs);
    }
    QTemporaryDir state, temp;
    QByteArray before;
};

TEST_F(RecoveryTest, WritesAfterTheThrottleOnExitAndRemovesWhenUndone) {
    GuiSession s;
    Recovery r(*s.program, *s.window);
    ASSERT_TRUE(r.Folder().Ok());
    EXPECT_EQ(QFileInfo(Root()).permissions() & 0x0077, 0) << "folder not private";
    const QString file = QString::fromStdString(r.Folder().CurrentCopy(Chipset()));
    EXPECT_TRUE(file.endsWith("/chipset.png"));
    const Raster blank = s.Form().Pic("CZ").View();

    Stamp(s, 64, 64);
    QTimer& timer = r.Writer().Timer();
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 2000);
    EXPECT_FALSE(QFile::exists(file)) << "written before the throttle ran out";
    // A second stamp while the throttle runs does not put the write off.
    const int left = timer.remainingTime();
    Stamp(s, 96, 64);
    EXPECT_LE(timer.remainingTime(), left);
    RunThrottle(r.Writer());
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(ReadChipset(file), s.Form().Pic("CZ").View());
    EXPECT_EQ(QFileInfo(file).permissions() & 0x0077, 0) << "copy not private";
    // A target load cancelled by mistake changes nothing: the copy keeps the stamps.
    const Raster stamped = s.Form().Pic("CZ").View();
    s.dialog.QueueCancel();
    s.Click("LoadZChip");
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(ReadChipset(file), stamped);

    // Undoing back to the saved sheet removes the file at once.
    s.window->Click("mnuUndo");
    s.window->Click("mnuUndo");
    ASSERT_EQ(s.Form().Pic("CZ").View(), blank);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(timer.isActive());

    // Exit writes at once, without waiting for the throttle.
    Stamp(s, 128, 128);
    const Raster last = s.Form().Pic("CZ").View();
    s.window->Click("mnuBeenden");
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_EQ(ReadChipset(file), last);
}

TEST_F(RecoveryTest, SavingRemovesTheFile) {
    GuiSession s;
    Recovery r(*s.program, *s.window);
    Stamp(s, 32, 32);
    RunThrottle(r.Writer());
    const QString file = QString::fromStdString(r.Folder().CurrentCopy(Chipset()));
    ASSERT_TRUE(QFile::exists(file));
    s.dialog.QueueFile((temp.path() + "/saved.png").toStdString());
    s.Click("SaveZChip");
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(RecoveryTest, OffersEveryWaitingSheetNewestFirstAndRestoresEachAsOneStep) {
    // Two ended copies left a chipset sheet each, and one a damaged charset file.
    const auto plant = [this](const QString& name, int age, const Raster* sheet) {
        const QString path = Root() + "/" + name;
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        EXPECT_EQ(sheet ? DumpRaster(*sheet, path.toStdString()) : "", "");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite | QIODevice::Append));
        if (!sheet) {
            f.write("\x89PNG\r\n\x1a\n not really");
            f.flush();  // before the time is set, which the write would change
        }
        f.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime);
        return path;
    };
    const Raster newer = NoisePicture(480, 256, 1), older = NoisePicture(480, 256, 2);
    const QString newerPath = plant("copy-a/chipset.png", 60, &newer);
    const QString damagedPath = plant("copy-b/charset.png", 120, nullptr);
    plant("copy-b/chipset.png", 180, &older);

    GuiSession s;
    Recovery r(*s.program, *s.window);
    QAction* recover = s.window->MenuAction("mnuRecover");
    ASSERT_TRUE(recover);
    EXPECT_TRUE(recover->isEnabled());
    EXPECT_TRUE(s.window->Status().Text().contains("Chipset target, Charset target"))
        << s.window->Status().Text().toStdString();
    const auto items = [&] {
        QStringList shown;
        if (recover->menu())
            for (QAction* a : recover->menu()->actions())
                if (a->isVisible()) shown << a->text().section(',', 0, 0);
        return shown;
    };
    EXPECT_EQ(items(), QStringList({"Chipset target", "Charset target", "Chipset target"})) << "newest first";
    const Raster blank = s.Form().Pic("CZ").View();

    s.program->SelectTab("Tab1", 2);  // the faceset page in front
    s.window->MenuAction("mnuRecover0")->trigger();
    EXPECT_EQ(s.Form().Pic("CZ").View(), newer);
    EXPECT_EQ(&s.program->FrontPage(), &Chipset()) << "the recovered sheet comes to the front";
    EXPECT_TRUE(s.program->Modified(Chipset()));
    EXPECT_EQ(s.window->MenuAction("mnuUndo")->text(), "&Undo Recover");
    EXPECT_FALSE(QFile::exists(newerPath));
    EXPECT_EQ(items(), QStringList({"Charset target", "Chipset target"})) << "the others stay on offer";

    s.window->MenuAction("mnuRecover0")->trigger();
    EXPECT_TRUE(QFile::exists(damagedPath)) << "an unreadable file must stay";
    EXPECT_TRUE(s.window->Status().Text().contains("charset.png")) << s.window->Status().Text().toStdString();
    EXPECT_EQ(recover->menu(), nullptr) << "one sheet left: the item recovers it";
    recover->trigger();
    EXPECT_EQ(s.Form().Pic("CZ").View(), older);
    EXPECT_FALSE(recover->isEnabled());

    QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(s.Form().Pic("CZ").View(), newer);
    QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(s.Form().Pic("CZ").View(), blank);
    EXPECT_FALSE(s.program->Modified(Chipset()));
}

TEST_F(RecoveryTest, TwoCopiesSideBySideKeepTheirOwnSheets) {
    GuiSession a, b;
    auto ra = std::make_unique<Recovery>(*a.program, *a.window);
    Stamp(a, 0, 0);
    ra->Writer().WriteNow();
    const Raster sheetA = a.Form().Pic("CZ").View();

    Recovery rb(*b.program, *b.window);
    EXPECT_TRUE(rb.Keeper().Offered().empty()) << "took the sheet of a copy still running";
    EXPECT_FALSE(b.window->MenuAction("mnuRecover")->isEnabled());
    Stamp(b, 160, 160);
    rb.Writer().WriteNow();
    EXPECT_NE(ra->Folder().Own(), rb.Folder().Own());
    EXPECT_EQ(ReadChipset(ra->Folder().CurrentCopy(Chipset())), sheetA);

    // Once copy A has ended, a new start offers its sheet and only its.
    const std::string fileA = ra->Folder().CurrentCopy(Chipset());
    ra.reset();
    GuiSession c;
    Recovery rc(*c.program, *c.window);
    ASSERT_EQ(rc.Keeper().Offered().size(), 1u);
    const RecoveryCopy& offered = rc.Keeper().Offered()[0];
    EXPECT_EQ(rc.Folder().Root() + "/" + offered.folder + "/" + offered.name, fileA);
}

// The old picture a killed save kept is on offer at the next start; it comes back into the target the file was last
// saved through, unsaved and as that file's, and File > Save writes it back.
TEST_F(RecoveryTest, OffersTheOldPictureACutOffSaveKept) {
    const Raster old = NoisePicture(480, 256, 4);
    const std::string original = (temp.path() + "/chipset.png").toStdString();
    ASSERT_EQ(DumpRaster(old, original), "");
    {
        OldBytesCopy copy(KeptCopiesFolder());
        FILE* f = std::fopen(original.c_str(), "rb");
        ASSERT_TRUE(copy.Make(fileno(f), original));
        std::fclose(f);
        copy.Keep();
    }
    QFile torn(QString::fromStdString(original));
    ASSERT_TRUE(torn.open(QIODevice::WriteOnly | QIODevice::Truncate));
    torn.write("\x89PNG");
    torn.close();

    GuiSession s;
    s.program->Recent().Replace({{original, "CZ"}});
    s.program->SelectTab("Tab1", 2);  // the faceset page in front
    Recovery r(*s.program, *s.window);
    QAction* recover = s.window->MenuAction("mnuRecover");
    ASSERT_TRUE(recover->isEnabled());
    recover->trigger();
    EXPECT_EQ(s.Form().Pic("CZ").View(), old);
    EXPECT_TRUE(s.window->windowTitle().endsWith("chipset.png *")) << s.window->windowTitle().toStdString();
    EXPECT_TRUE(s.window->Status().Text().contains("old chipset.png")) << s.window->Status().Text().toStdString();
    EXPECT_TRUE(FindKeptCopies().empty());
    s.window->MenuAction("mnuSave")->trigger();
    EXPECT_EQ(ReadChipset(original), old);
}

// Run as a child by the next test: a copy that stamps at TW_RECOVERY_AT and
// then ends as TW_RECOVERY_END says: "kill" keeps the sheet and waits to be
// killed, "signal" waits in its event loop for a signal, "exit" ends at once
// through exit(), as Qt does when the display is lost.
TEST_F(RecoveryTest, ChildStampsAndEnds) {
    if (qEnvironmentVariableIsEmpty("TW_RECOVERY_CHILD")) GTEST_SKIP() << "run by EndedCopies";
    // The parent's state folder, not the one this fixture made.
    qputenv("XDG_STATE_HOME", qgetenv("TW_RECOVERY_CHILD"));
    const QByteArray end = qgetenv("TW_RECOVERY_END");
    GuiSession s;
    Recovery r(*s.program, *s.window);
    Stamp(s, qEnvironmentVariableIntValue("TW_RECOVERY_AT"), 48);
    if (end == "kill") RunThrottle(r.Writer());
    std::fputs("stamped\n", stdout);
    std::fflush(stdout);
    if (end == "exit") std::exit(1);
    if (end == "signal") {
        QEventLoop loop;
        std::_Exit(loop.exec());
    }
    for (int i = 0; i < 60; ++i) QThread::sleep(1);
    FAIL() << "never killed";
}

TEST_F(RecoveryTest, EndedCopiesLeaveTheirSheetsWithinTheThrottle) {
    const auto runChild = [this](const char* end, int signal, int at) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TW_RECOVERY_CHILD", state.path());
        env.insert("TW_RECOVERY_END", end);
        env.insert("TW_RECOVERY_AT", QString::number(at));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=RecoveryTest.ChildStampsAndEnds"});
        EXPECT_TRUE(child.waitForStarted());
        QByteArray said;
        while (!said.contains("stamped")) {
            if (!child.waitForReadyRead(30000)) {
                ADD_FAILURE() << "the child never stamped";
                break;
            }
            said += child.readAllStandardOutput();
        }
        if (signal != 0) ::kill(static_cast<pid_t>(child.processId()), signal);
        EXPECT_TRUE(child.waitForFinished(30000));
        if (signal != 0 && signal != SIGKILL) {
            EXPECT_EQ(child.exitCode(), 128 + signal) << "not ended by the signal";
        }
    };
    struct Case {
        const char* name;
        const char* end;
        std::vector<int> ends;  // the signal of each run of the child, 0 for none
    } cases[] = {
        {"SIGTERM", "signal", {SIGTERM}},
        {"SIGHUP", "signal", {SIGHUP}},
        {"a lost display", "exit", {0}},
        {"two runs in turn, each killed", "kill", {SIGKILL, SIGKILL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Root()).removeRecursively();
        for (size_t i = 0; i < c.ends.size(); ++i) runChild(c.end, c.ends[i], 32 * static_cast<int>(i));

        GuiSession s;
        Recovery r(*s.program, *s.window);
        ASSERT_EQ(r.Keeper().Offered().size(), c.ends.size());
        std::vector<Raster> kept;
        for (const RecoveryCopy& copy : r.Keeper().Offered()) kept.push_back(*r.Folder().Read(copy));
        for (const Raster& k : kept) EXPECT_NE(k, s.Form().Pic("CZ").View()) << "the kept sheet holds no stamp";
        if (kept.size() > 1) {
            EXPECT_NE(kept[0], kept[1]);
        }
        for (size_t i = kept.size(); i-- > 0;) {
            std::string item = "mnuRecover";
            if (i > 0) item += std::to_string(i);
            s.window->MenuAction(item)->trigger();
            EXPECT_EQ(s.Form().Pic("CZ").View(), kept[i]);
        }
    }
}

}  // namespace
}  // namespace tw::test
