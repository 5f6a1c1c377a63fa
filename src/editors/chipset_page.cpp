#include "editors/chipset_page.h"

#include "editors/wiring.h"

namespace tw {

ChipsetPage::ChipsetPage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet), size_(form.State.ChipSelSize) {}

void ChipsetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, info_.source.surface, CQ_MouseMove);
    TW_WIRE_DOWN(p, info_.source.surface, CQ_MouseDown);
    TW_WIRE_MOVE(p, info_.target.surface, CZ_MouseMove);
    TW_WIRE_DOWN(p, info_.target.surface, CZ_MouseDown);
    TW_WIRE_CLICK(p, info_.newButton, cmdNew_Click);
    TW_WIRE_CLICK(p, info_.sizeButton, cmdSelGR_Click);
    TW_WIRE_CLICK(p, info_.source.loadButton, LoadQChip_Click);
    TW_WIRE_CLICK(p, info_.target.loadButton, LoadZChip_Click);
    TW_WIRE_CLICK(p, info_.saveButton, SaveZChip_Click);
}

void ChipsetPage::CQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, info_.grid); }

void ChipsetPage::CQ_MouseDown(int button, int, float x, float y) {
    cells_.Pick(button, x, y, info_.grid, size_, size_);
}

void ChipsetPage::CZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, {size_, size_});
}

void ChipsetPage::CZ_MouseDown(int button, int, float x, float y) {
    cells_.Stamp(button, x, y, {size_, size_});
}

// The template colour is the source's pixel where a chipset keeps its
// transparent colour; unlike the other pages, the target is not cleared first.
void ChipsetPage::cmdNew_Click() {
    cells_.FillTarget(cells_.Source(), info_.transparent.x, info_.transparent.y, false);
}

// 16 -> 32 -> 64 -> 128 -> 16.
void ChipsetPage::cmdSelGR_Click() {
    const std::optional<Size> next = NextCell(info_, {size_, size_});
    if (!next) return;
    size_ = static_cast<int16_t>(next->w);
    cells_.ResizeCell(next->w, next->h);
}

void ChipsetPage::LoadQChip_Click() { cells_.LoadSource(size_, size_); }
void ChipsetPage::LoadZChip_Click() { cells_.LoadTarget(); }
void ChipsetPage::SaveZChip_Click() { cells_.SaveTarget(); }

}  // namespace tw
