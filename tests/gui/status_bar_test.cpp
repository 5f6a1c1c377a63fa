// The status bar under the client area, the tooltips, and the extension a
// save name takes from the chosen filter.

#include <gtest/gtest.h>

#include <QEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "support/gui_session.h"
#include "support/scratch_dir.h"

namespace tw::test {
namespace {

TEST(StatusBar, SitsBelowTheClientAreaAndTellsWhatHappened) {
    QTemporaryDir temp;
    GuiSession s;
    MainWindow& w = *s.window;
    QStatusBar* bar = w.Status().Bar();
    ASSERT_TRUE(bar->isVisible());
    // The client area keeps its size and place; the window grew by the bar.
    EXPECT_EQ(w.centralWidget()->geometry(),
              QRect(0, w.menuBar()->height(), frmMain::kClientWidth, frmMain::kClientHeight));
    EXPECT_EQ(bar->y(), w.centralWidget()->geometry().bottom() + 1);
    EXPECT_EQ(w.height(), w.menuBar()->height() + frmMain::kClientHeight + bar->height());
    EXPECT_EQ(w.width(), frmMain::kClientWidth);
    const QSize size = w.size();

    const std::string notes = temp.filePath("notes.png").toStdString();
    WriteBytes(notes, {'t', 'e', 'x', 't', '\n'});
    s.dialog.QueueFile(notes);
    s.Click("LoadZChip");
    EXPECT_TRUE(w.Status().Text().startsWith("not a PNG file: could not load notes.png\n"))
        << w.Status().Text().toStdString();

    // The pointer part follows the pointer over a surface and goes when it leaves.
    s.Move("CQ", 40, 20);
    EXPECT_TRUE(w.Status().Text().contains("Chipset source: pixel 40, 20, cell 2, 1"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.Surface("CQ"), &leave);
    EXPECT_FALSE(w.Status().Text().contains("Chipset source"));
    EXPECT_TRUE(w.Status().Text().contains("Chipset 480 x 256"));

    // A long text never widens the window.
    s.dialog.QueueFile(std::string(400, 'x') + ".png");
    s.Click("LoadZChip");
    EXPECT_EQ(w.size(), size);
}

TEST(StatusBar, TooltipsExplainTheSurfacesAndTheGermanTabs) {
    GuiSession s;
    MainWindow& w = *s.window;
    EXPECT_TRUE(w.Surface("CQ")->toolTip().contains("Left click: pick this cell"));
    EXPECT_TRUE(w.Surface("RZ")->toolTip().contains("Left click: stamp"));
    EXPECT_TRUE(w.Surface("RZ")->toolTip().startsWith("Charset target"));
    QTabBar* tabs = w.Tabs("Tab2")->TabBar();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_TRUE(tabs->tabToolTip(0).startsWith("Source picture"));
    EXPECT_TRUE(tabs->tabToolTip(1).startsWith("Target picture"));
}

TEST(StatusBar, ASaveNameWithoutExtensionTakesTheFilters) {
    struct Case {
        const char* name;
        const char* filter;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/a/chipset", "PNG (*.png *.PNG)", "/home/a/chipset.png"},
        {"/home/a/chipset", "BMP (*.bmp *.BMP)", "/home/a/chipset.bmp"},
        {"/home/a/chipset.gif", "PNG (*.png *.PNG)", "/home/a/chipset.gif"},  // typed: kept
        {"/home/a/chip.set", "PNG (*.png *.PNG)", "/home/a/chip.set"},
        {"/home/a.b/chipset", "TIF (*.tif *.TIF)", "/home/a.b/chipset.tif"},   // a dot in the folder
        {"/home/a/.chipset", "GIF (*.gif *.GIF)", "/home/a/.chipset.gif"},     // a hidden name
        {"/home/a/chipset", "All files (*)", "/home/a/chipset"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtFileDialog::WithFilterExtension(c.name, c.filter).toStdString(), c.expected)
            << c.name << " / " << c.filter;
    // Every filter the save dialog offers gives its own extension.
    for (const QString& filter : QtFileDialog::NameFilters(modTWFunc::kSaveFilter))
        EXPECT_EQ(QtFileDialog::WithFilterExtension("x", filter), "x." + filter.left(3).toLower());
}

}  // namespace
}  // namespace tw::test
