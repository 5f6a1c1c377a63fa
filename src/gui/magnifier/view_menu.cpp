#include "gui/magnifier/view_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include "gui/colours/colour_panel.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/magnifier/magnifier_window.h"
#include "gui/magnifier/view_prefs.h"
#include "gui/window/drawing_aids.h"

namespace tw {
namespace {
constexpr int kLimitShownMs = 10000;  // how long the status line tells why Zoom In is greyed

// Makes `item` a tick that opens `window` when set and hides it when cleared.
template <class Window>
void OpensAndHides(QAction* item, Window& window) {
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, &window, [&window](bool on) {
        if (on)
            window.Open();
        else
            window.hide();
    });
}
}  // namespace

void AddViewMenu(QMenuBar* bar, ClientZoom& zoom, MagnifierWindow& magnifier, DrawingAids& aids,
                 ColourPanel& colours, QStatusBar* status) {
    QMenu* menu = bar->addMenu(QObject::tr("View"));
    menu->setObjectName("mnuView");
    // A greyed item's tooltip says why it is greyed.
    menu->setToolTipsVisible(true);
    const auto add = [menu](const char* name, const QString& caption,
                            QList<QKeySequence> keys) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setShortcuts(keys);
        return a;
    };
    const auto zoomTo = [&zoom](int factor) { SaveZoom(zoom.SetFactor(factor)); };
    const QList<QKeySequence> inKeys{QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                     QKeySequence(Qt::CTRL | Qt::Key_Equal)};
    QAction* in = add("mnuZoomIn", QObject::tr("Zoom &In"), inKeys);
    QObject::connect(in, &QAction::triggered, &zoom, [&zoom, zoomTo] { zoomTo(zoom.Factor() + 1); });
    // While Zoom In is greyed its keys reach these instead, which tell why.
    QList<QShortcut*> refused;
    for (const QKeySequence& k : inKeys) {
        refused << new QShortcut(k, bar->parentWidget());
        refused.back()->setEnabled(false);
    }
    const auto limit = [&zoom, in, refused] {
        const QString why = zoom.ZoomInLimit();
        in->setEnabled(why.isEmpty() && zoom.Factor() < ClientZoom::kMaxFactor);
        in->setToolTip(why);
        in->setStatusTip(why);
        for (QShortcut* s : refused) s->setEnabled(!in->isEnabled());
        return why;
    };
    const auto tell = [status](const QString& why) {
        if (!why.isEmpty()) status->showMessage(why, kLimitShownMs);
    };
    for (QShortcut* s : refused)
        QObject::connect(s, &QShortcut::activated, in, [in, limit, tell] {
            tell(limit());
            if (in->isEnabled()) in->trigger();  // the screen has grown since
        });
    QObject::connect(menu, &QMenu::aboutToShow, in, [limit, tell] { tell(limit()); });
    QObject::connect(&zoom, &ClientZoom::FactorChanged, in, limit);
    // Once the window has its size: the menu bar and status bar count too.
    QTimer::singleShot(0, in, limit);

    QAction* out = add("mnuZoomOut", QObject::tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    QObject::connect(out, &QAction::triggered, &zoom, [&zoom, zoomTo] { zoomTo(zoom.Factor() - 1); });
    QAction* actual = add("mnuActualSize", QObject::tr("&Actual Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    QObject::connect(actual, &QAction::triggered, &zoom, [zoomTo] { zoomTo(1); });
    menu->addSeparator();
    QAction* grid = add("mnuShowGrid", QObject::tr("Show &Grid"), {QKeySequence(Qt::Key_G)});
    grid->setCheckable(true);
    grid->setChecked(SavedShowGrid());
    aids.ShowGrid(grid->isChecked());
    QObject::connect(grid, &QAction::toggled, grid, [&aids](bool on) {
        aids.ShowGrid(on);
        SaveShowGrid(on);
    });
    menu->addSeparator();
    QAction* mag = add("mnuMagnifier", QObject::tr("&Magnifier"), {QKeySequence(Qt::Key_F2)});
    OpensAndHides(mag, magnifier);
    QObject::connect(&magnifier, &MagnifierWindow::VisibilityChanged, mag, &QAction::setChecked);
    QAction* panel = add("mnuColours", QObject::tr("&Colours"), {QKeySequence(Qt::Key_F3)});
    OpensAndHides(panel, colours);
    QObject::connect(&colours, &QDockWidget::visibilityChanged, panel, [panel, &colours] {
        panel->setChecked(colours.isVisible());
    });
}

}  // namespace tw
