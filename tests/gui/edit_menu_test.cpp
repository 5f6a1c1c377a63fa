// The Edit menu in the window: Ctrl+Z undoes the page in front, Ctrl+Y and
// Ctrl+Shift+Z redo, the actions name their step and are disabled while
// there is none, and a tab change brings the other page's history up.

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include "support/gui_session.h"

namespace tw::test {
namespace {

TEST(EditMenu, ShortcutsUndoAndRedoThePageInFront) {
    QTemporaryDir temp;
    GuiSession s;
    QAction* undo = s.window->MenuAction("mnuUndo");
    QAction* redo = s.window->MenuAction("mnuRedo");
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo");

    s.dialog.QueueFile(WritePattern(temp, "src.png", 480, 256, 3));
    s.Click("LoadQChip");
    s.Press("CQ", Qt::LeftButton, 40, 40);
    const Raster blank = s.Form().Pic("CZ").View();
    s.Press("CZ", Qt::LeftButton, 64, 64);
    const Raster stamped = s.Form().Pic("CZ").View();
    ASSERT_NE(stamped, blank);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo Stamp");

    struct Case {
        QKeySequence keys;
        const Raster& expected;
        const char* undoText;
        const char* redoText;
    } cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), blank, "&Undo", "&Redo Stamp"},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), stamped, "&Undo Stamp", "&Redo"},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), blank, "&Undo", "&Redo Stamp"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), stamped, "&Undo Stamp", "&Redo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.toString().toStdString());
        QTest::keySequence(s.window.get(), c.keys);
        EXPECT_EQ(s.Form().Pic("CZ").View(), c.expected);
        EXPECT_EQ(undo->text(), c.undoText);
        EXPECT_EQ(redo->text(), c.redoText);
        EXPECT_EQ(undo->isEnabled(), std::string(c.undoText) != "&Undo");
        EXPECT_EQ(redo->isEnabled(), std::string(c.redoText) != "&Redo");
    }

    // The faceset page in front has nothing to undo; Ctrl+Z leaves the chipset alone.
    s.ShowPageOf("FZ");
    EXPECT_FALSE(undo->isEnabled());
    QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(s.Form().Pic("CZ").View(), stamped);
    s.ShowPageOf("CZ");
    EXPECT_TRUE(undo->isEnabled());
}

}  // namespace
}  // namespace tw::test
