// The Edit menu in the window: Ctrl+Z undoes the page in front, Ctrl+Y and
// Ctrl+Shift+Z redo, the actions name their step and are disabled while
// there is none, and a tab change brings the other page's history up. The
// colour items: Pick Transparent Colour takes the next click on the target,
// Reduce Colours asks for the number and is one step.

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

TEST(EditMenu, PickTransparentTakesTheNextClickAndReduceIsOneStep) {
    QTemporaryDir temp;
    GuiSession s;
    s.dialog.QueueFile(WritePattern(temp, "src.png", 480, 256, 3));
    s.Click("LoadQChip");
    s.Press("CQ", Qt::LeftButton, 40, 40);
    s.Press("CZ", Qt::LeftButton, 64, 64);
    const Raster stamped = s.Form().Pic("CZ").View();
    const Pixel under = stamped.At(70, 70);

    QAction* pick = s.window->MenuAction("mnuPickTransparent");
    ASSERT_TRUE(pick);
    pick->trigger();
    EXPECT_TRUE(pick->isChecked());
    s.Press("CZ", Qt::LeftButton, 70, 70);
    EXPECT_FALSE(pick->isChecked());
    EXPECT_EQ(s.Form().Pic("CZ").View(), stamped);  // taken, not stamped
    EXPECT_EQ(s.window->MenuAction("mnuUndo")->text(), "&Undo Transparent Colour");
    EXPECT_NE(s.program->ColoursLine().find("transparent=" + HexColour(under) + " from=chosen"),
              std::string::npos);

    // The spin box's answer; a cancel changes nothing.
    std::optional<int> answer;
    s.program->AskColourCount([&answer] { return answer; });
    s.window->MenuAction("mnuReduceColours")->trigger();
    EXPECT_EQ(s.Form().Pic("CZ").View(), stamped);
    answer = 2;
    s.window->MenuAction("mnuReduceColours")->trigger();
    EXPECT_NE(s.Form().Pic("CZ").View(), stamped);
    EXPECT_EQ(s.window->MenuAction("mnuUndo")->text(), "&Undo Reduce Colours");
    QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(s.Form().Pic("CZ").View(), stamped);
}

}  // namespace
}  // namespace tw::test
