#include "gui/magnifier/magnifier_facts.h"

#include "editors/page_table.h"
#include "platform/blit.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw {

std::optional<MagnifiedSurface> MagnifierFacts(const frmMain& form, std::string_view surface) {
    const auto ref = PageOfSurface(surface);
    if (!ref) return std::nullopt;
    const PageInfo& page = *ref->page;
    QSize grid(page.grid.x, page.grid.y);
    // The converter's target grid follows its mode: 16 for 1:1, 8 for 1:2.
    if (page.letter == 'O' && ref->side == Side::Target)
        grid = QSize(form.State.ConvCellSize, form.State.ConvCellSize);
    const PageSide& side = page.Of(ref->side);
    return MagnifiedSurface{grid, side.outline,
                            ref->side == Side::Target ? page.source.buffer : ""};
}

Raster StampPreview(const frmMain& form, std::string_view surface, const MagnifiedSurface& facts) {
    if (facts.selection.empty()) return {};
    const Outline& ins = form.Shape(facts.outline);
    const Raster& picked = form.Pic(facts.selection).View();
    if (surface == "OZ" && form.Opt("optModRPG2K").Value()) {
        const int s = form.State.ConvSelSize;
        Raster half(s / 2, s / 2);
        StretchBlt(half, 0, 0, s / 2, s / 2, picked, 0, 0, s, s);
        return half;
    }
    Raster stamp(ins.Width(), ins.Height());
    BitBlt(stamp, 0, 0, ins.Width(), ins.Height(), picked, 0, 0);
    return stamp;
}

}  // namespace tw
