#pragma once
// What the window draws over the panes to help drawing, and only the window:
// the page's grid on every source and target (View > Show Grid) and the onion
// skin on the charset and battle targets (Animation > Onion Skin). Brought up
// to date after every event; the model's surfaces never hold any of it.

#include <QSize>

#include "editors/program.h"
#include "gui/window/form_builder.h"

namespace tw {

class DrawingAids {
public:
    DrawingAids(Program& program, const FormWidgets& widgets)
        : program_(program), widgets_(widgets) {}

    bool GridShown() const { return grid_; }
    void ShowGrid(bool on);
    void Refresh();

    // The step of the lines on a page's side: its cell as it stands, except
    // on a target whose stamps land halved, which shows the grid they snap to.
    static QSize GridStep(const Program& program, PageRef at);

private:
    Program& program_;
    const FormWidgets& widgets_;
    bool grid_ = false;
};

}  // namespace tw
