#pragma once
// "System Sets": a 160 x 80 systemset on a 16-pixel grid, picked and stamped
// in squares of 16 or 32 pixels.

#include "editors/page.h"

namespace tw {

class SystemsetPage : public Page {
public:
    SystemsetPage(frmMain& form, modTWFunc& files, Sheet& sheet);
    void Wire(Program& program) override;

    void SQ_MouseMove(int button, int shift, float x, float y);
    void SQ_MouseDown(int button, int shift, float x, float y);
    void SZ_MouseMove(int button, int shift, float x, float y);
    void SZ_MouseDown(int button, int shift, float x, float y);
    void cmdSnew_Click();
    void ySelSize_Click();
    void LoadQSystem_Click();
    void LoadZSystem_Click();
    void SaveZSystem_Click();

private:
    int16_t& size_;  // SysSelSize
};

}  // namespace tw
