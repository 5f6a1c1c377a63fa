#include "gui/magnifier/view_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "gui/colours/colour_panel.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/magnifier/magnifier_window.h"
#include "gui/magnifier/view_prefs.h"

namespace tw {

void AddViewMenu(QMenuBar* bar, ClientZoom& zoom, MagnifierWindow& magnifier, ColourPanel& colours) {
    QMenu* menu = bar->addMenu(QObject::tr("View"));
    menu->setObjectName("mnuView");
    const auto add = [menu](const char* name, const QString& caption,
                            QList<QKeySequence> keys) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setShortcuts(keys);
        return a;
    };
    const auto zoomTo = [&zoom](int factor) { SaveZoom(zoom.SetFactor(factor)); };
    QAction* in = add("mnuZoomIn", QObject::tr("Zoom &In"),
                      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QObject::connect(in, &QAction::triggered, &zoom, [&zoom, zoomTo] { zoomTo(zoom.Factor() + 1); });
    QAction* out = add("mnuZoomOut", QObject::tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    QObject::connect(out, &QAction::triggered, &zoom, [&zoom, zoomTo] { zoomTo(zoom.Factor() - 1); });
    QAction* actual = add("mnuActualSize", QObject::tr("&Actual Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    QObject::connect(actual, &QAction::triggered, &zoom, [zoomTo] { zoomTo(1); });
    menu->addSeparator();
    QAction* mag = add("mnuMagnifier", QObject::tr("&Magnifier"), {QKeySequence(Qt::Key_F2)});
    mag->setCheckable(true);
    QObject::connect(mag, &QAction::triggered, &magnifier, [&magnifier](bool on) {
        if (on)
            magnifier.Open();
        else
            magnifier.hide();
    });
    QObject::connect(&magnifier, &MagnifierWindow::VisibilityChanged, mag, &QAction::setChecked);
    QAction* panel = add("mnuColours", QObject::tr("&Colours"), {QKeySequence(Qt::Key_F3)});
    panel->setCheckable(true);
    QObject::connect(panel, &QAction::triggered, &colours, [&colours](bool on) {
        if (on)
            colours.Open();
        else
            colours.hide();
    });
    QObject::connect(&colours, &QDockWidget::visibilityChanged, panel, [panel, &colours] {
        panel->setChecked(colours.isVisible());
    });
}

}  // namespace tw
