#pragma once
// One editor page: its row of the page table, the pick and stamp steps over
// its controls, and what is its own; it wires its handlers.

#include "editors/page_table.h"
#include "editors/pick_and_place.h"

namespace tw {

class Program;

class Page {
public:
    // The page of the sheet's row in the page table; its controls are looked up here.
    Page(frmMain& form, modTWFunc& files, Sheet& sheet)
        : info_(sheet.Info()), sheet_(sheet), cells_(form, files, sheet) {}
    virtual ~Page() = default;
    virtual void Wire(Program& program) = 0;

    const PageInfo& Info() const { return info_; }
    Sheet& TargetSheet() const { return sheet_; }

    // Start-up: both buffers and their views take the corner of their surfaces
    // at the start cell size, which the load handler has put in the module state.
    void Prime() {
        cells_.RetakeSelection();
        cells_.RetakePreview();
    }

    // The source's view moves to (x, y) of its picture, in whole steps.
    void ScrollSource(double x, double y) { cells_.ScrollTo(x, y); }
    Size ScrollStep() const { return cells_.ScrollStep(); }

    // The release of a Shift-drag over the source: the selection becomes a block.
    void PickBlock(float x, float y) { cells_.PickBlock(x, y); }
    // The block a release at (x, y) would pick.
    std::optional<CellBlock> BlockSpan(float x, float y) const { return cells_.BlockSpan(x, y); }
    // Mirrors the selection; the next stamps use the mirrored pixels.
    virtual void Flip(bool horizontal) {
        cells_.FlipSelection(horizontal, {1 << 20, 1 << 20}, false);
    }

    // Animation > Step: a side's preview one frame forward or back while it
    // is stopped; pages without previews have nothing to step.
    virtual bool CanStepPreview(Side) const { return false; }
    virtual void StepPreview(Side, int /*by*/) {}

    // The selection's pixels, for the clipboard.
    const Raster& SelectionPixels() const { return cells_.SelectionBuffer().View(); }
    // The largest picture a paste takes: the target sheet.
    Size PasteLimit() const { return info_.sheet; }
    // A picture from the clipboard (0xAARRGGBB) becomes the selection: pixels
    // with alpha below 128 take the sheet's transparent colour, the others
    // are opaque.
    void Paste(const Raster& argb);

protected:
    const PageInfo& info_;
    Sheet& sheet_;
    PickAndPlace cells_;
};

}  // namespace tw
