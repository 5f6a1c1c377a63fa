// Blocks, mirroring, the clipboard and the keyboard in the offscreen window,
// driven by Qt mouse and key events as the user makes them.

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include "editors/page_table.h"
#include "gui/window/surface_widget.h"
#include "gui/window/tab_container.h"
#include "gui_session.h"
#include "support/grey_png.h"

namespace tw::test {
namespace {

QImage Cut(const Raster& r, int x, int y, int w, int h) { return ToImage(r).copy(x, y, w, h); }

// A Shift-drag draws its rectangle while it goes on and picks the 64 x 32
// block on release; the stamp writes it; H mirrors it for the next stamp.
TEST(BlocksInWindow, ShiftDragPicksABlockAndHMirrorsIt) {
    QTemporaryDir temp;
    GuiSession s;
    s.dialog.QueueFile(WritePattern(temp, "src.png", 480, 256, 4));
    s.Click("LoadQChip");
    const Raster source = s.Form().Pic("CQ").View();
    s.Press("CQ", Qt::LeftButton, 20, 20, Qt::ShiftModifier);
    EXPECT_EQ(s.window->Surface("CQ")->DragRect(), QRect(16, 16, 16, 16)) << "the pressed cell";
    s.Move("CQ", 70, 40, Qt::LeftButton);
    // The rectangle covers the whole cells the release will pick.
    EXPECT_EQ(s.window->Surface("CQ")->DragRect(), QRect(16, 16, 64, 32));
    s.Release("CQ", Qt::LeftButton, 70, 40);
    EXPECT_TRUE(s.window->Surface("CQ")->DragRect().isEmpty());
    EXPECT_EQ(s.Form().Shape("Csel").Width(), 64);
    EXPECT_EQ(s.Form().Shape("Cins").Height(), 32);

    s.Press("CZ", Qt::LeftButton, 100, 100);
    EXPECT_EQ(Cut(s.Form().Pic("CZ").View(), 96, 96, 64, 32), Cut(source, 16, 16, 64, 32));
    QTest::keyClick(s.window.get(), Qt::Key_H);
    s.Press("CZ", Qt::LeftButton, 200, 100);
    EXPECT_EQ(Cut(s.Form().Pic("CZ").View(), 192, 96, 64, 32),
              Cut(source, 16, 16, 64, 32).mirrored(true, false));

    // A plain press: one cell again, and no rectangle.
    s.Press("CQ", Qt::LeftButton, 20, 20);
    s.Release("CQ", Qt::LeftButton, 70, 40);
    EXPECT_EQ(s.Form().Shape("Csel").Width(), 16);
    // Shift on the target stamps and picks nothing, so no rectangle.
    s.Press("CZ", Qt::LeftButton, 20, 20, Qt::ShiftModifier);
    s.Move("CZ", 70, 40, Qt::LeftButton);
    EXPECT_TRUE(s.window->Surface("CZ")->DragRect().isEmpty());
}

// Another program's picture on the clipboard: Ctrl+V makes it the selection
// (alpha below 128 turns into the sheet's transparent colour), a click
// stamps it; Ctrl+C puts the selection back on the clipboard.
TEST(BlocksInWindow, ClipboardPasteStampsAndCopyPuts) {
    GuiSession s;
    QAction* paste = s.window->MenuAction("mnuPaste");
    ASSERT_TRUE(paste);
    QGuiApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    EXPECT_FALSE(paste->isEnabled());

    QImage picture(20, 10, QImage::Format_ARGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) picture.setPixel(x, y, qRgba(10 * x, 20 * y, 7, x < 5 ? 100 : 200));
    QGuiApplication::clipboard()->setImage(picture);
    QCoreApplication::processEvents();
    EXPECT_TRUE(paste->isEnabled());
    QTest::keySequence(s.window.get(), QKeySequence::Paste);
    s.Press("CZ", Qt::LeftButton, 33, 33);

    const Raster& sheet = s.Form().Pic("CZ").View();
    const PixelPosition t = PageByLetter('C').transparent;
    const Pixel transparent = sheet.At(t.x, t.y);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const Pixel expected = x < 5 ? transparent : (qRgb(10 * x, 20 * y, 7) & 0xFFFFFFu);
            ASSERT_EQ(sheet.At(32 + x, 32 + y), expected) << x << "," << y;
        }

    QGuiApplication::clipboard()->clear();
    QTest::keySequence(s.window.get(), QKeySequence::Copy);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(20, 10));
    EXPECT_EQ(copied.pixel(0, 0) & 0xFFFFFFu, transparent);
    EXPECT_EQ(copied.pixel(19, 9) & 0xFFFFFFu, qRgb(190, 180, 7) & 0xFFFFFFu);

    // A picture above what Qt hands over (here a PNG that declares
    // 30000 x 30000): Paste changes nothing and says why.
    const std::vector<uint8_t> png = GreyPng(30000, 30000, 0);
    auto* mime = new QMimeData;
    mime->setData("image/png", QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())));
    QGuiApplication::clipboard()->setMimeData(mime);
    QCoreApplication::processEvents();
    const Raster before = sheet;
    QTest::keySequence(s.window.get(), QKeySequence::Paste);
    EXPECT_EQ(s.program->Status().Outcome(), "the picture on the clipboard is too large: 30000 x 30000");
    EXPECT_EQ(s.Form().Pic("CZ").View(), before);
}

// Each key does what its button or tab click does.
TEST(BlocksInWindow, EveryShortcutReachesItsButtonOrPage) {
    QTemporaryDir temp;
    GuiSession s;
    TabContainer* pages = s.window->Tabs("Tab1");
    TabContainer* sides = s.window->Tabs("Tab2");
    const std::string src = WritePattern(temp, "s.png", 480, 256, 1);
    const std::string tgt = WritePattern(temp, "t.png", 480, 256, 2);
    const std::string saved = temp.filePath("saved.png").toStdString();
    const auto key = [&](QKeySequence k) { QTest::keySequence(s.window.get(), k); };

    s.dialog.QueueFile(src);
    key(QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(ToImage(s.Form().Pic("CQ").View()).copy(0, 0, 480, 256), Pattern(480, 256, 1).convertToFormat(QImage::Format_RGB32));
    s.dialog.QueueFile(tgt);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    EXPECT_EQ(ToImage(s.Form().Pic("CZ").View()), Pattern(480, 256, 2).convertToFormat(QImage::Format_RGB32));
    s.dialog.QueueFile(saved);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_TRUE(QFile::remove(QString::fromStdString(saved))) << "Save As wrote it";
    key(QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(saved))) << "Save wrote the sheet's file again";
    EXPECT_EQ(s.window->windowTitle(), QString(frmMain::kCaption) + " - saved.png");
    key(QKeySequence(Qt::CTRL | Qt::Key_N));
    const Raster& sheet = s.Form().Pic("CZ").View();
    EXPECT_EQ(sheet.At(0, 0), sheet.At(479, 255)) << "one colour after New Template";

    struct Step {
        QKeySequence keys;
        int page, side;  // Tab1's and Tab2's page after the key (side -1: not checked)
    } steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1, -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 2, -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), 1, -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), 0, -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), 5, -1},
        {QKeySequence(Qt::ALT | Qt::Key_3), 2, -1},
        {QKeySequence(Qt::ALT | Qt::Key_5), 4, PageByLetter('B').sourceTab},
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 4, PageByLetter('B').targetTab},
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 5, -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), 4, -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), 4, PageByLetter('B').sourceTab},
        {QKeySequence(Qt::ALT | Qt::Key_1), 0, -1},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.keys.toString().toStdString());
        key(st.keys);
        EXPECT_EQ(pages->Current(), st.page);
        EXPECT_EQ(s.program->FrontPage().tab, st.page);
        if (st.side >= 0) {
            EXPECT_EQ(sides->Current(), st.side);
        }
    }
    EXPECT_TRUE(s.window->Widget("LoadQChip")->toolTip().contains("Ctrl+O"));
}

}  // namespace
}  // namespace tw::test
