#pragma once
// "Char Sets": a 288 x 256 charset of eight characters, picked and stamped
// frame by frame (24 x 32) or, in whole-character mode, character by
// character (72 x 128), always on the 24 x 32 frame grid.

#include "editors/charset_preview.h"
#include "editors/page.h"

namespace tw {

class CharsetPage : public Page {
public:
    CharsetPage(frmMain& form, modTWFunc& files, Sheet& sheet);
    void Wire(Program& program) override;
    // In whole-character mode each frame is mirrored in its place, and a
    // horizontal mirror swaps the right- and left-facing rows.
    void Flip(bool horizontal) override;

    void RQ_MouseMove(int button, int shift, float x, float y);
    void RQ_MouseDown(int button, int shift, float x, float y);
    void RZ_MouseMove(int button, int shift, float x, float y);
    void RZ_MouseDown(int button, int shift, float x, float y);
    void cmdRnew_Click();
    void cmdCompleteSet_Click();
    void LoadQChar_Click();
    void LoadZChar_Click();
    void SaveZChar_Click();

    // Whole-character mode: picks and stamps take a whole character.
    bool WholeCharacter() const { return wholeCharacter_; }
    bool CanStepPreview(Side side) const override {
        return !(side == Side::Source ? sourcePreview_ : targetPreview_).Playing();
    }
    void StepPreview(Side side, int by) override {
        (side == Side::Source ? sourcePreview_ : targetPreview_).StepBy(by);
    }
    // Animation > Facing: both previews keep to one row (0 up, 1 right,
    // 2 down, 3 left), or turn as they always have (none).
    void SetFacing(std::optional<int> row) {
        sourcePreview_.SetFacing(row);
        targetPreview_.SetFacing(row);
    }

private:
    ModuleState& state_;
    bool wholeCharacter_ = false;
    Button& wholeCharacterButton_;  // its caption is bold while the mode is on
    OptionButton& sourceStopped_;
    OptionButton& targetStopped_;
    CharsetPreview sourcePreview_;
    CharsetPreview targetPreview_;
};

}  // namespace tw
