#include "editors/preview_ground.h"

#include <algorithm>

#include "editors/program.h"
#include "platform/blit.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw {

std::optional<PreviewBuffers> PreviewBuffersOf(const PageInfo& page) {
    if (page.letter == 'R') return PreviewBuffers{"picCharQAni", "picCharZani"};
    if (page.letter == 'B') return PreviewBuffers{"picBattleQAni", "picBattleZAni"};
    return std::nullopt;
}

Raster EnlargePreview(const Raster& frame, int factor, const Ground& ground) {
    factor = std::max(factor, 1);
    Raster out(frame.Width() * factor, frame.Height() * factor);
    const bool seeThrough = ground.kind == PreviewGround::Checkerboard ||
                            (ground.kind == PreviewGround::ChipsetTile && !ground.tile.Empty());
    for (int y = 0; y < out.Height(); ++y) {
        const Pixel* from = frame.Row(y / factor);
        Pixel* to = out.Row(y);
        for (int x = 0; x < out.Width(); ++x) {
            Pixel p = from[x / factor];
            if (seeThrough && p == ground.transparent) {
                if (ground.kind == PreviewGround::Checkerboard)
                    p = (x / kCheckerSquare + y / kCheckerSquare) % 2 ? kCheckerDark
                                                                      : kCheckerLight;
                else
                    p = ground.tile.At(x / factor % ground.tile.Width(),
                                       y / factor % ground.tile.Height());
            }
            to[x] = p;
        }
    }
    return out;
}

Ground PreviewGroundOf(const Program& program, const PageInfo& page, Side side) {
    Ground g;
    g.kind = program.PreviewBackground();
    if (side == Side::Target) {
        g.transparent = program.SheetOf(page).TransparentColour();
    } else {
        const Raster& source = program.Form().Pic(page.source.surface).View();
        const PixelPosition t = page.transparent;
        g.transparent = source.Contains(t.x, t.y) ? source.At(t.x, t.y) : 0;
    }
    if (g.kind == PreviewGround::ChipsetTile) {
        const PageInfo& chipset = PageByLetter('C');
        const Outline& ins = program.Form().Shape(chipset.target.outline);
        const Raster& sheet = program.SheetOf(chipset).Pixels();
        // The outline may reach past the sheet's edge; the tile is what lies inside.
        const int w = std::min(ins.Width(), sheet.Width() - ins.Left());
        const int h = std::min(ins.Height(), sheet.Height() - ins.Top());
        if (w > 0 && h > 0 && ins.Left() >= 0 && ins.Top() >= 0) {
            g.tile = Raster(w, h);
            BitBlt(g.tile, 0, 0, w, h, sheet, ins.Left(), ins.Top());
        }
    }
    return g;
}

}  // namespace tw
