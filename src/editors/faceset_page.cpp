#include "editors/faceset_page.h"

#include "editors/wiring.h"

namespace tw {

FacesetPage::FacesetPage(frmMain& form, modTWFunc& files)
    : cells_(form, files, {"FQ", "Fsel", "picFsel", "imgF1", "FZ", "Fins", "picFins", "imgF2"}) {}

void FacesetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, "FQ", FQ_MouseMove);
    TW_WIRE_DOWN(p, "FQ", FQ_MouseDown);
    TW_WIRE_MOVE(p, "FZ", FZ_MouseMove);
    TW_WIRE_DOWN(p, "FZ", FZ_MouseDown);
    TW_WIRE_CLICK(p, "cmdFnew", cmdFnew_Click);
    TW_WIRE_CLICK(p, "LoadQFace", LoadQFace_Click);
    TW_WIRE_CLICK(p, "LoadZFace", LoadZFace_Click);
    TW_WIRE_CLICK(p, "SaveZFace", SaveZFace_Click);
}

void FacesetPage::FQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, kFace); }
void FacesetPage::FQ_MouseDown(int b, int, float x, float y) { cells_.Pick(b, x, y, kFace, kFace, kFace); }
void FacesetPage::FZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, kFace, kFace, kFace);
}
void FacesetPage::FZ_MouseDown(int b, int, float x, float y) { cells_.Stamp(b, x, y, kFace, kFace, kFace); }
void FacesetPage::cmdFnew_Click() { cells_.FillTarget(cells_.Source(), 0, 0, true); }
void FacesetPage::LoadQFace_Click() { cells_.LoadSource("FQ", kFace, kFace); }
void FacesetPage::LoadZFace_Click() { cells_.LoadTarget("FZ"); }
void FacesetPage::SaveZFace_Click() { cells_.SaveTarget("FZ"); }

}  // namespace tw
