#pragma once
// What a stamp on a page's target does: the grid it lands on, the rectangle
// of the sheet it covers and the selection pixels it takes. Worked out here
// once; the stamp, the insert outline of a held block, the target preview,
// the status line and the magnifier all read it.

#include "editors/page_table.h"
#include "platform/raster.h"

namespace tw {

class frmMain;

struct StampPlan {
    Grid grid;       // the grid the insert outline snaps to
    int x, y, w, h;  // the rectangle of the sheet the stamp covers
    Size from;       // the selection's pixels it takes, from the buffer's corner
    bool halved;     // each sheet pixel is the AND of a 2 x 2 block of `from`
};

// The page's halving option is selected: its stamps land halved.
bool StampsHalved(const frmMain& form, const PageInfo& page);

// The grid a stamp snaps to: the page's, or half of it while stamps are halved.
Grid TargetGrid(const PageInfo& page, bool halved);

// A stamp at pointer (x, y) of the page's target with `held` selected (the
// cell, or the block while one is held).
StampPlan PlanStamp(const PageInfo& page, bool halved, Size held, float x, float y);

// The pixels the stamp puts on the sheet, as a picture of the plan's size.
Raster StampPixels(const StampPlan& plan, const Raster& selection);

}  // namespace tw
