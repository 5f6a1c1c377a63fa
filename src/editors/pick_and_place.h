#pragma once
// The pick-and-place steps every editor page shares. A page names its eight
// controls (source surface, selection outline, selection buffer, selection
// view, target surface, insert outline, target preview buffer, target preview
// view) and passes its grids and cell size to each step.

#include <cstdint>
#include <string>

#include "imagefiles/mod_tw_func.h"
#include "shell/frm_main.h"

namespace tw {

// A grid: one step across and one down.
struct Grid {
    Grid(int16_t both) : x(both), y(both) {}  // NOLINT: a square grid reads as its step
    Grid(int16_t across, int16_t down) : x(across), y(down) {}
    int16_t x, y;
};

struct PageRoles {
    const char *source, *sel, *selBuffer, *selView;
    const char *target, *ins, *insBuffer, *insView;
};

class PickAndPlace {
public:
    PickAndPlace(frmMain& form, modTWFunc& files, const PageRoles& roles);

    // M1: the selection outline follows the pointer on the source grid.
    void MoveSelection(float x, float y, Grid grid);
    // M2: moves the outline; for the left button copies the w x h cell under
    // it into the cleared selection buffer and shows it. True when it picked.
    bool Pick(int button, float x, float y, Grid grid, int w, int h);
    // M3: moves the insert outline and shows the w x h target block under it.
    void PreviewTarget(float x, float y, Grid grid, int w, int h);
    // M4's first step: the insert outline moves, whatever the button.
    void MoveInsert(float x, float y, Grid grid);
    // M4: moves the insert outline; for the left button copies the w x h
    // block at the selection buffer's corner to the snapped target position.
    bool Stamp(int button, float x, float y, Grid grid, int w, int h);

    // The selection buffer takes the w x h block at the source's corner,
    // without being cleared first, and is shown.
    void RetakeSelection(int w, int h);
    // "Load Source ...": clear the source, open, retake the selection.
    void LoadSource(const std::string& targetId, int w, int h);
    // The open dialog for a target id.
    void Open(const std::string& targetId) { files_.ShowOpenImage(targetId); }
    // "Load Target ...": clear the target, open.
    void LoadTarget(const std::string& targetId);
    // "Save Target ...".
    void SaveTarget(const std::string& targetId);
    // "New Template": the whole target takes the colour of pixel (px, py) of
    // `from`, by a stretched copy of that one pixel.
    void FillTarget(const Surface& from, int px, int py, bool clearFirst);

    // A new cell size: both outlines take w x h pixels, then both buffers the
    // outer size in twips (the cell plus their border). Nothing is picked anew.
    void ResizeCell(int w, int h, int bufferTwipsW, int bufferTwipsH);

    Surface& Source() const { return source_; }
    Surface& Target() const { return target_; }
    Outline& Selection() const { return sel_; }
    Outline& Insert() const { return ins_; }
    Surface& SelectionBuffer() const { return selBuffer_; }
    Surface& PreviewBuffer() const { return insBuffer_; }

private:
    modTWFunc& files_;
    Surface& source_;
    Outline& sel_;
    Surface& selBuffer_;
    ImageView& selView_;
    Surface& target_;
    Outline& ins_;
    Surface& insBuffer_;
    ImageView& insView_;
};

// Shows a buffer in an image view: refresh it, hand the view a snapshot.
void ShowBuffer(Surface& buffer, ImageView& view);

}  // namespace tw
