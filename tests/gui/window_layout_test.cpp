// The main window as the user first sees it: caption, size, tabs, menu, icon,
// and every control at its place.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>

#include "gui/window/form_builder.h"
#include "support/gui_session.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw::test {
namespace {

class WindowLayout : public ::testing::Test {
protected:
    QTemporaryDir temp;
    GuiSession s;
};

QStringList Captions(QTabBar* bar) {
    QStringList out;
    for (int i = 0; i < bar->count(); ++i) out << bar->tabText(i);
    return out;
}

// The window shows the model: its caption and client size, the tab captions
// with the first page in front, the menu items in order, and an icon.
TEST_F(WindowLayout, CaptionClientAreaTabsMenuAndIcon) {
    MainWindow& w = *s.window;
    EXPECT_EQ(w.windowTitle(), frmMain::kCaption);
    EXPECT_EQ(w.centralWidget()->size(), QSize(frmMain::kClientWidth, frmMain::kClientHeight));
    EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->height());
    EXPECT_EQ(w.minimumSize(), w.maximumSize());

    for (const char* tabs : {"Tab1", "Tab2"}) {
        QStringList model;
        for (const std::string& c : s.Form().Get<TabControl>(tabs).Captions())
            model << QString::fromStdString(c);
        EXPECT_EQ(Captions(w.Tabs(tabs)->TabBar()), model) << tabs;
        EXPECT_EQ(w.Tabs(tabs)->Current(), 0) << tabs;
    }
    EXPECT_TRUE(w.Widget("CQ")->isVisible());
    EXPECT_FALSE(w.Widget("RQ")->isVisible());

    const QList<QAction*> menus = w.menuBar()->actions();
    // File first, View last; menus of their own go in between.
    ASSERT_GE(menus.size(), 2);
    EXPECT_EQ(menus.front()->text(), "File");
    EXPECT_EQ(menus.back()->text(), "View");
    const auto texts = [](QMenu* m) {
        QStringList items;
        for (QAction* a : m->actions()) items << (a->isSeparator() ? "-" : a->text());
        return items;
    };
    EXPECT_EQ(texts(menus.front()->menu()),
              QStringList({"Open &Source...", "Open &Target...", "Recent &Files", "-", "&Save", "Save &As...",
                           "&Revert to Saved", "-", "&Exit", "-", "&About"}));
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[1]->text(), "Edit");
    EXPECT_EQ(texts(menus[1]->menu()),
              QStringList({"&Undo", "&Redo", "-", "Flip &Horizontal", "Flip &Vertical", "-", "&Copy",
                           "&Paste", "Reduce C&olours...", "Pick &Transparent Colour", "-",
                           "Recover Unsaved Sheets", "Discard Recovered Sheets"}));
    EXPECT_EQ(menus[2]->text(), "Animation");
    EXPECT_EQ(texts(menus[2]->menu()),
              QStringList({"Step &Forward", "Step &Back", "Step Source F&orward", "Step Source B&ack", "-",
                           "F&acing", "&Speed", "-", "O&nion Skin", "Preview Si&ze",
                           "Preview Bac&kground"}));
    EXPECT_EQ(texts(menus.back()->menu()),
              QStringList({"Zoom &In", "Zoom &Out", "&Actual Size", "-", "Show &Grid", "-",
                           "&Magnifier", "&Colours"}));

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

// Buttons, option buttons and indicators show the model's state at start
// and after the converter's state changed.
TEST_F(WindowLayout, ButtonsOptionsAndIndicatorsFollowTheModel) {
    MainWindow& w = *s.window;
    const auto expectInSync = [&] {
        for (const auto& c : s.Form().Controls()) {
            SCOPED_TRACE(c->Name());
            QWidget* widget = w.Widget(c->Name());
            if (c->Kind() == ControlKind::Button) {
                const auto& b = static_cast<const Button&>(*c);
                EXPECT_EQ(widget->isEnabled(), b.Enabled());
                EXPECT_EQ(widget->font().bold(), b.FontBold());
            } else if (c->Kind() == ControlKind::OptionButton) {
                EXPECT_EQ(widget->property("checked").toBool(),
                          static_cast<const OptionButton&>(*c).Value());
            } else if (c->Kind() == ControlKind::Label) {
                const QColor expected =
                    static_cast<const Label&>(*c).BackColor() == frmMain::kRed ? QColor(Qt::red)
                                                                               : QColor(Qt::white);
                EXPECT_EQ(widget->palette().color(QPalette::Window), expected);
            }
        }
    };
    expectInSync();
    EXPECT_FALSE(w.Widget("cmdChange")->isEnabled());
    s.dialog.QueueFile(WritePattern(temp, "old.png", 256, 1024, 3));
    s.Click("CLoadQr");
    s.Click("cmdChange");
    s.Click("optModRPG2K");
    s.Click("cmdCompleteSet");
    EXPECT_TRUE(w.Widget("s2")->palette().color(QPalette::Window) == QColor(Qt::red));
    EXPECT_TRUE(w.Widget("optModRPG2K")->property("checked").toBool());
    EXPECT_TRUE(w.Widget("cmdCompleteSet")->font().bold());
    expectInSync();
}

}  // namespace
}  // namespace tw::test
