#pragma once
// "RPG95 zu RPG2K (Chip)": browses a 256 x 1024 chipset of the older engine in
// four 128 x 512 sections and stamps its blocks into a 480 x 256 chipset at
// their own size or halved (each target pixel the AND of a 2 x 2 block).

#include "editors/page.h"
#include "editors/pick_and_place.h"

namespace tw {

class ConverterPage : public Page {
public:
    ConverterPage(frmMain& form, modTWFunc& files);
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

private:
    static constexpr int16_t kSourceGrid = 16;
    // Shows section n (1 to 4) of picTemp in the source view.
    void ShowSection(int n);

    frmMain& form_;
    PickAndPlace cells_;
    Surface& picTemp_;
    Label* indicators_[4];
};

}  // namespace tw
