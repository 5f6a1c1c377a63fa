#pragma once
// Builds the widgets of the main window's controls from the model: one widget
// per visible control, named after it, at its model position in its
// container. User input goes to UserActions; ViewSync keeps each widget in
// step with its control.

#include <QString>
#include <QWidget>
#include <string>
#include <unordered_map>

#include "gui/window/surface_widget.h"
#include "gui/window/tab_container.h"
#include "gui/window/user_actions.h"
#include "gui/window/view_sync.h"
#include "shell/frm_main.h"

namespace tw {

struct FormWidgets {
    // Every control that has a widget, by its model name; the buffers among
    // them are hidden (the user sees them through their image views).
    std::unordered_map<std::string, QWidget*> byName;
    std::unordered_map<std::string, TabContainer*> tabs;
    std::unordered_map<std::string, SurfaceWidget*> surfaces;
};

// Builds every control under `client` (the window's client area).
FormWidgets BuildForm(const frmMain& form, QWidget* client, UserActions& actions, ViewSync& sync);

// A model position in whole pixels: fractions round to the nearest pixel.
QRect PixelRect(const Placement& place);

}  // namespace tw
