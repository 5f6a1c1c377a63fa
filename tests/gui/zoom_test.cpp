// The whole window zoomed: controls scaled exactly, presses on every surface
// landing on the same sheet pixel as at 1x (also on a cell's last screen
// pixel), sheet pixels shown as exact squares, shortcuts reaching the window,
// and the factor kept between runs. Factors above what the screen holds are
// skipped; the "gui_zoom" test run gives the window a screen large enough.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QMenuBar>
#include <QStatusBar>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "editors/page_table.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/magnifier/view_prefs.h"
#include "support/gui_session.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw::test {
namespace {

class Zoom : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "tilewright", "tilewright").clear();
        s.dialog.QueueFile(WritePattern(temp, "chip.png", 480, 256, 1));
        s.Click("LoadQChip");
        if (s.window->Zoom().FitFactor() < GetParam())
            GTEST_SKIP() << "the screen is too small for " << GetParam() << "x";
        ASSERT_EQ(s.window->Zoom().SetFactor(GetParam()), GetParam());
    }
    void TearDown() override {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "tilewright", "tilewright").clear();
    }
    int F() const { return GetParam(); }
    // What receives the pointer: the view when zoomed, else the client itself.
    QWidget* Screen() const {
        QGraphicsView* v = s.window->Zoom().View();
        return v ? v->viewport() : s.window->centralWidget();
    }
    // The screen pixel in Screen() of the last screen pixel of sheet pixel (x, y).
    QPoint LastScreenPixel(const std::string& surface, int x, int y) const {
        const QPoint client =
            s.window->Surface(surface)->mapTo(s.window->Zoom().Client(), QPoint(1 + x, 1 + y));
        return client * F() + QPoint(F() - 1, F() - 1);
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons held) {
        // At 1x the event goes to the widget under the point, as the window system would send it.
        QWidget* w = Screen();
        if (!s.window->Zoom().View()) {
            QWidget* child = w->childAt(at);
            at = child->mapFrom(w, at);
            w = child;
        }
        QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), b, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    QTemporaryDir temp;
    GuiSession s;
};

TEST_P(Zoom, ControlsScaleExactly) {
    MainWindow& w = *s.window;
    const QWidget* central = w.centralWidget();
    EXPECT_EQ(central->size(), QSize(689, 577) * F());
    // The menu bar and the status bar keep their size: they lie outside the
    // scaled client.
    EXPECT_EQ(w.size(),
              QSize(689 * F(), 577 * F() + w.menuBar()->height() + w.statusBar()->height()));
    EXPECT_EQ(central->y(), w.menuBar()->height());
    EXPECT_LT(w.menuBar()->height(), 40);
    // The surface is where the model places it, times the factor.
    const QPoint cq = w.Surface("CQ")->mapTo(w.Zoom().Client(), QPoint(0, 0));
    QPoint at = cq * F();
    if (F() > 1) at = w.Zoom().View()->mapFromScene(QPointF(cq));
    EXPECT_EQ(at, cq * F());
}

TEST_P(Zoom, PressesAndMovesLandOnTheSheetPixelUnderThePointer) {
    struct Point {
        int x, y;
    } const points[] = {{111, 63}, {100, 40}, {127, 79}, {97, 20}};  // within the smallest surface
    for (const PageInfo& page : Pages())
    for (const Side side : {Side::Source, Side::Target}) {
        const PageSide c = page.Of(side);
        const int tab2 = side == Side::Source ? page.sourceTab : page.targetTab;
        s.window->TabChanged("Tab1", page.tab);
        s.window->TabChanged("Tab2", std::max(tab2, 0));
        const Outline& o = s.Form().Shape(c.outline);
        for (const Point& p : points) {
            SCOPED_TRACE(testing::Message() << c.surface << " " << p.x << "," << p.y);
            // The model's own answer at 1x, then the outline is moved away.
            s.program->MouseDown(c.surface, 2, 0, p.x, p.y);
            const QPoint expected(o.Left(), o.Top());
            s.program->MouseDown(c.surface, 2, 0, 0, 0);
            ASSERT_NE(QPoint(o.Left(), o.Top()), expected);
            const QPoint at = LastScreenPixel(c.surface, p.x, p.y);
            Mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
            Mouse(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
            EXPECT_EQ(QPoint(o.Left(), o.Top()), expected);
            s.program->MouseDown(c.surface, 2, 0, 0, 0);
            Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
            EXPECT_EQ(QPoint(o.Left(), o.Top()), expected);
        }
    }
    // A left press picks the cell under the pointer.
    s.window->TabChanged("Tab1", 0);
    const QPoint at = LastScreenPixel("CQ", 111, 63);
    Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ToImage(s.Form().Pic("picCsel").View()), Pattern(480, 256, 1).copy(96, 48, 16, 16));
}

TEST_P(Zoom, SheetPixelsAreExactSquaresAndOutlinesGetADarkEdge) {
    s.window->MouseMove("CQ", 0, 0, 200, 100);  // Csel at (192, 96)
    QApplication::processEvents();
    const QPoint origin = LastScreenPixel("CQ", 0, 0) - QPoint(F() - 1, F() - 1);
    const QImage shot = Screen()->grab(QRect(origin, QSize(480, 256) * F())).toImage();
    ASSERT_EQ(shot.size(), QSize(480, 256) * F());
    if (const QByteArray dir = qgetenv("TW_ZOOM_SHOTS"); !dir.isEmpty())
        Screen()->grab().save(QString("%1/zoom-%2x.png").arg(QString::fromLocal8Bit(dir)).arg(F()));
    const QImage pattern = Pattern(480, 256, 1);
    int wrong = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint p(x / F(), y / F());
            if (QRect(191, 95, 18, 18).contains(p)) continue;  // the outline and its edge
            wrong += shot.pixel(x, y) != pattern.pixel(p);
        }
    EXPECT_EQ(wrong, 0);
    // Just outside the outline's top left corner: black from 2x on, the sheet at 1x.
    const QRgb outside = shot.pixel(192 * F() - 1, 100 * F());
    EXPECT_EQ(outside, F() >= 2 ? qRgb(0, 0, 0) : pattern.pixel(191, 100));
    EXPECT_EQ(shot.pixel(192 * F(), 100 * F()), qRgb(255, 255, 0));
    EXPECT_EQ(shot.pixel(192 * F() - 2, 100 * F()), pattern.pixel((192 * F() - 2) / F(), 100));
}

TEST_P(Zoom, ShortcutsReachTheZoomedWindowAndTheFactorIsKept) {
    MainWindow& w = *s.window;
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_0,
                    Qt::ControlModifier);
    EXPECT_EQ(w.Zoom().Factor(), 1);
    EXPECT_EQ(SavedZoom(), 1);
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal}) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, key,
                        Qt::ControlModifier);
        if (w.Zoom().FitFactor() >= 2) {
            EXPECT_GE(w.Zoom().Factor(), 2);
        }
    }
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_Minus,
                    Qt::ControlModifier);
    const int kept = w.Zoom().Factor();
    EXPECT_EQ(SavedZoom(), kept);
    EXPECT_EQ(w.centralWidget()->size(), QSize(689, 577) * kept);
    // Never beyond what the screen holds.
    for (int i = 0; i < 6; ++i) w.MenuAction("mnuZoomIn")->trigger();
    EXPECT_EQ(w.Zoom().Factor(), w.Zoom().FitFactor());
    EXPECT_LE(w.frameGeometry().width(), w.screen()->availableGeometry().width());
    EXPECT_LE(w.frameGeometry().height(), w.screen()->availableGeometry().height());
}

INSTANTIATE_TEST_SUITE_P(Factors, Zoom, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

}  // namespace
}  // namespace tw::test
