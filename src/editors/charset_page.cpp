#include "editors/charset_page.h"

#include "editors/wiring.h"

namespace tw {

CharsetPage::CharsetPage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet), state_(form.State),
      wholeCharacterButton_(form.Cmd(info_.sizeButton)), sourceStopped_(form.Opt("optRStop")),
      targetStopped_(form.Opt("optZstop")),
      sourcePreview_(form, info_.source.surface, "picCharQAni", "imgQAni", "tmrCharQAni",
                     {form.State.CharQAniX, form.State.CharQAniY, form.State.CharQAniTick,
                      form.State.CharQAniBaseX, form.State.CharQAniBaseY}),
      targetPreview_(form, info_.target.surface, "picCharZani", "imgZani", "tmrCharZAni",
                     {form.State.CharZAniX, form.State.CharZAniY, form.State.CharZAniTick,
                      form.State.CharZAniBaseX, form.State.CharZAniBaseY}) {}

void CharsetPage::Wire(Program& p) {
    TW_WIRE_MOVE(p, info_.source.surface, RQ_MouseMove);
    TW_WIRE_DOWN(p, info_.source.surface, RQ_MouseDown);
    TW_WIRE_MOVE(p, info_.target.surface, RZ_MouseMove);
    TW_WIRE_DOWN(p, info_.target.surface, RZ_MouseDown);
    TW_WIRE_CLICK(p, info_.newButton, cmdRnew_Click);
    TW_WIRE_CLICK(p, info_.sizeButton, cmdCompleteSet_Click);
    TW_WIRE_CLICK(p, info_.source.loadButton, LoadQChar_Click);
    TW_WIRE_CLICK(p, info_.target.loadButton, LoadZChar_Click);
    TW_WIRE_CLICK(p, info_.saveButton, SaveZChar_Click);
    p.OnClick("optRplay", [this] { sourcePreview_.Play(); });
    p.OnClick("optRStop", [this] { sourcePreview_.Stop(); });
    p.OnTimer("tmrCharQAni", [this] { sourcePreview_.Tick(); });
    p.OnClick("optZplay", [this] { targetPreview_.Play(); });
    p.OnClick("optZstop", [this] { targetPreview_.Stop(); });
    p.OnTimer("tmrCharZAni", [this] { targetPreview_.Tick(); });
}

void CharsetPage::RQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y); }

void CharsetPage::RQ_MouseDown(int button, int, float x, float y) {
    ModuleState& s = state_;
    if (!cells_.Pick(button, x, y)) return;
    // While the source preview is stopped, the picked frame becomes its base.
    if (sourceStopped_.Value()) {
        s.CharQAniBaseX = static_cast<int16_t>(cells_.Selection().Left());
        s.CharQAniBaseY = static_cast<int16_t>(cells_.Selection().Top());
    }
}

void CharsetPage::RZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y);
}

void CharsetPage::RZ_MouseDown(int button, int, float x, float y) {
    ModuleState& s = state_;
    if (!cells_.Stamp(button, x, y)) return;
    if (targetStopped_.Value()) {
        s.CharZAniBaseX = static_cast<int16_t>(cells_.Insert().Left());
        s.CharZAniBaseY = static_cast<int16_t>(cells_.Insert().Top());
    }
}

void CharsetPage::cmdRnew_Click() {
    cells_.FillTarget(cells_.Source(), info_.transparent.x, info_.transparent.y, true);
}

// Toggles whole-character mode; the button shows it with a bold caption.
void CharsetPage::cmdCompleteSet_Click() {
    wholeCharacter_ = !wholeCharacter_;
    wholeCharacterButton_.SetFontBold(wholeCharacter_);
    const Size cell = info_.cells[wholeCharacter_ ? 1 : 0];
    cells_.SetCell(cell);
}

void CharsetPage::Flip(bool horizontal) {
    if (!wholeCharacter_) return Page::Flip(horizontal);
    cells_.FlipSelection(horizontal, info_.cells[0], true);
}

void CharsetPage::LoadQChar_Click() { cells_.LoadSource(); }
void CharsetPage::LoadZChar_Click() { cells_.LoadTarget(); }
void CharsetPage::SaveZChar_Click() { cells_.SaveTarget(); }

}  // namespace tw
