#pragma once
// The pick and stamp steps every editor page shares (the words are explained
// in src/README.md). A page hands over its eight controls from the page table
// (source surface, selection outline, selection buffer, selection view,
// target surface, insert outline, target preview buffer, target preview view)
// and passes its grids and cell size to each step.

#include <cstdint>
#include <optional>
#include <string>

#include "editors/sheet.h"
#include "imagefiles/mod_tw_func.h"
#include "shell/frm_main.h"

namespace tw {

// A grid: one step across and one down.
struct Grid {
    Grid(int16_t both) : x(both), y(both) {}  // NOLINT: a square grid reads as its step
    Grid(int16_t across, int16_t down) : x(across), y(down) {}
    int16_t x, y;
};

struct PageInfo;
struct Size;

// A block of whole cells on a source, in its client pixels.
struct CellBlock {
    int x, y, w, h;
    bool operator==(const CellBlock&) const = default;
};

class PickAndPlace {
public:
    // Looks the page's controls up once; a misnamed one throws here, at
    // start-up. The target is the sheet's: every change of it is the sheet's edit.
    PickAndPlace(frmMain& form, modTWFunc& files, Sheet& sheet);

    // Follow on the source: the selection outline moves to the pointer
    // snapped to the source grid.
    void MoveSelection(float x, float y, Grid grid);
    // Pick: moves the outline; for the left button copies the w x h cell
    // under it into the cleared selection buffer and shows it, ending a
    // block. True when it picked.
    bool Pick(int button, float x, float y, Grid grid, int w, int h);
    // The release of a Shift-drag that began with a pick: the selection
    // becomes the block from the picked cell to the cell at (x, y), cut from
    // the source and clipped to it; both outlines take the block's size.
    void PickBlock(float x, float y);
    // The block PickBlock(x, y) would take; none without a picked cell or
    // when nothing of it lies on the source.
    std::optional<CellBlock> BlockSpan(float x, float y) const;
    // A picture from elsewhere (the clipboard) becomes the selection, as a block.
    void TakeBlock(const Raster& picture);
    // A block is the selection (until the next plain pick or cell size).
    bool HoldsBlock() const { return saved_.has_value(); }
    // What a stamp copies: the block while one is held, else the w x h cell.
    Size StampCell(int w, int h) const;
    // On the converter in 1:2 mode a block's insert outline takes half its size.
    void HalveBlockInsert(bool on) { halveInsert_ = on; }
    // Mirrors the selection buffer left to right or top to bottom, in frames
    // of frame.w x frame.h; a horizontal mirror with `swapRows` also swaps the
    // second and fourth frame row of every four (a character's right- and
    // left-facing rows).
    void FlipSelection(bool horizontal, Size frame, bool swapRows);
    // Preview on the target: moves the insert outline and shows the w x h
    // target block under it in the target preview buffer.
    void PreviewTarget(float x, float y, Grid grid, int w, int h);
    // The stamp's first step: the insert outline moves, whatever the button.
    void MoveInsert(float x, float y, Grid grid);
    // Stamp: moves the insert outline; for the left button copies the w x h
    // block at the selection buffer's corner to the snapped target position.
    bool Stamp(int button, float x, float y, Grid grid, int w, int h);

    // The selection buffer takes the w x h block at the source's corner,
    // without being cleared first, and is shown.
    void RetakeSelection(int w, int h);
    // The same for the target preview buffer from the target's corner.
    void RetakePreview(int w, int h);
    // "Load Source ...": clear the source, open, retake the selection.
    void LoadSource(int w, int h);
    // The open dialog for the source, nothing cleared or retaken.
    void OpenSource() { files_.ShowOpenImage(source_.Name()); }
    // "Load Target ...": open; a file that loads replaces the sheet.
    void LoadTarget();
    // "Save Target ...": the save dialog, on the sheet's own format.
    void SaveTarget();
    // "New Template": the whole target takes the colour of pixel (px, py) of
    // `from`, by a stretched copy of that one pixel.
    void FillTarget(const Surface& from, int px, int py, bool clearFirst);
    // The page's own stamp (the converter's): the sheet takes the edit.
    void StampEdit(const SheetEdit& edit) { sheet_.Apply(edit); }

    // A new cell size: both outlines take w x h pixels, then both buffers the
    // outer size in twips that holds the cell and their border. Nothing is
    // picked anew.
    void ResizeCell(int w, int h);
    // The insert outline and target preview buffer alone take w x h.
    void ResizeInsert(int w, int h);

    Canvas& Source() const { return source_; }
    const Surface& Target() const { return target_; }
    Outline& Selection() const { return sel_; }
    Outline& Insert() const { return ins_; }
    Canvas& SelectionBuffer() const { return selBuffer_; }
    Canvas& PreviewBuffer() const { return insBuffer_; }

private:
    modTWFunc& files_;
    Sheet& sheet_;
    Canvas& source_;
    Outline& sel_;
    Canvas& selBuffer_;
    ImageView& selView_;
    const Surface& target_;
    Outline& ins_;
    Canvas& insBuffer_;
    ImageView& insView_;

    // Single-cell sizes put aside while a block is the selection.
    struct CellSizes {
        int selW, selH, insW, insH;
        int selTwW, selTwH, insTwW, insTwH;
    };
    void ResizeInsertOnly(int w, int h);
    // Block mode at w x h: outlines and buffers sized, the selection buffer cleared.
    void HoldBlock(int w, int h);
    // Gives the outlines and buffers their single-cell sizes back.
    void EndBlock();
    std::optional<CellSizes> saved_;
    int blockW_ = 0, blockH_ = 0;
    bool halveInsert_ = false;
    // The latest left-button pick, where a block drag starts.
    struct PickedCell { Grid grid; int x, y, w, h; };
    std::optional<PickedCell> picked_;
};

// Shows a buffer in an image view: refresh it, hand the view a snapshot.
void ShowBuffer(Canvas& buffer, ImageView& view);

}  // namespace tw
