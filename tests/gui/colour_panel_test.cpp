// View > Colours as the user meets it: closed at start and the window
// unchanged, the swatches in the order of the saved PNG's palette, a hover
// that outlines pixels on the screen only, a drag that merges as one step,
// a click that answers Pick Transparent Colour, "Similar", and the panel's
// place kept between runs.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "gui/colours/colour_panel.h"
#include "gui/colours/swatch_grid.h"
#include "imagefiles/dib.h"
#include "imagefiles/dump_picture.h"
#include "support/gui_session.h"
#include "support/image_files.h"

namespace tw::test {
namespace {

// A 143-colour chipset on the target, the panel open.
class ColourPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = ColourSheet(480, 256, 143);
        const QString path = temp.filePath("chipset.png");
        ASSERT_TRUE(ToImage(sheet).save(path, "PNG"));
        s.dialog.QueueFile(path.toStdString());
        s.Click("LoadZChip");
        closedSize = s.window->size();
        s.window->MenuAction("mnuColours")->trigger();
    }
    ColourPanel& Panel() { return s.window->Colours(); }
    SwatchGrid& Grid() { return Panel().Grid(); }
    QPoint At(int position) { return Grid().SwatchRect(position).center(); }
    void Send(QEvent::Type type, int position, Qt::MouseButtons held) {
        QMouseEvent e(type, At(position), Grid().mapToGlobal(At(position)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(&Grid(), &e);
    }
    std::vector<Pixel> Shown() {
        std::vector<Pixel> out;
        for (const Swatch& w : Grid().Swatches()) out.push_back(w.colour);
        return out;
    }

    QTemporaryDir temp;
    GuiSession s;
    Raster sheet;
    QSize closedSize;
};

TEST_F(ColourPanelTest, ShowsThePaletteASaveWritesIndexZeroFirst) {
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_EQ(s.window->MenuAction("mnuColours")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(Panel().CountLabel().text(), "143 colours");
    EXPECT_EQ(Panel().TransparentLabel().text(), "Index 0 is transparent: #FF00FF, from pixel 288, 128");
    const std::string png = temp.filePath("saved.png").toStdString();
    s.dialog.QueueFile(png);
    s.Click("SaveZChip");
    OwnedImage saved;
    ASSERT_EQ(LoadFile(png, &saved), 0);
    ASSERT_EQ(saved.Bpp(), 8);
    ASSERT_EQ(Grid().Swatches().size(), 143u);
    for (int i = 0; i < 143; ++i) {
        EXPECT_EQ(Grid().Swatches()[i].index, i);
        ASSERT_EQ(Grid().Swatches()[i].colour, QuadToPixel(saved.d.palette[i])) << i;
    }
    // The panel follows a stamp; F3 closes it and the window is as before.
    s.Press("CQ", Qt::LeftButton, 0, 0);
    s.Press("CZ", Qt::LeftButton, 0, 0);
    EXPECT_EQ(Shown(), std::as_const(*s.program).SheetOf(PageByLetter('C')).Palette());
    QTest::keyClick(s.window.get(), Qt::Key_F3);
    QCoreApplication::processEvents();  // the window's layout follows
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(s.window->MenuAction("mnuColours")->isChecked());
    EXPECT_EQ(s.window->size(), closedSize);
}

TEST_F(ColourPanelTest, HoverOutlinesOnScreenOnlyAndDragMergesAsOneStep) {
    const Swatch hovered = Grid().Swatches()[5];
    Send(QEvent::MouseMove, 5, Qt::NoButton);
    const QImage ring = s.window->Surface("CZ")->Highlight();
    ASSERT_FALSE(ring.isNull());
    // Ringed: the pixels around the colour, never the colour itself inside.
    int ringed = 0;
    for (int y = 1; y < 255; ++y)
        for (int x = 1; x < 479; ++x)
            if (qAlpha(ring.pixel(x, y))) {
                ++ringed;
                ASSERT_NE(sheet.At(x, y), hovered.colour) << x << ", " << y;
            }
    EXPECT_GT(ringed, 0);
    const QString words = s.window->Status().Text();
    EXPECT_TRUE(words.contains(QString("Colour 5 of 143: %1, ").arg(QString::fromStdString(HexColour(hovered.colour)))))
        << words.toStdString();
    // Neither the sheet nor a dump of it carries the ring.
    EXPECT_TRUE(SameRaster(s.Form().Pic("CZ").View(), sheet));
    const std::string dump = temp.filePath("dump.bmp").toStdString();
    ASSERT_EQ(DumpRaster(s.Form().Pic("CZ").View(), dump), "");
    EXPECT_TRUE(SameRaster(ReadPicture(dump), sheet));

    // Swatch 5 dragged onto swatch 9: its pixels take 9's colour, one step.
    const Pixel into = Grid().Swatches()[9].colour;
    Send(QEvent::MouseButtonPress, 5, Qt::LeftButton);
    Send(QEvent::MouseMove, 9, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, 9, Qt::NoButton);
    const Raster merged = s.Form().Pic("CZ").View();
    for (size_t i = 0; i < merged.Pixels().size(); ++i)
        ASSERT_EQ(merged.Pixels()[i],
                  sheet.Pixels()[i] == hovered.colour ? into : sheet.Pixels()[i]);
    EXPECT_EQ(Grid().Swatches().size(), 142u);
    EXPECT_TRUE(s.window->Surface("CZ")->Highlight().isNull());
    EXPECT_EQ(s.window->MenuAction("mnuUndo")->text(), "&Undo Merge Colours");
    QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(SameRaster(s.Form().Pic("CZ").View(), sheet));
    EXPECT_EQ(Grid().Swatches().size(), 143u);
}

TEST_F(ColourPanelTest, ClickAnswersPickTransparentAndSimilarRegroups) {
    // Without Pick Transparent Colour a click changes nothing.
    Send(QEvent::MouseButtonPress, 7, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, 7, Qt::NoButton);
    EXPECT_EQ(s.window->MenuAction("mnuUndo")->text(), "&Undo Load Target");
    const Pixel picked = Grid().Swatches()[7].colour;
    s.window->MenuAction("mnuPickTransparent")->trigger();
    Send(QEvent::MouseButtonPress, 7, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, 7, Qt::NoButton);
    EXPECT_FALSE(s.window->MenuAction("mnuPickTransparent")->isChecked());
    EXPECT_EQ(Grid().Swatches()[0].colour, picked);
    EXPECT_EQ(Panel().TransparentLabel().text(),
              QString("Index 0 is transparent: %1, chosen").arg(QString::fromStdString(HexColour(picked))));

    // A near duplicate of the first colour, far down the palette: "Similar"
    // brings it next to it.
    Raster twins = sheet;
    const Pixel first = sheet.At(0, 0), twin = first ^ 0x010101;
    for (int x = 0; x < 16; ++x) twins.Set(x, 250, twin);
    const QString path = temp.filePath("twins.png");
    ASSERT_TRUE(ToImage(twins).save(path, "PNG"));
    s.dialog.QueueFile(path.toStdString());
    s.Click("LoadZChip");
    const std::vector<Pixel> plain = Shown();
    ASSERT_EQ(plain.back(), twin);
    Panel().SimilarBox().setChecked(true);
    std::vector<Pixel> similar = Shown();
    EXPECT_EQ(std::find(similar.begin(), similar.end(), first)[1], twin);
    EXPECT_NE(similar, plain);
    std::sort(similar.begin(), similar.end());
    std::vector<Pixel> sorted = plain;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(similar, sorted);
}

TEST(ColourPanel, ClosedAtStartAndBackWhereItWasNextRun) {
    QRect floating;
    {
        GuiSession s;
        const QSize size = s.window->size();
        EXPECT_FALSE(s.window->Colours().isVisible());
        s.window->MenuAction("mnuColours")->trigger();
        EXPECT_TRUE(s.window->MenuAction("mnuColours")->isChecked());
        s.window->Colours().setFloating(true);
        s.window->Colours().setGeometry(120, 140, 260, 330);
        floating = s.window->Colours().geometry();
        s.window->MenuAction("mnuColours")->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(s.window->size(), size);
    }
    GuiSession next;
    EXPECT_FALSE(next.window->Colours().isVisible());
    next.window->MenuAction("mnuColours")->trigger();
    EXPECT_TRUE(next.window->Colours().isFloating());
    EXPECT_EQ(next.window->Colours().geometry(), floating);
}

}  // namespace
}  // namespace tw::test
