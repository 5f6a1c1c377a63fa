#include "editors/plain_page.h"

#include "editors/program.h"

namespace tw {

PlainPage::PlainPage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet) {}

void PlainPage::StepCellSize() {
    const Size next = NextCell(info_, cells_.Cell()).value_or(info_.cells.front());
    cells_.SetCell(next);
}

void PlainPage::Wire(Program& p) {
    const PageSide& q = info_.source;
    const PageSide& z = info_.target;
    p.OnMouseMove(q.surface, [this](int, int, float x, float y) { cells_.MoveSelection(x, y); });
    p.OnMouseDown(q.surface, [this](int b, int, float x, float y) { cells_.Pick(b, x, y); });
    p.OnMouseMove(z.surface, [this](int, int, float x, float y) { cells_.PreviewTarget(x, y); });
    p.OnMouseDown(z.surface, [this](int b, int, float x, float y) { cells_.Stamp(b, x, y); });
    // The chipset keeps what was on its target under the fill; the others clear it first.
    p.OnClick(info_.newButton, [this] {
        cells_.FillTarget(cells_.Source(), info_.transparent.x, info_.transparent.y,
                          info_.templateClears);
    });
    if (info_.sizeButton) p.OnClick(info_.sizeButton, [this] { StepCellSize(); });
    p.OnClick(q.loadButton, [this] { cells_.LoadSource(); });
    p.OnClick(z.loadButton, [this] { cells_.LoadTarget(); });
    p.OnClick(info_.saveButton, [this] { cells_.SaveTarget(); });
}

}  // namespace tw
