#include "editors/battle_page.h"

#include "editors/wiring.h"

namespace tw {

BattlePage::BattlePage(frmMain& form, modTWFunc& files)
    : cells_(form, files, {"BQ", "Bsel", "picBsel", "imgB1", "BZ", "Bins", "picBins", "imgB2"}),
      sourcePreview_(form, "BQ", "picBattleQAni", "imgBQAni", "tmrBattleQAni",
                     form.State.BattleQAniX, form.State.BattleQAniY, form.State.BattleQAniWrap),
      targetPreview_(form, "BZ", "picBattleZAni", "imgBZAni", "tmrBattleZAni",
                     form.State.BattleZAniX, form.State.BattleZAniY, form.State.BattleZAniWrap) {}

void BattlePage::Wire(Program& p) {
    TW_WIRE_MOVE(p, "BQ", BQ_MouseMove);
    TW_WIRE_DOWN(p, "BQ", BQ_MouseDown);
    TW_WIRE_MOVE(p, "BZ", BZ_MouseMove);
    TW_WIRE_DOWN(p, "BZ", BZ_MouseDown);
    TW_WIRE_CLICK(p, "cmdBnew", cmdBnew_Click);
    TW_WIRE_CLICK(p, "LoadQBattle", LoadQBattle_Click);
    TW_WIRE_CLICK(p, "LoadZBattle", LoadZBattle_Click);
    TW_WIRE_CLICK(p, "SaveZBattle", SaveZBattle_Click);
    p.OnClick("optQBplay", [this] { sourcePreview_.Play(); });
    p.OnClick("optQBStop", [this] { sourcePreview_.Stop(); });
    p.OnTimer("tmrBattleQAni", [this] { sourcePreview_.Tick(); });
    p.OnClick("optZBplay", [this] { targetPreview_.Play(); });
    p.OnClick("optZBStop", [this] { targetPreview_.Stop(); });
    p.OnTimer("tmrBattleZAni", [this] { targetPreview_.Tick(); });
}

void BattlePage::BQ_MouseMove(int, int, float x, float y) { cells_.MoveSelection(x, y, kCell); }
void BattlePage::BQ_MouseDown(int b, int, float x, float y) { cells_.Pick(b, x, y, kCell, kCell, kCell); }
void BattlePage::BZ_MouseMove(int, int, float x, float y) {
    cells_.PreviewTarget(x, y, kCell, kCell, kCell);
}
void BattlePage::BZ_MouseDown(int b, int, float x, float y) { cells_.Stamp(b, x, y, kCell, kCell, kCell); }
void BattlePage::cmdBnew_Click() { cells_.FillTarget(cells_.Source(), 0, 0, true); }
void BattlePage::LoadQBattle_Click() { cells_.LoadSource("BQ", kCell, kCell); }
void BattlePage::LoadZBattle_Click() { cells_.LoadTarget("BZ"); }
void BattlePage::SaveZBattle_Click() { cells_.SaveTarget("BZ"); }

}  // namespace tw
