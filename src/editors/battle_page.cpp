#include "editors/battle_page.h"

#include "editors/wiring.h"

namespace tw {

BattlePage::BattlePage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : Page(form, files, sheet), cell_(static_cast<int16_t>(info_.cells.front().w)),
      sourcePreview_(form, info_.source.surface, "picBattleQAni", "imgBQAni", "tmrBattleQAni",
                     form.State.BattleQAniX, form.State.BattleQAniY, form.State.BattleQAniWrap),
      targetPreview_(form, info_.target.surface, "picBattleZAni", "imgBZAni", "tmrBattleZAni",
                     form.State.BattleZAniX, form.State.BattleZAniY, form.State.BattleZAniWrap) {}

void BattlePage::Wire(Program& p) {
    TW_WIRE_MOVE(p, info_.source.surface, BQ_MouseMove);
    TW_WIRE_DOWN(p, info_.source.surface, BQ_MouseDown);
    TW_WIRE_MOVE(p, info_.target.surface, BZ_MouseMove);
    TW_WIRE_DOWN(p, info_.target.surface, BZ_MouseDown);
    TW_WIRE_CLICK(p, info_.newButton, cmdBnew_Click);
    TW_WIRE_CLICK(p, info_.source.loadButton, LoadQBattle_Click);
    TW_WIRE_CLICK(p, info_.target.loadButton, LoadZBattle_Click);
    TW_WIRE_CLICK(p, info_.saveButton, SaveZBattle_Click);
    p.OnClick("optQBplay", [this] { sourcePreview_.Play(); });
    p.OnClick("optQBStop", [this] { sourcePreview_.Stop(); });
    p.OnTimer("tmrBattleQAni", [this] { sourcePreview_.Tick(); });
    p.OnClick("optZBplay", [this] { targetPreview_.Play(); });
    p.OnClick("optZBStop", [this] { targetPreview_.Stop(); });
    p.OnTimer("tmrBattleZAni", [this] { targetPreview_.Tick(); });
}

void BattlePage::BQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, info_.grid); }
void BattlePage::BQ_MouseDown(int b, int, float x, float y) { cells_.Pick(b, x, y, info_.grid, cell_, cell_); }
void BattlePage::BZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, {cell_, cell_});
}
void BattlePage::BZ_MouseDown(int b, int, float x, float y) { cells_.Stamp(b, x, y, {cell_, cell_}); }
void BattlePage::cmdBnew_Click() {
    cells_.FillTarget(cells_.Source(), info_.transparent.x, info_.transparent.y, true);
}
void BattlePage::LoadQBattle_Click() { cells_.LoadSource(cell_, cell_); }
void BattlePage::LoadZBattle_Click() { cells_.LoadTarget(); }
void BattlePage::SaveZBattle_Click() { cells_.SaveTarget(); }

}  // namespace tw
