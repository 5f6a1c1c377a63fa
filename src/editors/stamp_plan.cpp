#include "editors/stamp_plan.h"

#include <algorithm>

#include "platform/blit.h"
#include "shell/frm_main.h"
#include "shell/snap_to_grid.h"

namespace tw {

bool StampsHalved(const frmMain& form, const PageInfo& page) {
    return page.halfOption && form.Opt(page.halfOption).Value();
}

Grid TargetGrid(const PageInfo& page, bool halved) {
    return PlanStamp(page, halved, {0, 0}, 0, 0).grid;
}

// The halving rule: half the grid, half the block, each sheet pixel the AND
// of the 2 x 2 selection pixels it stands for.
StampPlan PlanStamp(const PageInfo& page, bool halved, Size held, float x, float y) {
    const int d = halved ? 2 : 1;
    const Grid grid(static_cast<int16_t>(page.grid.x / d), static_cast<int16_t>(page.grid.y / d));
    const int x0 = SnapToGrid(x, grid.x), y0 = SnapToGrid(y, grid.y);
    return {grid, x0, y0, held.w / d, held.h / d, held, halved};
}

Raster StampPixels(const StampPlan& plan, const Raster& selection) {
    Raster out(std::max(1, plan.w), std::max(1, plan.h));
    if (plan.halved)
        StretchBlt(out, 0, 0, plan.w, plan.h, selection, 0, 0, plan.from.w, plan.from.h);
    else
        BitBlt(out, 0, 0, plan.w, plan.h, selection, 0, 0);
    return out;
}

}  // namespace tw
