#pragma once
// "RPG95 zu RPG2K (Chip)": browses a 256 x 1024 chipset of the older engine in
// four 128 x 512 sections and stamps its blocks into a 480 x 256 chipset at
// their own size or halved (each target pixel the AND of a 2 x 2 block).

#include <array>

#include "editors/page.h"

namespace tw {

class ConverterPage : public Page {
public:
    ConverterPage(frmMain& form, modTWFunc& files, Sheet& sheet);
    void Wire(Program& program) override;

    void OQ_MouseMove(int button, int shift, float x, float y);
    void OQ_MouseDown(int button, int shift, float x, float y);
    void OZ_MouseMove(int button, int shift, float x, float y);
    void OZ_MouseDown(int button, int shift, float x, float y);
    void CLoadQr_Click();
    void cmdChange_Click();
    void cmdOSelGr_Click();
    void optModOneToOne_Click();
    void optModRPG2K_Click();
    void cmdOnew_Click();
    void LoadRChip_Click();
    void SaveRChip_Click();

    // "Copy Tiles 1:2": blocks are stamped halved on the 8-pixel grid.
    bool Halved() const;
    // Which of the four section indicators are marked. A reload marks the
    // first one again without clearing the others, so two can be marked.
    const std::array<bool, 4>& MarkedSections() const { return marked_; }

private:
    // Shows section n (1 to 4) of picTemp in the source view.
    void ShowSection(int n);
    // Marks or clears indicator i (0 to 3), red when marked, white otherwise.
    void Mark(int i, bool on);
    // 1:1 or 1:2: the mode's option is on, the insert outline one tile of its grid.
    void TakeMode(bool halved);

    ModuleState& state_;
    std::array<bool, 4> marked_{};
    const Surface& picTemp_;
    const Surface& templateColour_;  // picChip
    Button& changeSection_;
    OptionButton& oneToOne_;
    OptionButton& halvedOption_;
    Label* indicators_[4];
};

}  // namespace tw
