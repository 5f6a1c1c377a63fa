#pragma once
// "Face Sets": a 192 x 192 faceset of 48 x 48 portraits.

#include "editors/page.h"
#include "editors/pick_and_place.h"

namespace tw {

class FacesetPage : public Page {
public:
    FacesetPage(frmMain& form, modTWFunc& files);
    void Wire(Program& program) override;

    void FQ_MouseMove(int button, int shift, float x, float y);
    void FQ_MouseDown(int button, int shift, float x, float y);
    void FZ_MouseMove(int button, int shift, float x, float y);
    void FZ_MouseDown(int button, int shift, float x, float y);
    void cmdFnew_Click();
    void LoadQFace_Click();
    void LoadZFace_Click();
    void SaveZFace_Click();

private:
    static constexpr int16_t kFace = 48;
    PickAndPlace cells_;
};

}  // namespace tw
