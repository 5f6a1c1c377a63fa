#include "editors/converter_page.h"

#include "editors/wiring.h"
#include "platform/blit.h"

namespace tw {

ConverterPage::ConverterPage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet), state_(form.State), picTemp_(form.Pic(info_.sourceCopy)),
      templateColour_(form.Pic("picChip")), changeSection_(form.Cmd("cmdChange")),
      oneToOne_(form.Opt("optModOneToOne")), halvedOption_(form.Opt("optModRPG2K")),
      indicators_{&form.Lbl("s1"), &form.Lbl("s2"), &form.Lbl("s3"), &form.Lbl("s4")} {}

void ConverterPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, info_.source.surface, OQ_MouseMove);
    TW_WIRE_DOWN(p, info_.source.surface, OQ_MouseDown);
    TW_WIRE_MOVE(p, info_.target.surface, OZ_MouseMove);
    TW_WIRE_DOWN(p, info_.target.surface, OZ_MouseDown);
    TW_WIRE_CLICK(p, info_.source.loadButton, CLoadQr_Click);
    TW_WIRE_CLICK(p, "cmdChange", cmdChange_Click);
    TW_WIRE_CLICK(p, info_.sizeButton, cmdOSelGr_Click);
    TW_WIRE_CLICK(p, "optModOneToOne", optModOneToOne_Click);
    TW_WIRE_CLICK(p, "optModRPG2K", optModRPG2K_Click);
    TW_WIRE_CLICK(p, info_.newButton, cmdOnew_Click);
    TW_WIRE_CLICK(p, info_.target.loadButton, LoadRChip_Click);
    TW_WIRE_CLICK(p, info_.saveButton, SaveRChip_Click);
}

void ConverterPage::OQ_MouseMove(int, int, float x, float y) {
    cells_.MoveSelection(x, y);
}

void ConverterPage::OQ_MouseDown(int button, int, float x, float y) {
    cells_.Pick(button, x, y);
}

void ConverterPage::OZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y);
}

// A held block is stamped whole: its own size 1:1, half of it halved; each
// mode on its own grid.
void ConverterPage::OZ_MouseDown(int button, int, float x, float y) {
    cells_.Stamp(button, x, y);
}

void ConverterPage::ShowSection(int n) {
    static constexpr int kOrigin[4][2] = {{0, 0}, {128, 0}, {0, 512}, {128, 512}};
    // Until a source has been loaded picTemp holds no picture, only its own
    // blank client: the view then stays the empty surface.
    if (picTemp_.GetPicture().IsEmpty()) return;
    Canvas& view = cells_.Source();
    BitBlt(view.hDC(), 0, 0, 128, 512, picTemp_.View(), kOrigin[n - 1][0], kOrigin[n - 1][1]);
    view.Refresh();
}

void ConverterPage::CLoadQr_Click() {
    cells_.Source().Cls();
    // The picture lands in the view and in picTemp; a cancel leaves picTemp
    // as it was, and the steps below run all the same.
    cells_.OpenSource();
    ShowSection(1);
    cells_.RetakeSelection();
    changeSection_.SetEnabled(true);
    Mark(0, true);
}

void ConverterPage::Mark(int i, bool on) {
    marked_[i] = on;
    indicators_[i]->SetBackColor(on ? frmMain::kRed : frmMain::kWhite);
}

// The first marked section hands its mark on to the next one, 4 to 1.
void ConverterPage::cmdChange_Click() {
    int marked = 0;
    for (int i = 0; i < 4 && !marked; ++i)
        if (marked_[i]) marked = i + 1;
    if (!marked) return;
    const int next = marked == 4 ? 1 : marked + 1;
    Mark(next - 1, true);
    Mark(marked - 1, false);
    ShowSection(next);
}

// 16 -> 32 -> 64 -> 128 -> 16; in 1:2 mode the insert outline and target
// preview take half the cell.
void ConverterPage::cmdOSelGr_Click() {
    const int16_t size = state_.ConvSelSize;
    const std::optional<Size> next = NextCell(info_, {size, size});
    if (!next) return;
    cells_.SetCell(*next);
    if (!Halved()) return;
    const StampPlan half = PlanStamp(info_, true, *next, 0, 0);
    cells_.ResizeInsert(half.w, half.h);
}

void ConverterPage::optModOneToOne_Click() { TakeMode(false); }
void ConverterPage::optModRPG2K_Click() { TakeMode(true); }

// The insert outline takes one tile of the mode's grid (16 pixels 1:1, 8
// halved), whatever the selection size.
void ConverterPage::TakeMode(bool halved) {
    OptionButton& on = halved ? halvedOption_ : oneToOne_;
    if (!on.Value()) on.Select();
    const Grid grid = TargetGrid(info_, halved);
    state_.ConvCellSize = grid.x;
    cells_.ResizeInsert(grid.x, grid.y);
}

bool ConverterPage::Halved() const { return halvedOption_.Value(); }

// The template colour comes from picChip: red 255, green 103, blue 139.
void ConverterPage::cmdOnew_Click() { cells_.FillTarget(templateColour_, 0, 0, true); }

void ConverterPage::LoadRChip_Click() { cells_.LoadTarget(); }
void ConverterPage::SaveRChip_Click() { cells_.SaveTarget(); }

}  // namespace tw
