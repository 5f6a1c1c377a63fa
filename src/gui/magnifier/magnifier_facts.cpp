#include "gui/magnifier/magnifier_facts.h"

#include "editors/page_table.h"
#include "editors/stamp_plan.h"
#include "editors/status_line.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw {

std::optional<MagnifiedSurface> MagnifierFacts(const frmMain& form, std::string_view surface) {
    const auto ref = PageOfSurface(surface);
    if (!ref) return std::nullopt;
    const PageInfo& page = *ref->page;
    const Grid grid = GridOf(form, *ref);
    const PageSide& side = page.Of(ref->side);
    return MagnifiedSurface{QSize(grid.x, grid.y), side.outline,
                            ref->side == Side::Target ? page.source.buffer : ""};
}

// The selection outline always has the size of what is held: the cell, or
// the block while one is held.
Raster StampPreview(const frmMain& form, std::string_view surface, const MagnifiedSurface& facts) {
    if (facts.selection.empty()) return {};
    const PageInfo& page = *PageOfSurface(surface)->page;
    const Outline& ins = form.Shape(facts.outline);
    const Outline& sel = form.Shape(page.source.outline);
    const StampPlan plan = PlanStamp(page, StampsHalved(form, page), {sel.Width(), sel.Height()},
                                     ins.Left(), ins.Top());
    return StampPixels(plan, form.Pic(facts.selection).View());
}

}  // namespace tw
