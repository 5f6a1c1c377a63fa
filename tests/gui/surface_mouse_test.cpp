// Mouse input on the surfaces reaches the model at the right pixel, and the
// surfaces show their pixels exactly, also on a scaled screen; the wheel, the
// keys, the scroll bar and a held drag move a source over a tall picture.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "support/gui_session.h"
#include "platform/controls.h"
#include "platform/source_canvas.h"
#include "platform/surface.h"

namespace tw::test {
namespace {

class SurfaceMouse : public ::testing::Test {
protected:
    void SetUp() override {
        s.dialog.QueueFile(WritePattern(temp, "chip.png", 480, 256, 1));
        s.Click("LoadQChip");
        ASSERT_EQ(ToImage(s.Form().Pic("CQ").View()), Pattern(480, 256, 1));
    }
    QTemporaryDir temp;
    GuiSession s;
};

TEST_F(SurfaceMouse, PressPicksTheCellUnderThePointer) {
    struct Case {
        Qt::MouseButton button;
        int x, y;
        QPoint outline;
        bool picks;
    } cases[] = {
        {Qt::LeftButton, 15, 31, {0, 16}, true},       {Qt::LeftButton, 16, 32, {16, 32}, true},
        {Qt::LeftButton, 479, 255, {464, 240}, true},  {Qt::LeftButton, 0, 0, {0, 0}, true},
        {Qt::RightButton, 50, 70, {48, 64}, false},    {Qt::MiddleButton, 100, 10, {96, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " button " << c.button);
        const QImage before = ToImage(s.Form().Pic("picCsel").View());
        s.Press("CQ", c.button, c.x, c.y);
        s.Release("CQ", c.button, c.x, c.y);
        const Outline& sel = s.Form().Shape("Csel");
        EXPECT_EQ(QPoint(sel.Left(), sel.Top()), c.outline);
        const QImage picked = ToImage(s.Form().Pic("picCsel").View());
        if (c.picks) {
            EXPECT_EQ(picked, Pattern(480, 256, 1).copy(c.outline.x(), c.outline.y(), 16, 16));
            EXPECT_EQ(s.ViewImage("imgC1"), picked);
        } else {
            EXPECT_EQ(picked, before);
        }
    }
}

TEST_F(SurfaceMouse, MovesDragTheOutlinesAndADragStampsOnce) {
    s.Move("CQ", 250, 130);
    EXPECT_EQ(s.Form().Shape("Csel").Left(), 240);
    EXPECT_EQ(s.Form().Shape("Csel").Top(), 128);
    s.Press("CQ", Qt::LeftButton, 100, 60);
    s.Release("CQ", Qt::LeftButton, 100, 60);
    const QImage empty = ToImage(s.Form().Pic("CZ").View());
    s.Move("CZ", 33, 17);
    EXPECT_EQ(s.Form().Shape("Cins").Left(), 32);
    // The target preview shows the target block under the insert outline.
    EXPECT_EQ(s.ViewImage("imgC2"), empty.copy(32, 16, 16, 16));

    s.Press("CZ", Qt::LeftButton, 40, 40, Qt::ShiftModifier);
    for (QPoint p : {QPoint(100, 100), QPoint(200, 10), QPoint(-30, 300), QPoint(600, -5)})
        s.Move("CZ", p.x(), p.y(), Qt::LeftButton);
    // The insert outline followed the pointer past the surface's edges.
    const Outline& ins = s.Form().Shape("Cins");
    EXPECT_EQ(QPoint(ins.Left(), ins.Top()), QPoint(592, 0));
    s.Release("CZ", Qt::LeftButton, 600, -5);

    QImage expected = empty;
    const QImage cell = Pattern(480, 256, 1).copy(96, 48, 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) expected.setPixel(32 + x, 32 + y, cell.pixel(x, y));
    EXPECT_EQ(ToImage(s.Form().Pic("CZ").View()), expected);
    // What the widget paints is the model's image.
    EXPECT_EQ(s.window->Surface("CZ")->Image(), expected);
}

TEST_F(SurfaceMouse, ATallSourceScrollsToItsLastRowAndPicksThere) {
    s.dialog.QueueFile(WritePattern(temp, "tall.png", 480, 2048, 7));
    s.Click("LoadQChip");
    const QImage tall = Pattern(480, 2048, 7);
    SurfaceWidget* cq = s.window->Surface("CQ");
    const auto& source = static_cast<const SourceCanvas&>(s.Form().Pic("CQ"));
    const auto wheel = [&](int notches, Qt::KeyboardModifiers mods) {
        const QPointF at(101, 101);
        QWheelEvent e(at, cq->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(cq, &e);
    };
    for (int i = 0; i < 130; ++i) wheel(1, Qt::NoModifier);  // a row a notch, held at the last
    EXPECT_EQ(source.OriginY(), 1792);
    wheel(3, Qt::ShiftModifier);  // columns: the picture is no wider than the pane
    EXPECT_EQ(source.OriginX(), 0);
    EXPECT_EQ(cq->Image(), tall.copy(0, 1792, 480, 256));
    QTest::keyClick(s.window.get(), Qt::Key_PageUp);
    EXPECT_EQ(source.OriginY(), 1536);
    // The bar inside the right edge: a press at its top, then its thumb dragged to the bottom.
    s.Press("CQ", Qt::LeftButton, 477, 0);
    EXPECT_EQ(source.OriginY(), 0);
    s.Move("CQ", 477, 255, Qt::LeftButton);
    s.Release("CQ", Qt::LeftButton, 477, 255);
    EXPECT_EQ(source.OriginY(), 1792);

    // Picture pixel (40, 1900) is in cell (2, 118); the stamp puts exactly that tile.
    s.Press("CQ", Qt::LeftButton, 40, 1900 - 1792);
    s.Release("CQ", Qt::LeftButton, 40, 1900 - 1792);
    EXPECT_EQ(ToImage(s.Form().Pic("picCsel").View()), tall.copy(32, 1888, 16, 16));
    s.Move("CQ", 40, 1904 - 1792);
    EXPECT_TRUE(s.window->Status().Text().contains("Chipset source: pixel 40, 1904, cell 2, 119 of 30 x 128"))
        << s.window->Status().Text().toStdString();
    s.Press("CZ", Qt::LeftButton, 64, 32);
    EXPECT_EQ(ToImage(s.Form().Pic("CZ").View()).copy(64, 32, 16, 16), tall.copy(32, 1888, 16, 16));

    // A Shift-drag held past the top edge scrolls up, and the block takes
    // every row the view has shown since the press.
    s.Press("CQ", Qt::LeftButton, 40, 100, Qt::ShiftModifier);
    s.Move("CQ", 40, -5, Qt::LeftButton);
    for (int i = 0; i < 200 && source.OriginY() > 1792 - 64; ++i) QTest::qWait(10);
    s.Release("CQ", Qt::LeftButton, 40, -5);
    const int top = source.OriginY();
    ASSERT_LE(top, 1792 - 64);
    EXPECT_EQ(s.Form().Shape("Csel").Top(), top);
    EXPECT_EQ(ToImage(s.Form().Pic("picCsel").View()), tall.copy(32, top, 16, 1792 + 112 - top));
}

// Run once more with QT_SCALE_FACTOR=2 (where the tests above check that
// clicks still land on the pixel under the pointer): the pixels must come out
// as blocks, never blended.
TEST_F(SurfaceMouse, HighDpiPixelsStayExact) {
    SurfaceWidget* cq = s.window->Surface("CQ");
    const QPixmap shot = cq->grab();
    const qreal ratio = shot.devicePixelRatio();
    const QImage device = shot.toImage();
    const QImage pattern = Pattern(480, 256, 1);
    const int r = qRound(ratio);
    ASSERT_EQ(device.size(), QSize(482 * r, 258 * r));
    // Inside the outline-free area every image pixel is an r x r block of its colour.
    for (QPoint p :
         {QPoint(100, 100), QPoint(101, 100), QPoint(250, 131), QPoint(479, 255), QPoint(300, 7)})
        for (int dy = 0; dy < r; ++dy)
            for (int dx = 0; dx < r; ++dx)
                EXPECT_EQ(device.pixel((p.x() + 1) * r + dx, (p.y() + 1) * r + dy),
                          pattern.pixel(p))
                    << "ratio " << ratio << " at " << p.x() << "," << p.y();
}

}  // namespace
}  // namespace tw::test
