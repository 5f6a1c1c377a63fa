// Files named when the program starts, or handed over by a second start,
// open in the page their size is made for, each as its load button loads it;
// and the file dialogs come up where they were last used.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTest>
#include <atomic>
#include <thread>

#include "editors/page_table.h"
#include "gui/startup/command_line_open.h"
#include "gui/startup/single_instance.h"
#include "gui/window/tab_container.h"
#include "gui/magnifier/view_prefs.h"
#include "gui_session.h"
#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace tw::test {
namespace {

// A pattern of 256 colours, which an XYZ file holds exactly.
QImage PalettePattern(int w, int h, int seed) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = (x * 7 + y * 3 + seed * 40) & 255;
            image.setPixel(x, y, qRgb(i, (i * 53 + seed) & 255, 255 - i));
        }
    return image;
}

// That pattern written as the engine's own XYZ file.
std::string WriteXyz(const QTemporaryDir& dir, const std::string& name, int w, int h, int seed) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    const std::string png = dir.filePath(QString::fromStdString(name + ".png")).toStdString();
    PalettePattern(w, h, seed).save(QString::fromStdString(png), "PNG");
    ImageDescriptor image{};
    PngInfo info{};
    EXPECT_EQ(pnginfo(png.c_str(), &info), 0);
    EXPECT_EQ(allocimage(&image, info.width, info.length, info.vbitcount), 0);
    EXPECT_EQ(loadpng(png.c_str(), &image), 0);
    EXPECT_EQ(savexyz(path.c_str(), &image), 0);
    freeimage(&image);
    return path;
}

// The top-left of a surface against the picture it should show.
void ExpectShows(GuiSession& s, const std::string& surface, const QImage& picture) {
    const QImage view = ToImage(s.Form().Pic(surface).View());
    const int w = std::min(picture.width(), view.width());
    const int h = std::min(picture.height(), view.height());
    EXPECT_EQ(view.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32),
              picture.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32))
        << surface;
}

TEST(OpenFiles, EachSizeGoesToItsPageAndTheFirstComesToTheFront) {
    QTemporaryDir temp;
    struct File {
        std::string path, surface;
        QImage picture;
    };
    std::vector<File> files;
    int seed = 1;
    for (const PageInfo& p : Pages()) {
        const bool converter = p.letter == 'O';
        const Size size = converter ? Size{256, 1024} : p.sheet;
        const bool xyz = seed % 2 == 0;
        const std::string name = std::string(1, p.letter) + (xyz ? ".xyz" : ".png");
        const std::string path = xyz ? WriteXyz(temp, name, size.w, size.h, seed)
                                     : WritePattern(temp, name, size.w, size.h, seed);
        files.push_back({path, converter ? p.source.surface : p.target.surface,
                         xyz ? PalettePattern(size.w, size.h, seed) : Pattern(size.w, size.h, seed)});
        ++seed;
    }
    // Any other size is a chipset source.
    files.push_back({WritePattern(temp, "odd.PNG", 100, 60, 9), "CQ", Pattern(100, 60, 9)});
    QFile broken(temp.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture here");
    broken.close();

    // chipset.png charset.xyz, then a broken file and the rest: the chipset
    // page comes to the front, the broken file is named, the files after it open.
    QStringList args;
    for (const File& f : files) args << QString::fromStdString(f.path);
    args.insert(2, temp.filePath("broken.png"));
    GuiSession s;
    s.ShowPageOf("RZ");
    OpenFiles(*s.window, *s.program, args);
    for (const File& f : files) {
        EXPECT_EQ(SurfaceForFile(f.path), f.surface) << f.path;
        ExpectShows(s, f.surface, f.picture);
    }
    EXPECT_EQ(s.window->Tabs("Tab1")->Current(), PageByLetter('C').tab);
    const std::string status = s.program->Status().Outcome();
    EXPECT_NE(status.find("Could not load broken.png"), std::string::npos) << status;
    EXPECT_NE(status.find("Loaded odd.PNG"), std::string::npos) << status;
    // Each load was its button's load: an undo step on the page in front.
    EXPECT_TRUE(s.window->MenuAction("mnuUndo")->isEnabled());
}

TEST(OpenFiles, ASecondStartHandsItsFilesToTheRunningWindow) {
    QTemporaryDir temp;
    const QString name = "tilewright-test-" + QString::number(QCoreApplication::applicationPid());
    const QStringList handed = {QString::fromStdString(WritePattern(temp, "face.png", 192, 192, 5)),
                                QString::fromStdString(WriteXyz(temp, "sys.xyz", 160, 80, 6))};
    // No copy running: nobody takes the files.
    EXPECT_FALSE(SingleInstance(name).HandOver(handed, 500));

    GuiSession running;
    SingleInstance server(name);
    ASSERT_TRUE(server.Listen(
        [&](const QStringList& files) { OpenHandedFiles(*running.window, *running.program, files); }));
    // The second start blocks while it hands over; the running window's
    // event loop must turn meanwhile.
    std::atomic<int> taken = -1;
    std::thread second([&] { taken = SingleInstance(name).HandOver(handed) ? 1 : 0; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return taken != -1; }, 10000));
    second.join();
    EXPECT_EQ(taken, 1);
    QTest::qWait(50);
    ExpectShows(running, PageByLetter('F').target.surface, Pattern(192, 192, 5));
    ExpectShows(running, PageByLetter('S').target.surface, PalettePattern(160, 80, 6));
    EXPECT_EQ(running.window->Tabs("Tab1")->Current(), PageByLetter('F').tab);

    // Relative names reach the running copy as absolute ones; options are not files.
    EXPECT_EQ(FileArguments({"tilewright", "-x", "a.png", "--", "-b.png"}),
              QStringList({QDir::current().absoluteFilePath("a.png"),
                           QDir::current().absoluteFilePath("-b.png")}));
}

TEST(FileDialogPlaces, EachDialogStartsWhereItWasLastUsed) {
    QTemporaryDir temp;
    QDir(temp.path()).mkdir("sheets");
    QDir(temp.path()).mkdir("photos");
    const QString sheets = temp.filePath("sheets"), photos = temp.filePath("photos");
    QtFileDialog dialog;
    dialog.Filter = modTWFunc::kSaveFilter;
    {
        // First run: the save dialog starts on the first filter.
        SaveDialogPlace(true, {});
        QFileDialog d;
        dialog.Prepare(d, true);
        EXPECT_EQ(d.selectedNameFilter(), "BMP (*.bmp *.BMP)");
    }
    QtFileDialog::Remember(true, sheets + "/chipset.png", "PNG (*.png *.PNG)");
    dialog.Filter = modTWFunc::kOpenFilter;
    QtFileDialog::Remember(false, photos + "/forest.jpeg", "All files (*)");
    struct Case {
        bool save;
        const char* filter;
        QString folder, nameFilter;
    };
    const Case cases[] = {
        {true, modTWFunc::kSaveFilter, sheets, "PNG (*.png *.PNG)"},
        {false, modTWFunc::kOpenFilter, photos, "All files (*)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.save ? "save" : "open");
        // A new dialog object, as after a restart: only the preferences remember.
        QtFileDialog fresh;
        fresh.Filter = c.filter;
        QFileDialog d;
        fresh.Prepare(d, c.save);
        EXPECT_EQ(d.directory().absolutePath(), QDir(c.folder).absolutePath());
        EXPECT_EQ(d.selectedNameFilter(), c.nameFilter);
    }
    // A remembered folder that is gone no longer counts; a filter not offered is ignored.
    QtFileDialog::Remember(true, temp.filePath("gone/x.png"), "WEBP (*.webp)");
    QtFileDialog fresh;
    fresh.Filter = modTWFunc::kSaveFilter;
    QFileDialog d;
    fresh.Prepare(d, true);
    EXPECT_NE(d.directory().absolutePath(), temp.filePath("gone"));
    EXPECT_EQ(d.selectedNameFilter(), "BMP (*.bmp *.BMP)");
}

}  // namespace
}  // namespace tw::test
