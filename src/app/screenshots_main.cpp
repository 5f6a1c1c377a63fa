// tilewright-screenshots FOLDER: renders the main window off screen, one PNG
// per page (and the About window), after loading demo sheets through the
// model, for the README.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "editors/program.h"
#include "gui/about_host.h"
#include "gui/app_style.h"
#include "gui/main_window.h"
#include "gui/qt_file_dialog.h"
#include "gui/raster_image.h"

namespace {

// A demo sheet of the given size: the About landscape, repeated as needed.
QImage DemoSheet(int width, int height, int shiftX, int shiftY) {
    const QImage art = tw::ToQImage(tw::frmAbout::AboutPicture());
    QImage sheet(width, height, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int y = -shiftY; y < height; y += art.height() - 10)
        for (int x = -shiftX; x < width; x += art.width()) p.drawImage(x, y, art);
    return sheet;
}

struct Step {
    enum Kind { File, Click, Down, Move, Tick } kind;
    std::string name;
    float x = 0, y = 0;
    int count = 1;
};

struct Shot {
    int tab1, tab2;
    const char* file;
    std::vector<Step> steps;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tilewright-screenshots FOLDER\n");
        return 2;
    }
    tw::ApplyAppStyle(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.absolutePath());
    QTemporaryDir temp;
    const auto sheet = [&](const char* name, int w, int h, int sx, int sy) {
        const QString path = temp.filePath(name);
        DemoSheet(w, h, sx, sy).save(path);
        return path.toStdString();
    };
    const std::string chip = sheet("chip.png", 480, 256, 0, 40);
    const std::string chars = sheet("chars.png", 288, 256, 96, 60);
    const std::string faces = sheet("faces.png", 192, 192, 140, 100);
    const std::string system = sheet("system.png", 160, 80, 280, 120);
    const std::string battle = sheet("battle.png", 480, 480, 0, 0);
    const std::string rpg95 = sheet("rpg95.png", 256, 1024, 60, 0);

    tw::QtFileDialog dialog;
    dialog.SetInteractive(false);
    tw::QtAboutHost about;
    tw::Program program(dialog, about);
    program.Load();
    tw::MainWindow window(program, dialog);
    about.SetOwner(&window);
    window.show();

    using S = Step;
    const std::vector<Shot> shots = {
        {0,
         0,
         "chipsets.png",
         {{S::File, chip},
          {S::Click, "LoadQChip"},
          {S::Click, "cmdNew"},
          {S::Down, "CQ", 288, 200},
          {S::Down, "CZ", 0, 0},
          {S::Down, "CZ", 16, 0},
          {S::Down, "CZ", 32, 0},
          {S::Down, "CQ", 304, 208},
          {S::Down, "CZ", 0, 16},
          {S::Down, "CZ", 16, 16},
          {S::Move, "CQ", 120, 72},
          {S::Move, "CZ", 40, 24}}},
        // The status line after a save, with the pointer over the target.
        {0,
         0,
         "status-line.png",
         {{S::File, temp.filePath("chipset.png").toStdString()},
          {S::Click, "SaveZChip"},
          {S::Move, "CZ", 40, 24}}},
        {1,
         0,
         "charsets.png",
         {{S::File, chars},
          {S::Click, "LoadQChar"},
          {S::Click, "cmdRnew"},
          {S::Down, "RQ", 80, 100},
          {S::Down, "RZ", 0, 0},
          {S::Click, "optRplay"},
          {S::Tick, "tmrCharQAni", 0, 0, 4},
          {S::Move, "RQ", 30, 40}}},
        {2,
         0,
         "facesets.png",
         {{S::File, faces},
          {S::Click, "LoadQFace"},
          {S::Click, "cmdFnew"},
          {S::Down, "FQ", 60, 100},
          {S::Down, "FZ", 0, 0},
          {S::Down, "FZ", 48, 0},
          {S::Move, "FQ", 120, 40},
          {S::Move, "FZ", 100, 10}}},
        {3,
         0,
         "systemsets.png",
         {{S::File, system},
          {S::Click, "LoadQSystem"},
          {S::Click, "cmdSnew"},
          {S::Down, "SQ", 40, 40},
          {S::Down, "SZ", 0, 0},
          {S::Down, "SZ", 16, 0},
          {S::Move, "SQ", 70, 20},
          {S::Move, "SZ", 40, 40}}},
        {4,
         0,
         "battle-source.png",
         {{S::File, battle},
          {S::Click, "LoadQBattle"},
          {S::Down, "BQ", 200, 150},
          {S::Click, "optQBplay"},
          {S::Tick, "tmrBattleQAni", 0, 0, 7},
          {S::Move, "BQ", 300, 200}}},
        {4,
         1,
         "battle-target.png",
         {{S::Click, "cmdBnew"},
          {S::Down, "BZ", 0, 0},
          {S::Down, "BZ", 96, 96},
          {S::Move, "BZ", 200, 100}}},
        {5,
         0,
         "converter.png",
         {{S::File, rpg95},
          {S::Click, "CLoadQr"},
          {S::Click, "cmdOnew"},
          {S::Down, "OQ", 40, 200},
          {S::Down, "OZ", 0, 0},
          {S::Down, "OZ", 16, 0},
          {S::Move, "OQ", 64, 96},
          {S::Move, "OZ", 48, 32}}},
    };
    for (const Shot& shot : shots) {
        window.Tabs("Tab1")->SetCurrent(shot.tab1);
        window.Tabs("Tab2")->SetCurrent(shot.tab2);
        for (const Step& s : shot.steps) {
            switch (s.kind) {
                case S::File:
                    dialog.QueueFile(s.name);
                    break;
                case S::Click:
                    window.Click(s.name);
                    break;
                case S::Down:
                    window.MouseDown(s.name, 1, 0, s.x, s.y);
                    break;
                case S::Move:
                    window.MouseMove(s.name, 0, 0, s.x, s.y);
                    break;
                case S::Tick:
                    for (int i = 0; i < s.count; ++i) window.Tick(s.name);
                    break;
            }
        }
        QApplication::processEvents();
        const QString file = out.filePath(shot.file);
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }

    // The About window, grabbed while it is shown, then closed by its picture.
    bool aboutSaved = false;
    about.SetShownHook([&](tw::AboutDialog& d) {
        QApplication::processEvents();
        aboutSaved = d.grab().save(out.filePath("about.png"));
        d.accept();
    });
    window.Click("mnuInfo");
    if (!aboutSaved) return 1;
    std::printf("%s\n", qPrintable(out.filePath("about.png")));
    return 0;
}
