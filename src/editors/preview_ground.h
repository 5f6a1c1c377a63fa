#pragma once
// The enlarged animation previews (Animation > Preview Size): a page's
// preview buffers drawn at a whole factor, each pixel an exact square, over
// the ground chosen in Animation > Preview Background. Over any ground but
// the window's, the transparent colour is left out as the engine leaves it
// out, so a character can be seen standing on the game's own tiles.

#include <optional>

#include "editors/page_table.h"
#include "platform/raster.h"

namespace tw {

class Program;

enum class PreviewGround { Window, Checkerboard, ChipsetTile };

// The two preview buffers of a page, source side first; none on pages
// without an animation.
struct PreviewBuffers {
    const char* source;
    const char* target;
};
std::optional<PreviewBuffers> PreviewBuffersOf(const PageInfo& page);

struct Ground {
    PreviewGround kind = PreviewGround::Window;
    Pixel transparent = 0;  // left out over any ground but Window
    Raster tile;            // ChipsetTile: repeated from the top left
};

// The side of a checkerboard square, in enlarged pixels, and its two colours.
constexpr int kCheckerSquare = 8;
constexpr Pixel kCheckerLight = Rgb(255, 255, 255);
constexpr Pixel kCheckerDark = Rgb(204, 204, 204);

// `frame` at `factor` (at least 1) over `ground`.
Raster EnlargePreview(const Raster& frame, int factor, const Ground& ground);

// The ground the program's choice asks for under `page`'s `side` preview: the
// target plays the sheet, whose transparent colour the sheet knows; the source
// plays a picture, whose colour sits where the sheet would keep it. The tile
// is the chipset target's cell under its insert outline.
Ground PreviewGroundOf(const Program& program, const PageInfo& page, Side side);

}  // namespace tw
