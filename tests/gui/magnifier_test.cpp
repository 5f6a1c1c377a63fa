// The magnifier: opened from the View menu beside the main window, it shows
// the cells under the pointer enlarged with the page's grid and the cell
// marked, shows over a target what a stamp would put there, and keeps its
// place and size between runs.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

#include "gui/magnifier/magnifier_picture.h"
#include "gui/magnifier/magnifier_window.h"
#include "support/gui_session.h"

namespace tw::test {
namespace {

class Magnifier : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "tilewright", "tilewright").clear();
        s.dialog.QueueFile(WritePattern(temp, "chip.png", 480, 256, 1));
        s.Click("LoadQChip");
        s.window->MenuAction("mnuMagnifier")->trigger();
    }
    void TearDown() override {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "tilewright", "tilewright").clear();
    }
    MagnifierWindow& M() { return s.window->Magnifier(); }
    // Checks the picture against `sheet` at every screen pixel that lies well
    // inside a sheet pixel, away from the cell's edge and the grid lines.
    void ExpectShows(const QImage& sheet, QPoint pointer, QRect cell, int factor) {
        const QImage pic = M().Picture();
        const QPoint origin = MagnifierOrigin(pointer, factor, pic.size());
        int wrong = 0, checked = 0;
        for (int y = factor / 2; y < pic.height(); y += factor)
            for (int x = factor / 2; x < pic.width(); x += factor) {
                const QPoint p = origin + QPoint(x / factor, y / factor);
                if (!sheet.rect().contains(p)) continue;
                const QRect inner = cell.adjusted(1, 1, -1, -1);
                if (cell.contains(p) && !inner.contains(p)) continue;
                ++checked;
                wrong += pic.pixel(x, y) != sheet.pixel(p);
            }
        EXPECT_GT(checked, 100);
        EXPECT_EQ(wrong, 0);
        // The cell's top left screen pixel carries the yellow mark.
        const QPoint mark = (cell.topLeft() - origin) * factor;
        if (pic.rect().contains(mark)) {
            EXPECT_EQ(pic.pixel(mark), qRgb(255, 255, 0));
        }
    }
    QTemporaryDir temp;
    GuiSession s;
};

TEST_F(Magnifier, OpensBesideTheWindowAndFollowsThePointer) {
    ASSERT_TRUE(M().isVisible());
    EXPECT_TRUE(s.window->MenuAction("mnuMagnifier")->isChecked());
    EXPECT_EQ(s.window->MenuAction("mnuMagnifier")->shortcut(), QKeySequence(Qt::Key_F2));
    const QRect avail = s.window->screen()->availableGeometry();
    if (avail.width() >= 1920) {
        EXPECT_TRUE(avail.contains(M().frameGeometry()));
        EXPECT_FALSE(M().frameGeometry().intersects(s.window->frameGeometry()));
    }
    const QImage sheet = Pattern(480, 256, 1);
    EXPECT_EQ(M().Factor(), 8);
    s.Move("CQ", 111, 63);
    ExpectShows(sheet, {111, 63}, {96, 48, 16, 16}, 8);
    // A grid line runs along the cell's left edge inside the cell (x = 96).
    const QImage pic = M().Picture();
    const QPoint origin = MagnifierOrigin({111, 63}, 8, pic.size());
    const QPoint line((96 - origin.x()) * 8, (56 - origin.y()) * 8 + 4);
    EXPECT_NE(pic.pixel(line + QPoint(0, 16)), sheet.pixel(96, 58));

    M().findChild<QCheckBox*>("magnifier8x")->click();
    EXPECT_EQ(M().Factor(), 4);
    ExpectShows(sheet, {111, 63}, {96, 48, 16, 16}, 4);

    // It stays open on another page and shows that page's surfaces.
    s.dialog.QueueFile(WritePattern(temp, "char.png", 288, 256, 2));
    s.Click("LoadQChar");
    s.Move("RQ", 30, 40);
    EXPECT_TRUE(M().isVisible());
    ExpectShows(ToImage(s.Form().Pic("RQ").View()), {30, 40}, {24, 32, 24, 32}, 4);
}

// Over a target it shows what a left click would stamp, where the stamp
// lands: a picked cell on the chipset, and on the converter in 1:2 mode a
// 48 x 32 block as the 24 x 16 block of ANDed 2 x 2 pixels.
TEST_F(Magnifier, OverTheTargetShowsWhatAStampWouldPut) {
    struct Case {
        const char *source, *target;
        std::function<void()> pick;
        QPoint pointer;  // over the target
        QRect cell;      // where the stamp lands
        QPoint from;     // the picked pixels' corner on the source
        int d;           // source pixels to a sheet pixel, each way
    };
    const Case cases[] = {
        {"CQ", "CZ",
         [&] {
             s.Press("CQ", Qt::LeftButton, 100, 60);
             s.Release("CQ", Qt::LeftButton, 100, 60);
         },
         {40, 24}, {32, 16, 16, 16}, {96, 48}, 1},
        {"OQ", "OZ",
         [&] {
             s.dialog.QueueFile(WritePattern(temp, "old.png", 256, 1024, 3));
             s.Click("CLoadQr");
             s.Click("optModRPG2K");
             s.Press("OQ", Qt::LeftButton, 4, 4, Qt::ShiftModifier);
             s.Move("OQ", 36, 20, Qt::LeftButton);
             s.Release("OQ", Qt::LeftButton, 36, 20);
         },
         {44, 28}, {40, 24, 24, 16}, {0, 0}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        c.pick();
        const QImage source = ToImage(s.Form().Pic(c.source).View());
        const QImage target = ToImage(s.Form().Pic(c.target).View());
        s.Move(c.target, c.pointer.x(), c.pointer.y());
        QImage expected = target;
        for (int y = 0; y < c.cell.height(); ++y)
            for (int x = 0; x < c.cell.width(); ++x) {
                QRgb p = 0xFFFFFFFFu;
                for (int j = 0; j < c.d; ++j)
                    for (int i = 0; i < c.d; ++i)
                        p &= source.pixel(c.from + QPoint(c.d * x + i, c.d * y + j));
                expected.setPixel(c.cell.topLeft() + QPoint(x, y), p);
            }
        ExpectShows(expected, c.pointer, c.cell, 8);
        // Only shown: the target is unchanged until the click places just that.
        EXPECT_EQ(ToImage(s.Form().Pic(c.target).View()), target);
        s.Press(c.target, Qt::LeftButton, c.pointer.x(), c.pointer.y());
        EXPECT_EQ(ToImage(s.Form().Pic(c.target).View()), expected);
    }
}

TEST_F(Magnifier, KeepsItsPlaceAndSizeBetweenRuns) {
    M().resize(300, 220);
    M().move(40, 50);
    const QRect placed = M().geometry();
    s.window->MenuAction("mnuMagnifier")->trigger();  // closes it
    EXPECT_FALSE(M().isVisible());
    GuiSession next;
    next.window->MenuAction("mnuMagnifier")->trigger();
    EXPECT_EQ(next.window->Magnifier().geometry(), placed);
}

}  // namespace
}  // namespace tw::test
