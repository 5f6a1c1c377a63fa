#include "editors/chipset_page.h"

#include "editors/wiring.h"

namespace tw {

ChipsetPage::ChipsetPage(frmMain& form, modTWFunc& files)
    : form_(form),
      cells_(form, files, {"CQ", "Csel", "picCsel", "imgC1", "CZ", "Cins", "picCins", "imgC2"}) {}

void ChipsetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, "CQ", CQ_MouseMove);
    TW_WIRE_DOWN(p, "CQ", CQ_MouseDown);
    TW_WIRE_MOVE(p, "CZ", CZ_MouseMove);
    TW_WIRE_DOWN(p, "CZ", CZ_MouseDown);
    TW_WIRE_CLICK(p, "cmdNew", cmdNew_Click);
    TW_WIRE_CLICK(p, "cmdSelGR", cmdSelGR_Click);
    TW_WIRE_CLICK(p, "LoadQChip", LoadQChip_Click);
    TW_WIRE_CLICK(p, "LoadZChip", LoadZChip_Click);
    TW_WIRE_CLICK(p, "SaveZChip", SaveZChip_Click);
}

void ChipsetPage::CQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, kGrid); }

void ChipsetPage::CQ_MouseDown(int button, int, float x, float y) {
    const int s = form_.State.ChipSelSize;
    cells_.Pick(button, x, y, kGrid, s, s);
}

void ChipsetPage::CZ_MouseMove(int, int, float x, float y) {
    const int s = form_.State.ChipSelSize;
    cells_.PreviewTarget(x, y, kGrid, s, s);
}

void ChipsetPage::CZ_MouseDown(int button, int, float x, float y) {
    const int s = form_.State.ChipSelSize;
    cells_.Stamp(button, x, y, kGrid, s, s);
}

// The template colour is the source's pixel at (288, 128); the target is not
// cleared first.
void ChipsetPage::cmdNew_Click() { cells_.FillTarget(cells_.Source(), 288, 128, false); }

void ChipsetPage::cmdSelGR_Click() {
    int16_t& size = form_.State.ChipSelSize;
    int twips;
    switch (size) {
        case 16: size = 32; twips = 540; break;
        case 32: size = 64; twips = 1020; break;
        case 64: size = 128; twips = 1980; break;
        case 128: size = 16; twips = 300; break;
        default: return;
    }
    cells_.ResizeCell(size, size, twips, twips);
}

void ChipsetPage::LoadQChip_Click() {
    const int s = form_.State.ChipSelSize;
    cells_.LoadSource("CQ", s, s);
}

void ChipsetPage::LoadZChip_Click() { cells_.LoadTarget("CZ"); }

void ChipsetPage::SaveZChip_Click() { cells_.SaveTarget("CZ"); }

}  // namespace tw
