#include "editors/systemset_page.h"

#include "editors/wiring.h"

namespace tw {

SystemsetPage::SystemsetPage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet), size_(form.State.SysSelSize) {}

void SystemsetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, info_.source.surface, SQ_MouseMove);
    TW_WIRE_DOWN(p, info_.source.surface, SQ_MouseDown);
    TW_WIRE_MOVE(p, info_.target.surface, SZ_MouseMove);
    TW_WIRE_DOWN(p, info_.target.surface, SZ_MouseDown);
    TW_WIRE_CLICK(p, info_.newButton, cmdSnew_Click);
    TW_WIRE_CLICK(p, info_.sizeButton, ySelSize_Click);
    TW_WIRE_CLICK(p, info_.source.loadButton, LoadQSystem_Click);
    TW_WIRE_CLICK(p, info_.target.loadButton, LoadZSystem_Click);
    TW_WIRE_CLICK(p, info_.saveButton, SaveZSystem_Click);
}

void SystemsetPage::SQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, info_.grid); }

void SystemsetPage::SQ_MouseDown(int b, int, float x, float y) {
    cells_.Pick(b, x, y, info_.grid, size_, size_);
}

void SystemsetPage::SZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, {size_, size_});
}

void SystemsetPage::SZ_MouseDown(int b, int, float x, float y) {
    cells_.Stamp(b, x, y, {size_, size_});
}

// The template colour sits in the systemset's colour key cell.
void SystemsetPage::cmdSnew_Click() {
    cells_.FillTarget(cells_.Source(), info_.transparent.x, info_.transparent.y, true);
}

// 16 -> 32 -> 16; any other size goes back to 16.
void SystemsetPage::ySelSize_Click() {
    const Size next = NextCell(info_, {size_, size_}).value_or(info_.cells.front());
    size_ = static_cast<int16_t>(next.w);
    cells_.ResizeCell(next.w, next.h);
}

void SystemsetPage::LoadQSystem_Click() { cells_.LoadSource(size_, size_); }
void SystemsetPage::LoadZSystem_Click() { cells_.LoadTarget(); }
void SystemsetPage::SaveZSystem_Click() { cells_.SaveTarget(); }

}  // namespace tw
