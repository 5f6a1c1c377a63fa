#pragma once
// One editor page: its row of the page table, the pick and stamp steps over
// its controls, and what is its own; it wires its handlers.

#include "editors/page_table.h"
#include "editors/pick_and_place.h"

namespace tw {

class Program;

class Page {
public:
    // The page of that letter in the page table; its controls are looked up here.
    Page(frmMain& form, modTWFunc& files, char letter)
        : info_(PageByLetter(letter)), cells_(form, files, info_) {}
    virtual ~Page() = default;
    virtual void Wire(Program& program) = 0;

    const PageInfo& Info() const { return info_; }
    void KeepHistory(EditHistory& history) { cells_.KeepHistory(history); }

    // Start-up: both buffers and their views take the corner of their surfaces
    // at the start cell size.
    void Prime() {
        const Size c = info_.cells.front();
        cells_.RetakeSelection(c.w, c.h);
        cells_.RetakePreview(c.w, c.h);
    }

protected:
    const PageInfo& info_;
    PickAndPlace cells_;
};

}  // namespace tw
