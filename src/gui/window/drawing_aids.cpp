#include "gui/window/drawing_aids.h"

#include <utility>

#include "editors/onion_skin.h"
#include "editors/stamp_plan.h"
#include "gui/window/raster_image.h"

namespace tw {

void DrawingAids::ShowGrid(bool on) {
    grid_ = on;
    Refresh();
}

QSize DrawingAids::GridStep(const Program& program, PageRef at) {
    const frmMain& form = program.Form();
    const PageInfo& page = *at.page;
    if (at.side == Side::Target && StampsHalved(form, page)) {
        const Grid g = TargetGrid(page, true);
        return QSize(g.x, g.y);
    }
    const Size cell = CellOf(form.State, page);
    return QSize(cell.w, cell.h);
}

void DrawingAids::Refresh() {
    for (const PageInfo& page : Pages())
        for (const Side side : {Side::Source, Side::Target}) {
            const auto it = widgets_.surfaces.find(page.Of(side).surface);
            if (it == widgets_.surfaces.end()) continue;
            SurfaceWidget* w = it->second;
            w->SetGrid(grid_ ? GridStep(program_, {&page, side}) : QSize());
            if (side == Side::Source) continue;
            const std::optional<OnionSkin> skin =
                program_.OnionSkin()
                    ? OnionSkinOf(program_.Form(), std::as_const(program_).SheetOf(page))
                    : std::nullopt;
            if (skin)
                w->SetOverlay(QPoint(skin->at.x, skin->at.y), ToQImage(skin->pixels));
            else
                w->SetOverlay(QPoint(), QImage());
        }
}

}  // namespace tw
