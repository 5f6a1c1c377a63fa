// The main window as the user first sees it: caption, size, tabs, menu, icon,
// and every control at its place.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>

#include "gui/form_builder.h"
#include "gui_session.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw::test {
namespace {

class WindowLayout : public ::testing::Test {
protected:
    GuiSession s;
};

QStringList Captions(QTabBar* bar) {
    QStringList out;
    for (int i = 0; i < bar->count(); ++i) out << bar->tabText(i);
    return out;
}

TEST_F(WindowLayout, CaptionClientAreaTabsMenuAndIcon) {
    MainWindow& w = *s.window;
    EXPECT_EQ(w.windowTitle(), "Ravelins RPG2K Tilewright (Version 2.5)");
    EXPECT_EQ(w.centralWidget()->size(), QSize(689, 577));
    EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->height());
    EXPECT_EQ(w.size(), QSize(689, 577 + w.menuBar()->height()));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());

    EXPECT_EQ(Captions(w.Tabs("Tab1")->TabBar()),
              QStringList({"Chip Sets", "Char Sets", "Face Sets", "System Sets",
                           "Battle Animation Sets", "RPG95 zu RPG2K (Chip)"}));
    EXPECT_EQ(Captions(w.Tabs("Tab2")->TabBar()), QStringList({"Quellbild", "Zielbild"}));
    EXPECT_EQ(w.Tabs("Tab1")->Current(), 0);
    EXPECT_EQ(w.Tabs("Tab2")->Current(), 0);
    EXPECT_TRUE(w.Widget("CQ")->isVisible());
    EXPECT_FALSE(w.Widget("RQ")->isVisible());

    const QList<QAction*> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "File");
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&Exit");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "&About");

    const QList<QSize> sizes = w.windowIcon().availableSizes();
    for (int side : {16, 32, 48}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

// Every control with a widget sits at its model position, in pixels rounded
// to the nearest, inside the widget of its container (for a tab control: the
// page it belongs to, which covers the whole control).
TEST_F(WindowLayout, EveryControlSitsAtItsModelPosition) {
    MainWindow& w = *s.window;
    int checked = 0;
    for (const auto& c : s.Form().Controls()) {
        const ControlKind k = c->Kind();
        if (k == ControlKind::Shape || k == ControlKind::Timer || k == ControlKind::CommonDialog ||
            k == ControlKind::MenuItem)
            continue;
        SCOPED_TRACE(c->Name());
        QWidget* widget = w.Widget(c->Name());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), PixelRect(c->Place()));
        const Control* container = s.Form().Find(c->Container());
        QWidget* expectedParent = !container ? w.centralWidget()
                                  : container->Kind() == ControlKind::TabControl
                                      ? w.Tabs(container->Name())->Page(c->TabPage)
                                      : w.Widget(container->Name());
        EXPECT_EQ(widget->parentWidget(), expectedParent);
        if (container && container->Kind() == ControlKind::TabControl) {
            EXPECT_EQ(widget->mapTo(w.Tabs(container->Name()), QPoint(0, 0)),
                      PixelRect(c->Place()).topLeft());
        }
        // Buffers serve the editing only; everything else is on its page.
        const bool buffer = k == ControlKind::PictureBox &&
                            static_cast<const tw::Surface&>(*c).Border() == BorderStyle::Raised2;
        EXPECT_EQ(widget->isHidden(), buffer);
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

TEST_F(WindowLayout, StartStateOfButtonsOptionsAndIndicators) {
    MainWindow& w = *s.window;
    EXPECT_FALSE(w.Widget("cmdChange")->isEnabled());
    EXPECT_TRUE(w.Widget("CLoadQr")->isEnabled());
    for (const char* on : {"optRStop", "optZstop", "optQBStop", "optZBStop", "optModOneToOne"})
        EXPECT_TRUE(w.Widget(on)->property("checked").toBool()) << on;
    for (const char* off : {"optRplay", "optZplay", "optQBplay", "optZBplay", "optModRPG2K"})
        EXPECT_FALSE(w.Widget(off)->property("checked").toBool()) << off;
    for (const char* s4 : {"s1", "s2", "s3", "s4"})
        EXPECT_EQ(w.Widget(s4)->palette().color(QPalette::Window), QColor(Qt::white)) << s4;
}

TEST(FileDialogFilters, PatternsListBothCases) {
    EXPECT_EQ(
        QtFileDialog::NameFilters(modTWFunc::kOpenFilter),
        QStringList({"Image Files (*.bmp *.BMP *.gif *.GIF *.jpg *.JPG *.png *.PNG *.tif *.TIF)",
                     "All files (*)"}));
    EXPECT_EQ(QtFileDialog::NameFilters(modTWFunc::kSaveFilter),
              QStringList({"BMP (*.bmp *.BMP)", "GIF (*.gif *.GIF)", "JPG (*.jpg *.JPG)",
                           "PNG (*.png *.PNG)", "TIF (*.tif *.TIF)"}));
}

}  // namespace
}  // namespace tw::test
