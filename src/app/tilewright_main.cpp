// tilewright: the Qt program. Takes no command-line arguments.

#include <QApplication>

#include "editors/program.h"
#include "gui/about_host.h"
#include "gui/app_style.h"
#include "gui/main_window.h"
#include "gui/program_icon.h"
#include "gui/qt_file_dialog.h"

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
    return app.exec();
}
