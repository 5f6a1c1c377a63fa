// Recovery of unsaved sheets in the window: the throttled write and the final
// one on Exit, the removal after an undo back to the saved sheet, the offer at
// the next start with its undoable restore, two copies side by side, and a
// copy killed without warning.

#include "gui/recovery/recovery.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <cstdio>

#include "gui_session.h"
#include "imagefiles/dump_picture.h"

namespace tw::test {
namespace {

const PageInfo& Chipset() { return PageByLetter('C'); }
std::optional<Raster> ReadChipset(const QString& path) {
    return ReadRecoveryFile(path, {480, 256});
}

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
    const QString file = r.Folder().FileFor(Chipset());
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
    const QString file = r.Folder().FileFor(Chipset());
    ASSERT_TRUE(QFile::exists(file));
    s.dialog.QueueFile((temp.path() + "/saved.png").toStdString());
    s.Click("SaveZChip");
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(RecoveryTest, OffersWaitingSheetsAndRestoresThemAsOneStep) {
    // An ended copy left a chipset sheet and a damaged charset file.
    const QString left = Root() + "/copy-ended";
    ASSERT_TRUE(QDir().mkpath(left));
    const Raster sheet = [] {
        Raster r(480, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 480; ++x) r.Set(x, y, Rgb(x, y, x ^ y));
        return r;
    }();
    ASSERT_EQ(DumpRaster(sheet, (left + "/chipset.png").toStdString()), "");
    QFile damaged(left + "/charset.png");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x89PNG\r\n\x1a\n not really");
    damaged.close();

    GuiSession s;
    Recovery r(*s.program, *s.window);
    QAction* recover = s.window->MenuAction("mnuRecover");
    ASSERT_TRUE(recover);
    EXPECT_TRUE(recover->isEnabled());
    EXPECT_TRUE(s.window->Status().Text().contains("Chipset target, Charset target"))
        << s.window->Status().Text().toStdString();
    const Raster blank = s.Form().Pic("CZ").View();

    s.program->SelectTab("Tab1", 2);  // the faceset page in front
    recover->trigger();
    EXPECT_EQ(s.Form().Pic("CZ").View(), sheet);
    EXPECT_EQ(&s.program->FrontPage(), &Chipset()) << "the recovered sheet comes to the front";
    EXPECT_TRUE(s.program->Modified(Chipset()));
    EXPECT_EQ(s.window->MenuAction("mnuUndo")->text(), "&Undo Recover");
    EXPECT_FALSE(recover->isEnabled());
    EXPECT_FALSE(QFile::exists(left + "/chipset.png"));
    EXPECT_TRUE(QFile::exists(left + "/charset.png")) << "an unreadable file must stay";
    EXPECT_TRUE(s.window->Status().Text().contains("charset.png"))
        << s.window->Status().Text().toStdString();

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
    EXPECT_TRUE(rb.Offer().Sheets().empty()) << "took the sheet of a copy still running";
    EXPECT_FALSE(b.window->MenuAction("mnuRecover")->isEnabled());
    Stamp(b, 160, 160);
    rb.Writer().WriteNow();
    EXPECT_NE(ra->Folder().Own(), rb.Folder().Own());
    EXPECT_EQ(ReadChipset(ra->Folder().FileFor(Chipset())), sheetA);

    // Once copy A has ended, a new start offers its sheet and only its.
    const QString fileA = ra->Folder().FileFor(Chipset());
    ra.reset();
    GuiSession c;
    Recovery rc(*c.program, *c.window);
    ASSERT_EQ(rc.Offer().Sheets().size(), 1u);
    EXPECT_EQ(rc.Offer().Sheets()[0].path, fileA);
}

// Run as a child by the next test: a copy that stamps, keeps its sheet and
// waits to be killed.
TEST_F(RecoveryTest, ChildStampsAndWaits) {
    if (qEnvironmentVariableIsEmpty("TW_RECOVERY_CHILD")) GTEST_SKIP() << "run by KilledCopy";
    // The parent's state folder, not the one this fixture made.
    qputenv("XDG_STATE_HOME", qgetenv("TW_RECOVERY_CHILD"));
    GuiSession s;
    Recovery r(*s.program, *s.window);
    Stamp(s, 48, 48);
    RunThrottle(r.Writer());
    std::fputs("written\n", stdout);
    std::fflush(stdout);
    for (int i = 0; i < 60; ++i) QThread::sleep(1);
    FAIL() << "never killed";
}

TEST_F(RecoveryTest, KilledCopyIsOfferedAtTheNextStart) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TW_RECOVERY_CHILD", state.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=RecoveryTest.ChildStampsAndWaits"});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    while (!said.contains("written")) {
        ASSERT_TRUE(child.waitForReadyRead(30000)) << "the child never wrote its sheet";
        said += child.readAllStandardOutput();
    }
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());

    GuiSession s;
    Recovery r(*s.program, *s.window);
    ASSERT_EQ(r.Offer().Sheets().size(), 1u);
    const std::optional<Raster> kept = ReadChipset(r.Offer().Sheets()[0].path);
    ASSERT_TRUE(kept);
    ASSERT_NE(*kept, s.Form().Pic("CZ").View()) << "the kept sheet holds no stamp";
    s.window->MenuAction("mnuRecover")->trigger();
    EXPECT_EQ(s.Form().Pic("CZ").View(), *kept);
}

}  // namespace
}  // namespace tw::test
