#pragma once
// One running program for a GUI test: the model with the Qt dialog adapter
// (never modal: answers are queued) and About host, and its shown window.
// Helpers act as the user does, through Qt events on the widgets.

#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "editors/program.h"
#include "gui/window/about_host.h"
#include "gui/window/image_view_widget.h"
#include "gui/window/main_window.h"
#include "gui/window/qt_file_dialog.h"
#include "gui/window/raster_image.h"
#include "support/pictures.h"

namespace tw::test {

class GuiSession {
public:
    GuiSession();
    ~GuiSession();

    frmMain& Form() { return program->Form(); }
    // Brings the pages holding `name` to the front by clicking their tabs.
    void ShowPageOf(const std::string& name);
    // A left click on a button or option button, as the user makes it.
    void Click(const std::string& name);
    void Press(const std::string& surface, Qt::MouseButton b, int x, int y,
               Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Release(const std::string& surface, Qt::MouseButton b, int x, int y);
    // A pointer move to client pixel (x, y) with `held` buttons down.
    void Move(const std::string& surface, int x, int y, Qt::MouseButtons held = Qt::NoButton);
    // What the image view of that name shows.
    QImage ViewImage(const std::string& name) const;
    // One timeout of the window's timer for a model timer, which must be running.
    bool Timeout(const std::string& timer);

    QtFileDialog dialog;
    QtAboutHost about;
    std::unique_ptr<Program> program;
    std::unique_ptr<MainWindow> window;
};

// NoisePicture as an image, and written as PNG.
std::string WritePattern(const QTemporaryDir& dir, const std::string& name, int w, int h, int seed);
QImage Pattern(int w, int h, int seed);
// The raster as an image, for comparing pixels.
inline QImage ToImage(const Raster& r) { return ToQImage(r); }

}  // namespace tw::test
