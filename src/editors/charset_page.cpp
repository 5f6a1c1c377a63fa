#include "editors/charset_page.h"

#include "editors/wiring.h"

namespace tw {

CharsetPage::CharsetPage(frmMain& form, modTWFunc& files)
    : form_(form),
      cells_(form, files, {"RQ", "Rsel", "picRsel", "imgR1", "RZ", "Rins", "picRins", "imgR2"}),
      sourcePreview_(form, "RQ", "picCharQAni", "imgQAni", "tmrCharQAni",
                     {form.State.CharQAniX, form.State.CharQAniY, form.State.CharQAniTick,
                      form.State.CharQAniBaseX, form.State.CharQAniBaseY}),
      targetPreview_(form, "RZ", "picCharZani", "imgZani", "tmrCharZAni",
                     {form.State.CharZAniX, form.State.CharZAniY, form.State.CharZAniTick,
                      form.State.CharZAniBaseX, form.State.CharZAniBaseY}) {}

void CharsetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, "RQ", RQ_MouseMove);
    TW_WIRE_DOWN(p, "RQ", RQ_MouseDown);
    TW_WIRE_MOVE(p, "RZ", RZ_MouseMove);
    TW_WIRE_DOWN(p, "RZ", RZ_MouseDown);
    TW_WIRE_CLICK(p, "cmdRnew", cmdRnew_Click);
    TW_WIRE_CLICK(p, "cmdCompleteSet", cmdCompleteSet_Click);
    TW_WIRE_CLICK(p, "LoadQChar", LoadQChar_Click);
    TW_WIRE_CLICK(p, "LoadZChar", LoadZChar_Click);
    TW_WIRE_CLICK(p, "SaveZChar", SaveZChar_Click);
    p.OnClick("optRplay", [this] { sourcePreview_.Play(); });
    p.OnClick("optRStop", [this] { sourcePreview_.Stop(); });
    p.OnTimer("tmrCharQAni", [this] { sourcePreview_.Tick(); });
    p.OnClick("optZplay", [this] { targetPreview_.Play(); });
    p.OnClick("optZstop", [this] { targetPreview_.Stop(); });
    p.OnTimer("tmrCharZAni", [this] { targetPreview_.Tick(); });
}

void CharsetPage::RQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, kGrid); }

void CharsetPage::RQ_MouseDown(int button, int, float x, float y) {
    ModuleState& s = form_.State;
    if (!cells_.Pick(button, x, y, kGrid, s.CharFrameW, s.CharFrameH)) return;
    // While the source preview is stopped, the picked frame becomes its base.
    if (form_.Opt("optRStop").Value()) {
        s.CharQAniBaseX = static_cast<int16_t>(cells_.Selection().Left());
        s.CharQAniBaseY = static_cast<int16_t>(cells_.Selection().Top());
    }
}

void CharsetPage::RZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, kGrid, form_.State.CharFrameW, form_.State.CharFrameH);
}

void CharsetPage::RZ_MouseDown(int button, int, float x, float y) {
    ModuleState& s = form_.State;
    if (!cells_.Stamp(button, x, y, kGrid, s.CharFrameW, s.CharFrameH)) return;
    if (form_.Opt("optZstop").Value()) {
        s.CharZAniBaseX = static_cast<int16_t>(cells_.Insert().Left());
        s.CharZAniBaseY = static_cast<int16_t>(cells_.Insert().Top());
    }
}

void CharsetPage::cmdRnew_Click() { cells_.FillTarget(cells_.Source(), 0, 0, true); }

// Whole-character mode lives in the button's bold caption font.
void CharsetPage::cmdCompleteSet_Click() {
    Button& button = form_.Cmd("cmdCompleteSet");
    const bool on = !button.FontBold();
    button.SetFontBold(on);
    form_.State.CharFrameW = on ? 72 : 24;
    form_.State.CharFrameH = on ? 128 : 32;
    cells_.ResizeCell(form_.State.CharFrameW, form_.State.CharFrameH, on ? 1140 : 420,
                      on ? 1980 : 540);
}

void CharsetPage::LoadQChar_Click() {
    cells_.LoadSource("RQ", form_.State.CharFrameW, form_.State.CharFrameH);
}

void CharsetPage::LoadZChar_Click() { cells_.LoadTarget("RZ"); }
void CharsetPage::SaveZChar_Click() { cells_.SaveTarget("RZ"); }

}  // namespace tw
