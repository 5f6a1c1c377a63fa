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
#include "gui/window/about_host.h"
#include "gui/window/app_style.h"
#include "gui/window/main_window.h"
#include "gui/window/qt_file_dialog.h"
#include "gui/window/raster_image.h"
#include "runner/script_line.h"

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

// Each shot's steps are lines of the batch runner's script language.
struct Shot {
    int tab1, tab2;
    const char* file;
    std::vector<std::string> steps;
};

std::string FileLine(const std::string& path) { return "file \"" + path + "\""; }

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

    const std::vector<Shot> shots = {
        {0,
         0,
         "chipsets.png",
         {FileLine(chip),
          "click LoadQChip",
          "click cmdNew",
          "down CQ 1 288 200",
          "down CZ 1 0 0",
          "down CZ 1 16 0",
          "down CZ 1 32 0",
          "down CQ 1 304 208",
          "down CZ 1 0 16",
          "down CZ 1 16 16",
          "move CQ 0 120 72",
          "move CZ 0 40 24"}},
        // The status line after a save, with the pointer over the target.
        {0,
         0,
         "status-line.png",
         {FileLine(temp.filePath("chipset.png").toStdString()),
          "click SaveZChip",
          "move CZ 0 40 24"}},
        {1,
         0,
         "charsets.png",
         {FileLine(chars),
          "click LoadQChar",
          "click cmdRnew",
          "down RQ 1 80 100",
          "down RZ 1 0 0",
          "click optRplay",
          "tick tmrCharQAni 4",
          "move RQ 0 30 40"}},
        {2,
         0,
         "facesets.png",
         {FileLine(faces),
          "click LoadQFace",
          "click cmdFnew",
          "down FQ 1 60 100",
          "down FZ 1 0 0",
          "down FZ 1 48 0",
          "move FQ 0 120 40",
          "move FZ 0 100 10"}},
        {3,
         0,
         "systemsets.png",
         {FileLine(system),
          "click LoadQSystem",
          "click cmdSnew",
          "down SQ 1 40 40",
          "down SZ 1 0 0",
          "down SZ 1 16 0",
          "move SQ 0 70 20",
          "move SZ 0 40 40"}},
        {4,
         0,
         "battle-source.png",
         {FileLine(battle),
          "click LoadQBattle",
          "down BQ 1 200 150",
          "click optQBplay",
          "tick tmrBattleQAni 7",
          "move BQ 0 300 200"}},
        {4,
         1,
         "battle-target.png",
         {"click cmdBnew",
          "down BZ 1 0 0",
          "down BZ 1 96 96",
          "move BZ 0 200 100"}},
        {5,
         0,
         "converter.png",
         {FileLine(rpg95),
          "click CLoadQr",
          "click cmdOnew",
          "down OQ 1 40 200",
          "down OZ 1 0 0",
          "down OZ 1 16 0",
          "move OQ 0 64 96",
          "move OZ 0 48 32"}},
    };
    for (const Shot& shot : shots) {
        window.Tabs("Tab1")->SetCurrent(shot.tab1);
        window.Tabs("Tab2")->SetCurrent(shot.tab2);
        for (const std::string& line : shot.steps) {
            std::string error;
            const auto t = tw::SplitScriptLine(line, error).value_or(std::vector<std::string>{});
            long n = 1;
            float x = 0, y = 0;
            const bool at = t.size() == 5 && tw::ParseScriptInt(t[2], n) &&
                            tw::ParseScriptCoordinate(t[3], x) && tw::ParseScriptCoordinate(t[4], y);
            if (t.size() == 2 && t[0] == "file") {
                dialog.QueueFile(t[1]);
            } else if (t.size() == 2 && t[0] == "click") {
                window.Click(t[1]);
            } else if (at && t[0] == "down") {
                window.MouseDown(t[1], static_cast<int>(n), 0, x, y);
            } else if (at && t[0] == "move") {
                window.MouseMove(t[1], static_cast<int>(n), 0, x, y);
            } else if (t.size() == 3 && t[0] == "tick" && tw::ParseScriptInt(t[2], n)) {
                for (long i = 0; i < n; ++i) window.Tick(t[1]);
            } else {
                std::fprintf(stderr, "bad step: %s %s\n", line.c_str(), error.c_str());
                return 1;
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
