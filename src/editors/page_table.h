#pragma once
// The six editor pages and their facts, written once: which controls play
// which role on each page, the grid, the cell sizes, the sheet and where its
// transparent colour sits, and which picture sizes belong to which page.
// Start-up priming, the pages' handlers, the load and save routing, the drop
// map and the tests all read it.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <cstdint>

#include "imagefiles/transparent_pixel.h"
#include "shell/module_state.h"

namespace tw {

enum class Side { Source, Target };

// A grid: one step across and one down.
struct Grid {
    Grid(int16_t both) : x(both), y(both) {}  // NOLINT: a square grid reads as its step
    Grid(int16_t across, int16_t down) : x(across), y(down) {}
    int16_t x, y;
};

struct Size {
    int w, h;
    bool operator==(const Size&) const = default;
};

// One side of a page: the surface, its outline, buffer and image view, and
// the button that loads a picture into the surface. The surface's name is the
// target id the file routines know it by.
struct PageSide {
    const char* surface;
    const char* outline;
    const char* buffer;
    const char* view;
    const char* loadButton;
};

struct PageInfo {
    const char* name;      // for messages: "Chipset source", "Charset target"
    char letter;           // the page letter in every control name
    int tab;               // page index in Tab1
    int sourceTab;         // page index in Tab2 of each side (battle page),
    int targetTab;         // -1 when the side is not on Tab2
    PageSide source, target;
    const char* saveButton;
    const char* newButton;
    const char* sizeButton;  // the button that changes the cell size, or nullptr
    Grid grid;               // the source grid (and the target's at start)
    std::vector<Size> cells;  // the cell sizes the size button steps through, start size first
    Size sheet;              // the target sheet
    PixelPosition transparent;  // where the target sheet keeps its transparent colour
    // A second surface a source load fills as well (the converter keeps the
    // whole picture there while its view shows one section), or nullptr.
    const char* sourceCopy = nullptr;
    // The option button under which stamps land halved on half the grid (the
    // converter's "Copy Tiles 1:2"), or nullptr.
    const char* halfOption = nullptr;
    // The module variables that hold the cell's width and height (one for a
    // square cell), the only place the cell size is kept; nullptr when the
    // page has one cell size.
    int16_t ModuleState::*cellW = nullptr;
    int16_t ModuleState::*cellH = nullptr;
    // New Template clears the target before the fill (all but the chipset).
    bool templateClears = true;
    // The source's view moves in whole cells rather than whole grid steps
    // (the systemset's 16 or 32 on its 16-pixel grid).
    bool scrollsByCell = false;

    const PageSide& Of(Side s) const { return s == Side::Source ? source : target; }
};

// The pages in the order of Tab1.
std::span<const PageInfo> Pages();
// The page of that letter; throws std::out_of_range for any other letter.
const PageInfo& PageByLetter(char letter);

// The page a source or target surface belongs to.
struct PageRef {
    const PageInfo* page;
    Side side;
};
std::optional<PageRef> PageOfSurface(std::string_view surface);

// The page and side a picture of this size is made for, by the first rule
// that matches: 480 x 256 is a chipset target (not the converter's),
// 288 x 256 a charset target, 192 x 192 a faceset target, 160 x 80 a
// systemset target, 480 x 480 a battle target, 256 x 1024 the converter's source.
std::optional<PageRef> PageForPictureSize(int width, int height);

// The pixel holding the transparent colour of a picture of this size: the
// sheet's own for a target sheet, (0, 0) for anything else.
PixelPosition TransparentPixelForSize(int width, int height);

// The outer size in twips of a buffer for a cell of `pixels`: the cell plus
// a 2-pixel border on each side, 15 twips to the pixel.
constexpr int BufferTwips(int pixels) { return (pixels + 4) * 15; }

// The cell a pick or stamp copies now: the page's module variables, or its one size.
Size CellOf(const ModuleState& state, const PageInfo& page);

// The step a source's view origin moves in: the grid, or the cell on a page
// that scrolls by its cell.
Size ScrollStep(const ModuleState& state, const PageInfo& page);

// The cell size after `current` in the page's list; nullopt when `current` is
// none of them.
std::optional<Size> NextCell(const PageInfo& page, Size current);

}  // namespace tw
