#pragma once
// A page that is nothing but its row of the page table: chipset, faceset,
// systemset and the battle animation set. Its source follows and picks on the
// page's grid, its target previews and stamps, New Template fills from the
// sheet's transparent pixel, and the size button (where there is one) steps
// through the page's square cells.

#include "editors/page.h"

namespace tw {

class PlainPage : public Page {
public:
    PlainPage(frmMain& form, modTWFunc& files, Sheet& sheet);
    // Binds each of the row's controls to its step, by the control's name.
    void Wire(Program& program) override;

private:
    // The next of the page's cells; a size that is none of them starts over.
    void StepCellSize();
};

}  // namespace tw
