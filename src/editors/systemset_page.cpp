#include "editors/systemset_page.h"

#include "editors/wiring.h"

namespace tw {

SystemsetPage::SystemsetPage(frmMain& form, modTWFunc& files)
    : form_(form),
      cells_(form, files, {"SQ", "Ssel", "picSsel", "imgS1", "SZ", "Sins", "picSins", "imgS2"}) {}

void SystemsetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, "SQ", SQ_MouseMove);
    TW_WIRE_DOWN(p, "SQ", SQ_MouseDown);
    TW_WIRE_MOVE(p, "SZ", SZ_MouseMove);
    TW_WIRE_DOWN(p, "SZ", SZ_MouseDown);
    TW_WIRE_CLICK(p, "cmdSnew", cmdSnew_Click);
    TW_WIRE_CLICK(p, "ySelSize", ySelSize_Click);
    TW_WIRE_CLICK(p, "LoadQSystem", LoadQSystem_Click);
    TW_WIRE_CLICK(p, "LoadZSystem", LoadZSystem_Click);
    TW_WIRE_CLICK(p, "SaveZSystem", SaveZSystem_Click);
}

void SystemsetPage::SQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, kGrid); }

void SystemsetPage::SQ_MouseDown(int b, int, float x, float y) {
    const int s = form_.State.SysSelSize;
    cells_.Pick(b, x, y, kGrid, s, s);
}

void SystemsetPage::SZ_MouseMove(int, int, float x, float y) {
    const int s = form_.State.SysSelSize;
    cells_.PreviewTarget(x, y, kGrid, s, s);
}

void SystemsetPage::SZ_MouseDown(int b, int, float x, float y) {
    const int s = form_.State.SysSelSize;
    cells_.Stamp(b, x, y, kGrid, s, s);
}

// The systemset's template colour sits at source pixel (128, 0).
void SystemsetPage::cmdSnew_Click() { cells_.FillTarget(cells_.Source(), 128, 0, true); }

void SystemsetPage::ySelSize_Click() {
    int16_t& size = form_.State.SysSelSize;
    size = size == 16 ? 32 : 16;
    const int twips = size == 32 ? 540 : 300;
    cells_.ResizeCell(size, size, twips, twips);
}

void SystemsetPage::LoadQSystem_Click() {
    const int s = form_.State.SysSelSize;
    cells_.LoadSource("SQ", s, s);
}

void SystemsetPage::LoadZSystem_Click() { cells_.LoadTarget("SZ"); }
void SystemsetPage::SaveZSystem_Click() { cells_.SaveTarget("SZ"); }

}  // namespace tw
