// The menu: "&Exit" ends at once, "&About" shows the About window, which a
// click on its picture or notice line (or its close box) closes.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "support/gui_session.h"

namespace tw::test {
namespace {

class MenuAbout : public ::testing::Test {
protected:
    QTemporaryDir temp;
    GuiSession s;
};

TEST_F(MenuAbout, ExitClosesTheWindowWithoutAsking) {
    s.dialog.QueueFile(WritePattern(temp, "chip.png", 480, 256, 2));
    s.Click("LoadZChip");
    s.window->MenuAction("mnuBeenden")->trigger();
    EXPECT_TRUE(s.Form().Unloaded);
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_EQ(s.dialog.Requests(), 1);  // no save dialog, no question
}

TEST_F(MenuAbout, AboutOpensAndEachWayOfClosingWorks) {
    struct Case {
        const char* how;
        std::function<void(AboutDialog&)> close;
    } cases[] = {
        {"picture",
         [](AboutDialog& d) {
             QTest::mouseClick(d.Item("Image1"), Qt::LeftButton, {}, QPoint(200, 300));
         }},
        {"notice", [](AboutDialog& d) { QTest::mouseClick(d.Item("Label2"), Qt::LeftButton); }},
        {"close box", [](AboutDialog& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        int shown = 0;
        bool wasVisible = false, closed = false;
        s.about.SetShownHook([&](AboutDialog& d) {
            ++shown;
            EXPECT_EQ(d.windowTitle(), "Info zum Tilewright (V 2.5)");
            EXPECT_EQ(d.size(), QSize(480, 355));
            EXPECT_EQ(d.Item("Image1")->geometry(), QRect(0, 0, 480, 329));
            EXPECT_EQ(d.Item("lblReleaseDate")->toolTip(), "Release Date: 08-June-2003");
            // A click on the transparent hot spot does nothing.
            QTest::mouseClick(d.Item("lblReleaseDate"), Qt::LeftButton);
            wasVisible = d.isVisible();
            c.close(d);
            closed = !d.isVisible();
        });
        s.window->MenuAction("mnuInfo")->trigger();
        EXPECT_EQ(shown, 1);
        EXPECT_TRUE(wasVisible);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(s.window->isVisible());
    }
}

TEST_F(MenuAbout, PreviewTimersRunWhileTheModelSaysPlay) {
    s.dialog.QueueFile(WritePattern(temp, "chars.png", 288, 256, 3));
    s.Click("LoadQChar");
    QTimer* timer = s.window->TimerOf("tmrCharQAni");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    s.Click("optRplay");
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 300);
    EXPECT_TRUE(s.window->Widget("optRplay")->property("checked").toBool());
    EXPECT_FALSE(s.window->Widget("optRStop")->property("checked").toBool());
    // A real timeout draws the next frame into the view.
    const uint64_t before = s.Form().Img("imgQAni").Version();
    for (int i = 0; i < 40 && s.Form().Img("imgQAni").Version() == before; ++i) QTest::qWait(50);
    EXPECT_NE(s.Form().Img("imgQAni").Version(), before);
    EXPECT_FALSE(s.ViewImage("imgQAni").isNull());
    // Clicking the selected option again keeps it selected: the model decides.
    s.Click("optRplay");
    EXPECT_TRUE(s.window->Widget("optRplay")->property("checked").toBool());
    s.Click("optRStop");
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(s.ViewImage("imgQAni").isNull());
}

}  // namespace
}  // namespace tw::test
