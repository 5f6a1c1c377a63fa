// What the window draws to help and nothing else does: the onion skin over
// the outlined frame, the enlarged previews over the game's ground, the grid
// on the panes, and a Zoom In that says which screen it needs.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <cmath>
#include <vector>

#include "editors/preview_ground.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/magnifier/view_prefs.h"
#include "gui/preview/preview_window.h"
#include "gui/window/window_status.h"
#include "platform/controls.h"
#include "support/gui_session.h"

namespace tw::test {
namespace {

const QRgb kGround = qRgb(0, 128, 0);

// Frames on the transparent colour: each frame's inner part is noise, its
// rim the colour the sheet's top left pixel holds.
QImage Figures(int w, int h, int frameW, int frameH, int rim) {
    QImage sheet = Pattern(w, h, 7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x % frameW < rim || x % frameW >= frameW - rim || y % frameH < rim ||
                y % frameH >= frameH - rim)
                sheet.setPixel(x, y, kGround);
    return sheet;
}

class DrawingAids : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "tilewright", "tilewright").clear();
    }
    void LoadTarget(const char* button, const QImage& sheet) {
        const QString path = temp.filePath(QString(button) + ".png");
        ASSERT_TRUE(sheet.save(path, "PNG"));
        s.dialog.QueueFile(path.toStdString());
        s.window->Click(button);
    }
    // What the pane shows, in the surface's client pixels.
    QImage Pane(const char* surface) {
        SurfaceWidget* w = s.window->Surface(surface);
        return w->grab(w->rect().adjusted(1, 1, -1, -1))
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QTemporaryDir temp;
    GuiSession s;
};

TEST_F(DrawingAids, OnionSkinShowsTheNeighboursInPlayOrderFaintlyAndIsNeverSaved) {
    struct Case {
        const char *surface, *load;
        int tab;
        QPoint pointer, cell, before, after;
    } const cases[] = {
        // A character's row: the walk goes round its three frames.
        {"RZ", "LoadZChar", 1, {30, 40}, {24, 32}, {0, 32}, {48, 32}},
        {"RZ", "LoadZChar", 1, {100, 230}, {96, 224}, {72, 224}, {120, 224}},
        {"RZ", "LoadZChar", 1, {150, 10}, {144, 0}, {192, 0}, {168, 0}},
        // The battle preview plays the first cell of a row after its last.
        {"BZ", "LoadZBattle", 4, {10, 100}, {0, 96}, {384, 96}, {96, 192}},
        {"BZ", "LoadZBattle", 4, {400, 400}, {384, 384}, {288, 384}, {0, 384}},
        {"BZ", "LoadZBattle", 4, {100, 5}, {96, 0}, {0, 384}, {192, 0}},
    };
    const QImage charset = Figures(288, 256, 24, 32, 4), battle = Figures(480, 480, 96, 96, 12);
    LoadTarget("LoadZChar", charset);
    LoadTarget("LoadZBattle", battle);
    s.window->TabChanged("Tab1", 1);
    QTest::keyClick(s.window.get(), Qt::Key_O);
    ASSERT_TRUE(s.program->OnionSkin());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.surface + std::string(" ") + std::to_string(c.cell.x()) + "," +
                     std::to_string(c.cell.y()));
        const QImage& sheet = c.tab == 1 ? charset : battle;
        const QSize frame = c.tab == 1 ? QSize(24, 32) : QSize(96, 96);
        s.window->TabChanged("Tab1", c.tab);
        s.window->MouseMove(c.surface, 0, 0, c.pointer.x(), c.pointer.y());
        const QImage pane = Pane(c.surface);
        int wrong = 0, blended = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QPoint p(x, y);
                if (x == 0 || y == 0 || x == frame.width() - 1 || y == frame.height() - 1)
                    continue;  // the insert outline
                std::vector<QRgb> drawn;
                for (QPoint n : {c.before, c.after})
                    if (sheet.pixel(n + p) != kGround) drawn.push_back(sheet.pixel(n + p));
                const QRgb cell = sheet.pixel(c.cell + p);
                // In tenths, so that halves round up exactly.
                const auto channel = [&](int (*of)(QRgb)) {
                    int tenths = of(cell) * (10 - 3 * static_cast<int>(drawn.size()));
                    for (QRgb n : drawn) tenths += 3 * of(n);
                    return static_cast<int>(std::lround(tenths / 10.0));
                };
                const QRgb expected = qRgb(channel(qRed), channel(qGreen), channel(qBlue));
                blended += !drawn.empty();
                wrong += pane.pixel(c.cell + p) != expected;
            }
        EXPECT_GT(blended, 100);
        EXPECT_EQ(wrong, 0);
        // The frames around keep their own pixels.
        EXPECT_EQ(pane.pixel(c.before + QPoint(frame.width() / 2, frame.height() / 2)),
                  sheet.pixel(c.before + QPoint(frame.width() / 2, frame.height() / 2)));
    }
    // A save with the onion skin on is the save with it off; the sheet never held it.
    s.window->TabChanged("Tab1", 1);
    s.window->MouseMove("RZ", 0, 0, 30, 40);
    const auto save = [&](const char* name) {
        const QString path = temp.filePath(name);
        s.dialog.QueueFile(path.toStdString());
        s.window->Click("SaveZChar");
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray on = save("on.png");
    EXPECT_EQ(ToImage(s.Form().Pic("RZ").View()), charset);
    s.window->MenuAction("mnuOnionSkin")->trigger();
    EXPECT_FALSE(s.program->OnionSkin());
    EXPECT_FALSE(on.isEmpty());
    EXPECT_EQ(on, save("off.png"));
    EXPECT_EQ(Pane("RZ").copy(25, 33, 22, 30), charset.copy(25, 33, 22, 30));
}

TEST_F(DrawingAids, EnlargedPreviewsFollowTheBuffersOverTheChosenGround) {
    const QImage charset = Figures(288, 256, 24, 32, 4);
    LoadTarget("LoadZChar", charset);
    const QImage chipset = Pattern(480, 256, 3);
    LoadTarget("LoadZChip", chipset);
    s.window->MouseMove("CZ", 0, 0, 40, 20);  // the tile under the insert outline: (32, 16)
    s.window->TabChanged("Tab1", 1);
    PreviewWindow& previews = s.window->Previews();
    EXPECT_FALSE(previews.isVisible());
    s.window->Click("mnuPreviewThree");
    ASSERT_TRUE(previews.isVisible());
    s.window->Click("mnuStepZForward");
    const QImage buffer = ToImage(s.Form().Pic("picCharZani").View());
    EXPECT_EQ(previews.Picture(Side::Target),
              buffer.scaled(72, 96, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    EXPECT_EQ(previews.Picture(Side::Source).size(), QSize(72, 96));

    struct Case {
        const char* ground;
        const char* size;
        int factor;
    } const cases[] = {{"mnuBackTile", "mnuPreviewFour", 4},
                       {"mnuBackChecker", "mnuPreviewTwo", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ground);
        s.window->Click(c.ground);
        s.window->Click(c.size);
        const QImage big = previews.Picture(Side::Target);
        ASSERT_EQ(big.size(), QSize(24, 32) * c.factor);
        int wrong = 0, seeThrough = 0;
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x) {
                QRgb expected = buffer.pixel(x / c.factor, y / c.factor);
                if (expected == kGround) {
                    ++seeThrough;
                    expected = c.factor == 4 ? chipset.pixel(32 + x / 4 % 16, 16 + y / 4 % 16)
                                             : ((x / 8 + y / 8) % 2 ? qRgb(204, 204, 204)
                                                                    : qRgb(255, 255, 255));
                }
                wrong += big.pixel(x, y) != expected;
            }
        EXPECT_GT(seeThrough, 100);
        EXPECT_EQ(wrong, 0);
    }
    // 1x closes it; closing it chooses 1x, and its place is kept.
    s.window->Click("mnuPreviewOne");
    EXPECT_FALSE(previews.isVisible());
    s.window->Click("mnuPreviewTwo");
    ASSERT_TRUE(previews.isVisible());
    previews.close();
    EXPECT_EQ(s.program->PreviewSize(), 1);
    EXPECT_TRUE(s.Form().Get<MenuItem>("mnuPreviewOne").Checked());
    EXPECT_EQ(SavedPreviewPlace().value_or(QPoint(-1, -1)), previews.pos());
}

TEST_F(DrawingAids, GridFollowsTheCellAndTheConvertersHalvedTarget) {
    const QImage chipset = Pattern(480, 256, 5);
    LoadTarget("LoadZChip", chipset);
    const QRect away(40, 40, 400, 200);  // clear of the insert outline at any cell size
    EXPECT_EQ(Pane("CZ").copy(away), chipset.copy(away));  // off at start
    QAction* grid = s.window->MenuAction("mnuShowGrid");
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->shortcut(), QKeySequence(Qt::Key_G));
    grid->trigger();
    EXPECT_TRUE(SavedShowGrid());
    const QImage pane = Pane("CZ");
    // Dots of black and white along the line at x = 16, the sheet beside it.
    EXPECT_EQ(pane.pixel(16, 40), qRgb(0, 0, 0));
    EXPECT_EQ(pane.pixel(16, 41), qRgb(255, 255, 255));
    EXPECT_EQ(pane.pixel(17, 41), chipset.pixel(17, 41));
    EXPECT_EQ(pane.pixel(15, 41), chipset.pixel(15, 41));

    struct Case {
        const char* click;  // before looking, or nullptr
        const char* surface;
        QSize step;
    } const cases[] = {
        {nullptr, "CQ", {16, 16}}, {"cmdSelGR", "CZ", {32, 32}},
        {nullptr, "RZ", {24, 32}}, {"cmdCompleteSet", "RQ", {72, 128}},
        {nullptr, "OZ", {16, 16}}, {"optModRPG2K", "OZ", {8, 8}},
        {nullptr, "OQ", {16, 16}}, {nullptr, "BQ", {96, 96}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.surface);
        if (c.click) s.Click(c.click);
        EXPECT_EQ(s.window->Surface(c.surface)->Grid(), c.step);
    }
    grid->trigger();
    EXPECT_EQ(s.window->Surface("CQ")->Grid(), QSize());
    EXPECT_EQ(Pane("CZ").copy(away), chipset.copy(away));
}

// Run on a 1920 x 1080 screen (and the common small one), where 2x does not fit.
TEST(ScreenLimit, NextFactorIsGreyedAndSaysWhichScreenItNeeds) {
    GuiSession s;
    MainWindow& w = *s.window;
    QApplication::processEvents();
    ASSERT_LT(w.Zoom().FitFactor(), 2);
    QAction* in = w.MenuAction("mnuZoomIn");
    EXPECT_FALSE(in->isEnabled());
    const QSize needed(689 * 2 + w.frameGeometry().width() - w.width(),
                       577 * 2 + w.frameGeometry().height() - w.centralWidget()->height());
    const QString why = QString("2x needs a screen of %1 x %2; F2 opens the magnifier")
                            .arg(needed.width())
                            .arg(needed.height());
    EXPECT_EQ(in->toolTip(), why);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(w.Zoom().Factor(), 1);
    EXPECT_EQ(w.Status().Bar()->currentMessage(), why);
}

}  // namespace
}  // namespace tw::test
