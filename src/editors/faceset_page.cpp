#include "editors/faceset_page.h"

#include "editors/wiring.h"

namespace tw {

FacesetPage::FacesetPage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet), face_(info_.cells.front()) {}

void FacesetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, info_.source.surface, FQ_MouseMove);
    TW_WIRE_DOWN(p, info_.source.surface, FQ_MouseDown);
    TW_WIRE_MOVE(p, info_.target.surface, FZ_MouseMove);
    TW_WIRE_DOWN(p, info_.target.surface, FZ_MouseDown);
    TW_WIRE_CLICK(p, info_.newButton, cmdFnew_Click);
    TW_WIRE_CLICK(p, info_.source.loadButton, LoadQFace_Click);
    TW_WIRE_CLICK(p, info_.target.loadButton, LoadZFace_Click);
    TW_WIRE_CLICK(p, info_.saveButton, SaveZFace_Click);
}

void FacesetPage::FQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, info_.grid); }
void FacesetPage::FQ_MouseDown(int b, int, float x, float y) {
    cells_.Pick(b, x, y, info_.grid, face_.w, face_.h);
}
void FacesetPage::FZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, {face_.w, face_.h});
}
void FacesetPage::FZ_MouseDown(int b, int, float x, float y) {
    cells_.Stamp(b, x, y, {face_.w, face_.h});
}
void FacesetPage::cmdFnew_Click() {
    cells_.FillTarget(cells_.Source(), info_.transparent.x, info_.transparent.y, true);
}
void FacesetPage::LoadQFace_Click() { cells_.LoadSource(face_.w, face_.h); }
void FacesetPage::LoadZFace_Click() { cells_.LoadTarget(); }
void FacesetPage::SaveZFace_Click() { cells_.SaveTarget(); }

}  // namespace tw
