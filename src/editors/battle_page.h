#pragma once
// "Battle Animation Sets": a 480 x 480 set of 96 x 96 cells on the nested
// "Quellbild" and "Zielbild" pages, each side with its animation preview.

#include "editors/battle_preview.h"
#include "editors/page.h"

namespace tw {

class BattlePage : public Page {
public:
    BattlePage(frmMain& form, modTWFunc& files, Sheet& sheet);
    void Wire(Program& program) override;

    void BQ_MouseMove(int button, int shift, float x, float y);
    void BQ_MouseDown(int button, int shift, float x, float y);
    void BZ_MouseMove(int button, int shift, float x, float y);
    void BZ_MouseDown(int button, int shift, float x, float y);
    void cmdBnew_Click();
    void LoadQBattle_Click();
    void LoadZBattle_Click();
    void SaveZBattle_Click();

    bool CanStepPreview(Side side) const override {
        return !(side == Side::Source ? sourcePreview_ : targetPreview_).Playing();
    }
    void StepPreview(Side side, int by) override {
        (side == Side::Source ? sourcePreview_ : targetPreview_).StepBy(by);
    }
    BattlePreview& SourcePreview() { return sourcePreview_; }
    BattlePreview& TargetPreview() { return targetPreview_; }

private:
    const int16_t cell_;  // the one square cell, 96 pixels
    BattlePreview sourcePreview_;
    BattlePreview targetPreview_;
};

}  // namespace tw
