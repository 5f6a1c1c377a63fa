#include "editors/converter_page.h"

#include "editors/wiring.h"
#include "platform/blit.h"
#include "shell/snap_to_grid.h"

namespace tw {

ConverterPage::ConverterPage(frmMain& form, modTWFunc& files)
    : form_(form),
      cells_(form, files, {"OQ", "Osel", "picOsel", "imgO1", "OZ", "Oins", "picOins", "imgO2"}),
      picTemp_(form.Pic("picTemp")),
      indicators_{&form.Lbl("s1"), &form.Lbl("s2"), &form.Lbl("s3"), &form.Lbl("s4")} {}

void ConverterPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, "OQ", OQ_MouseMove);
    TW_WIRE_DOWN(p, "OQ", OQ_MouseDown);
    TW_WIRE_MOVE(p, "OZ", OZ_MouseMove);
    TW_WIRE_DOWN(p, "OZ", OZ_MouseDown);
    TW_WIRE_CLICK(p, "CLoadQr", CLoadQr_Click);
    TW_WIRE_CLICK(p, "cmdChange", cmdChange_Click);
    TW_WIRE_CLICK(p, "cmdOSelGr", cmdOSelGr_Click);
    TW_WIRE_CLICK(p, "optModOneToOne", optModOneToOne_Click);
    TW_WIRE_CLICK(p, "optModRPG2K", optModRPG2K_Click);
    TW_WIRE_CLICK(p, "cmdOnew", cmdOnew_Click);
    TW_WIRE_CLICK(p, "LoadRChip", LoadRChip_Click);
    TW_WIRE_CLICK(p, "SaveRChip", SaveRChip_Click);
}

void ConverterPage::OQ_MouseMove(int, int, float x, float y) {
    cells_.MoveSelection(x, y, kSourceGrid);
}

void ConverterPage::OQ_MouseDown(int button, int, float x, float y) {
    const int s = form_.State.ConvSelSize;
    cells_.Pick(button, x, y, kSourceGrid, s, s);
}

void ConverterPage::OZ_MouseMove(int, int, float x, float y) {
    const int s = form_.State.ConvSelSize;
    cells_.PreviewTarget(x, y, form_.State.ConvCellSize, s, s);
}

void ConverterPage::OZ_MouseDown(int button, int, float x, float y) {
    cells_.MoveInsert(x, y, form_.State.ConvCellSize);
    if (button != 1) return;
    const int s = form_.State.ConvSelSize;
    Surface& target = cells_.Target();
    const Raster& picked = cells_.SelectionBuffer().View();
    // Two independent tests, as the two modes were built: each stamps on its
    // own grid.
    if (form_.Opt("optModOneToOne").Value()) {
        BitBlt(target.hDC(), SnapToGrid(x, 16), SnapToGrid(y, 16), s, s, picked, 0, 0);
        target.Refresh();
    }
    if (form_.Opt("optModRPG2K").Value()) {
        StretchBlt(target.hDC(), SnapToGrid(x, 8), SnapToGrid(y, 8), s / 2, s / 2, picked, 0, 0, s,
                   s);
        target.Refresh();
    }
}

void ConverterPage::ShowSection(int n) {
    static constexpr int kOrigin[4][2] = {{0, 0}, {128, 0}, {0, 512}, {128, 512}};
    // Until a source has been loaded picTemp holds no picture, only its own
    // blank client: the view then stays the empty surface.
    if (picTemp_.GetPicture().IsEmpty()) return;
    Surface& view = cells_.Source();
    BitBlt(view.hDC(), 0, 0, 128, 512, picTemp_.View(), kOrigin[n - 1][0], kOrigin[n - 1][1]);
    view.Refresh();
}

void ConverterPage::CLoadQr_Click() {
    cells_.Source().Cls();
    // The picture lands in the view and in picTemp; a cancel leaves picTemp
    // as it was, and the steps below run all the same.
    cells_.Open("OQ");
    ShowSection(1);
    const int s = form_.State.ConvSelSize;
    cells_.RetakeSelection(s, s);
    form_.Cmd("cmdChange").SetEnabled(true);
    indicators_[0]->SetBackColor(frmMain::kRed);
}

void ConverterPage::cmdChange_Click() {
    int marked = 0;
    for (int i = 0; i < 4 && !marked; ++i)
        if (indicators_[i]->BackColor() == frmMain::kRed) marked = i + 1;
    if (!marked) return;
    const int next = marked == 4 ? 1 : marked + 1;
    indicators_[next - 1]->SetBackColor(frmMain::kRed);
    indicators_[marked - 1]->SetBackColor(frmMain::kWhite);
    ShowSection(next);
}

void ConverterPage::cmdOSelGr_Click() {
    int16_t& size = form_.State.ConvSelSize;
    int twips, halfTwips;
    switch (size) {
        case 16: size = 32; twips = 540; halfTwips = 300; break;
        case 32: size = 64; twips = 1020; halfTwips = 540; break;
        case 64: size = 128; twips = 1980; halfTwips = 1020; break;
        case 128: size = 16; twips = 300; halfTwips = 180; break;
        default: return;
    }
    cells_.ResizeCell(size, size, twips, twips);
    if (!form_.Opt("optModRPG2K").Value()) return;
    cells_.Insert().Resize(size / 2, size / 2);
    cells_.PreviewBuffer().SetOuterTwips(halfTwips, halfTwips);
}

void ConverterPage::optModOneToOne_Click() {
    form_.State.ConvCellSize = 16;
    cells_.Insert().Resize(16, 16);
    cells_.PreviewBuffer().SetOuterTwips(300, 300);
}

void ConverterPage::optModRPG2K_Click() {
    form_.State.ConvCellSize = 8;
    cells_.Insert().Resize(8, 8);
    cells_.PreviewBuffer().SetOuterTwips(180, 180);
}

// The template colour comes from picChip: red 255, green 103, blue 139.
void ConverterPage::cmdOnew_Click() { cells_.FillTarget(form_.Pic("picChip"), 0, 0, true); }

void ConverterPage::LoadRChip_Click() { cells_.LoadTarget("OZ"); }
void ConverterPage::SaveRChip_Click() { cells_.SaveTarget("OZ"); }

}  // namespace tw
