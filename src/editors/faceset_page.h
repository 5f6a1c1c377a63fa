#pragma once
// "Face Sets": a 192 x 192 faceset of 48 x 48 portraits.

#include "editors/page.h"

namespace tw {

class FacesetPage : public Page {
public:
    FacesetPage(frmMain& form, modTWFunc& files, Sheet& sheet);
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
    const Size face_;  // the one cell size, 48 x 48
};

}  // namespace tw
