#pragma once
// "Battle Animation Sets": a plain page of 96 x 96 cells on the nested
// "Quellbild" and "Zielbild" pages, each side with its animation preview.

#include "editors/battle_preview.h"
#include "editors/plain_page.h"

namespace tw {

class BattlePage : public PlainPage {
public:
    BattlePage(frmMain& form, modTWFunc& files, Sheet& sheet);
    void Wire(Program& program) override;

    bool CanStepPreview(Side side) const override {
        return !(side == Side::Source ? sourcePreview_ : targetPreview_).Playing();
    }
    void StepPreview(Side side, int by) override {
        (side == Side::Source ? sourcePreview_ : targetPreview_).StepBy(by);
    }
    BattlePreview& SourcePreview() { return sourcePreview_; }
    BattlePreview& TargetPreview() { return targetPreview_; }

private:
    BattlePreview sourcePreview_;
    BattlePreview targetPreview_;
};

}  // namespace tw
