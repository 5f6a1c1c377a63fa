// tilewright: the Qt program. Takes no command-line arguments.

#include <QApplication>
#include <QScreen>

#include "editors/program.h"
#include "gui/about_host.h"
#include "gui/app_style.h"
#include "gui/client_zoom.h"
#include "gui/main_window.h"
#include "gui/program_icon.h"
#include "gui/qt_file_dialog.h"
#include "gui/view_prefs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tw::ApplyAppStyle(app);
    QApplication::setWindowIcon(tw::ProgramIcon());
    QGuiApplication::setDesktopFileName("tilewright");

    tw::QtFileDialog dialog;
    tw::QtAboutHost about;
    tw::Program program(dialog, about);
    program.Load();

    tw::MainWindow window(program, dialog);
    about.SetOwner(&window);
    window.show();
    // The zoom the user chose last time, as far as this screen allows.
    if (window.Zoom().SetFactor(tw::SavedZoom()) > 1)
        if (QScreen* screen = window.screen())
            window.move(screen->availableGeometry().center() - window.frameGeometry().center() +
                        window.pos());
    return app.exec();
}
