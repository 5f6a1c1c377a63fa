// A file dropped on a source or target surface loads as that surface's load
// button does; anything but a local file is ignored.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "editors/page_table.h"
#include "support/gui_session.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw::test {
namespace {

// Sends the drag-enter and drop a file manager would; true when accepted.
bool Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// Every surface and image view of two programs hold the same pixels.
void ExpectSameScreens(GuiSession& a, GuiSession& b) {
    for (const auto& c : a.Form().Controls()) {
        SCOPED_TRACE(c->Name());
        if (c->Kind() == ControlKind::PictureBox) {
            EXPECT_EQ(ToImage(a.Form().Pic(c->Name()).View()),
                      ToImage(b.Form().Pic(c->Name()).View()));
        } else if (c->Kind() == ControlKind::Image) {
            EXPECT_EQ(a.ViewImage(c->Name()), b.ViewImage(c->Name()));
        } else if (c->Kind() == ControlKind::Label) {
            EXPECT_EQ(a.Form().Lbl(c->Name()).BackColor(), b.Form().Lbl(c->Name()).BackColor());
        }
    }
}

TEST(DropOnSurface, EqualsTheLoadButtonOnEveryPage) {
    struct Case {
        const char *surface, *button;
        int w, h;
    };
    std::vector<Case> cases;
    for (const PageInfo& p : Pages()) {
        const Size source = p.letter == 'O' ? Size{256, 1024} : p.sheet;
        cases.push_back({p.source.surface, p.source.loadButton, source.w, source.h});
        cases.push_back({p.target.surface, p.target.loadButton, p.sheet.w, p.sheet.h});
    }
    QTemporaryDir temp;
    GuiSession dropped, loaded;
    int seed = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.surface);
        const std::string file =
            WritePattern(temp, std::string(c.surface) + ".png", c.w, c.h, ++seed);
        dropped.ShowPageOf(c.surface);
        EXPECT_TRUE(Drop(dropped.window->Surface(c.surface),
                         {QUrl::fromLocalFile(QString::fromStdString(file))}));
        loaded.dialog.QueueFile(file);
        loaded.Click(c.button);
        // The surface shows the file's top-left corner.
        const QImage shown = ToImage(dropped.Form().Pic(c.surface).View());
        EXPECT_EQ(shown, Pattern(c.w, c.h, seed).copy(0, 0, shown.width(), shown.height()));
        EXPECT_FALSE(dropped.dialog.HasQueued());
    }
    EXPECT_EQ(dropped.dialog.Requests(), 12);
    ExpectSameScreens(dropped, loaded);
}

TEST(DropOnSurface, IgnoresWhatIsNotALocalFileAndUsesOnlyTheFirst) {
    QTemporaryDir temp;
    GuiSession s;
    const std::string first = WritePattern(temp, "first.png", 480, 256, 5);
    const std::string second = WritePattern(temp, "second.png", 480, 256, 6);
    const uint64_t before = s.Form().Pic("CQ").Version();
    SurfaceWidget* cq = s.window->Surface("CQ");
    EXPECT_FALSE(Drop(cq, {QUrl("https://example.com/chip.png")}));
    EXPECT_FALSE(Drop(cq, {QUrl("https://example.com/chip.png"),
                           QUrl::fromLocalFile(QString::fromStdString(first))}));
    EXPECT_EQ(s.Form().Pic("CQ").Version(), before);
    EXPECT_EQ(s.dialog.Requests(), 0);
    // An image view takes no drops.
    EXPECT_FALSE(
        Drop(s.window->Widget("imgC1"), {QUrl::fromLocalFile(QString::fromStdString(first))}));

    EXPECT_TRUE(Drop(cq, {QUrl::fromLocalFile(QString::fromStdString(first)),
                          QUrl::fromLocalFile(QString::fromStdString(second))}));
    EXPECT_EQ(ToImage(s.Form().Pic("CQ").View()), Pattern(480, 256, 5));
    EXPECT_EQ(s.dialog.Requests(), 1);
}

}  // namespace
}  // namespace tw::test
