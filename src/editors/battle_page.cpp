#include "editors/battle_page.h"

#include "editors/program.h"

namespace tw {

BattlePage::BattlePage(frmMain& form, modTWFunc& files, Sheet& sheet)
    : PlainPage(form, files, sheet),
      sourcePreview_(form, info_.source.surface, "picBattleQAni", "imgBQAni", "tmrBattleQAni",
                     form.State.BattleQAniX, form.State.BattleQAniY, form.State.BattleQAniWrap),
      targetPreview_(form, info_.target.surface, "picBattleZAni", "imgBZAni", "tmrBattleZAni",
                     form.State.BattleZAniX, form.State.BattleZAniY, form.State.BattleZAniWrap) {}

void BattlePage::Wire(Program& p) {
    PlainPage::Wire(p);
    p.OnClick("optQBplay", [this] { sourcePreview_.Play(); });
    p.OnClick("optQBStop", [this] { sourcePreview_.Stop(); });
    p.OnTimer("tmrBattleQAni", [this] { sourcePreview_.Tick(); });
    p.OnClick("optZBplay", [this] { targetPreview_.Play(); });
    p.OnClick("optZBStop", [this] { targetPreview_.Stop(); });
    p.OnTimer("tmrBattleZAni", [this] { targetPreview_.Tick(); });
}

}  // namespace tw
