#pragma once
// Onion skin: the frames a target cell sits between as its page's animation
// plays, laid faintly over that cell, so that a pose can be drawn to fit its
// neighbours. Only the window draws it, over the target pane; the sheet never
// holds it, so no save, dump or undo step can see it.

#include <optional>

#include "editors/page_table.h"
#include "editors/sheet.h"
#include "platform/raster.h"

namespace tw {

class frmMain;

// The frames shown just before and just after the frame at (x, y) of a
// page's target, in the order its preview plays them: on the charset page the
// frame's row of its character (the preview walks the three frames round), on
// the battle page the preview's cycle of all 25 cells. None on other pages
// and for a position that is no frame of the sheet.
struct PlayNeighbours {
    PixelPosition before, after;
    Size frame;
};
std::optional<PlayNeighbours> NeighboursInPlay(const PageInfo& page, int x, int y);

// A neighbour pixel counts this much where it is not the transparent colour;
// the cell keeps the rest.
constexpr int kOnionPercent = 30;

struct OnionSkin {
    PixelPosition at;  // the cell under the insert outline
    Raster pixels;     // that cell with its neighbours blended in
};

// The onion skin of the page's target as it stands: none while the insert
// outline covers anything but one frame (a whole character, a held block).
std::optional<OnionSkin> OnionSkinOf(const frmMain& form, const Sheet& sheet);

}  // namespace tw
