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
    if (!halved) return page.grid;
    return Grid(static_cast<int16_t>(page.grid.x / 2), static_cast<int16_t>(page.grid.y / 2));
}

StampPlan PlanStamp(const PageInfo& page, bool halved, Size held, float x, float y) {
    const Grid grid = TargetGrid(page, halved);
    const int d = halved ? 2 : 1;
    return {grid, SnapToGrid(x, grid.x), SnapToGrid(y, grid.y), held.w / d, held.h / d, held, halved};
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
