#pragma once
// "Chip Sets": a 480 x 256 chipset of 16 x 16 tiles, picked and stamped in
// cells of 16, 32, 64 or 128 pixels on a 16-pixel grid.

#include "editors/page.h"

namespace tw {

class ChipsetPage : public Page {
public:
    ChipsetPage(frmMain& form, modTWFunc& files, Sheet& sheet);
    void Wire(Program& program) override;

    void CQ_MouseMove(int button, int shift, float x, float y);
    void CQ_MouseDown(int button, int shift, float x, float y);
    void CZ_MouseMove(int button, int shift, float x, float y);
    void CZ_MouseDown(int button, int shift, float x, float y);
    void cmdNew_Click();
    void cmdSelGR_Click();
    void LoadQChip_Click();
    void LoadZChip_Click();
    void SaveZChip_Click();

private:
    int16_t& size_;  // ChipSelSize
};

}  // namespace tw
