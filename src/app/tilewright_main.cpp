// tilewright: the Qt program. Besides Qt's own options it answers only
// --help and --version, before any display is opened. Files named after the
// options open in their pages; while a copy runs, a new start hands its
// files to that copy's window instead of opening a second one.

#include <QApplication>
#include <QScreen>
#include <iostream>
#include <string>
#include <vector>

#include "editors/program.h"
#include "gui/window/about_host.h"
#include "gui/window/app_style.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/startup/command_line_open.h"
#include "gui/window/main_window.h"
#include "gui/window/program_icon.h"
#include "gui/window/qt_file_dialog.h"
#include "gui/recovery/recovery.h"
#include "gui/startup/single_instance.h"
#include "gui/magnifier/view_prefs.h"
#include "imagefiles/kept_copy.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
    const tw::ProgramInfo info{"tilewright", "[FILE]...",
                               "Opens Tilewright's window, where graphics sheets for a 2D RPG\n"
                               "engine are assembled from tiles, characters, faces and more.\n"
                               "Each FILE opens in the page its size is made for (any other\n"
                               "size in the chipset source); a window already open takes them.\n"};
    if (const tw::InfoOption o = tw::FindInfoOption(std::vector<std::string>(argv + 1, argv + argc));
        o != tw::InfoOption::None) {
        tw::PrintInfo(o, info, std::cout);
        return std::cout.flush() ? 0 : 1;
    }
    QApplication app(argc, argv);
    // Qt took its own options out of argv; the names are opened by their bytes.
    const std::vector<std::string> files = tw::FileArguments(std::vector<std::string>(argv, argv + argc));
    std::string handOverProblem;
    const QString socketPath = tw::SingleInstance::DefaultPath(&handOverProblem);
    tw::SingleInstance instance(socketPath);
    using Handed = tw::SingleInstance::Handed;
    if (socketPath.isEmpty()) std::cerr << "tilewright: " << handOverProblem << "\n";
    const Handed handed =
        socketPath.isEmpty() ? Handed::Refused : instance.HandOver(files, std::cerr, &handOverProblem);
    if (handed == Handed::Taken) return 0;
    tw::ApplyAppStyle(app);
    QApplication::setWindowIcon(tw::ProgramIcon());
    QGuiApplication::setDesktopFileName("tilewright");

    tw::QtFileDialog dialog;
    tw::QtAboutHost about;
    tw::Program program(dialog, about);
    program.Load();
    program.Recent().Replace(tw::SavedRecentFiles());
    program.Recent().OnChange(tw::SaveRecentFiles);

    tw::MainWindow window(program, dialog);
    about.SetOwner(&window);
    window.show();
    // Unsaved sheets are kept in the user's state folder; those of copies
    // that ended are offered in the Edit menu.
    tw::Recovery recovery(program, window);
    // The zoom the user chose last time, as far as this screen allows.
    if (window.Zoom().SetFactor(tw::SavedZoom()) > 1)
        if (QScreen* screen = window.screen())
            window.move(screen->availableGeometry().center() - window.frameGeometry().center() +
                        window.pos());
    if (handed == Handed::NoWindow &&
        !instance.Listen([&](const std::vector<std::string>& names) { tw::OpenHandedFiles(window, program, names); },
                         &handOverProblem))
        std::cerr << "tilewright: " << handOverProblem << "\n";
    tw::OpenFiles(window, program, files);
    // Old pictures that a killed save over a file with other names left
    // aside are named first, before what the start said so far; Edit >
    // Recover Unsaved Sheets offers them.
    for (const tw::KeptCopy& kept : recovery.Keeper().OldPictures()) {
        const std::string earlier = program.Status().Outcome();
        program.Status().SetOutcome(tw::KeptCopyMessage(kept) + (earlier.empty() ? "" : "; " + earlier));
    }
    // Said after the files' own messages, which would hide it.
    if (!handOverProblem.empty())
        program.Status().SetOutcome("A later start opens a window of its own: " + handOverProblem);
    window.AfterEvent();
    return app.exec();
}
