#pragma once
// The pick and stamp steps every editor page shares (the words are explained
// in src/README.md). They use the page's eight controls from the page table
// (source surface, selection outline, selection buffer, selection view,
// target surface, insert outline, target preview buffer, target preview view),
// its grid, and its cell size where the module state keeps it: the outlines
// and buffers are drawn from that one value.

#include <cstdint>
#include <optional>
#include <string>

#include "editors/page_table.h"
#include "editors/sheet.h"
#include "editors/stamp_plan.h"
#include "imagefiles/mod_tw_func.h"
#include "shell/frm_main.h"

namespace tw {

// A block of whole cells on a source, in its picture's pixels.
struct CellBlock {
    int x, y, w, h;
    bool operator==(const CellBlock&) const = default;
};

class PickAndPlace {
public:
    // Looks the page's controls up once; a misnamed one throws here, at
    // start-up. The target is the sheet's: every change of it is the sheet's edit.
    PickAndPlace(frmMain& form, modTWFunc& files, Sheet& sheet);

    // The cell a pick or stamp copies now, from the module state.
    Size Cell() const { return CellOf(form_.State, info_); }

    // Follow on the source: the selection outline moves to the pointer
    // snapped to the source grid. The pointer is in the client area's
    // pixels; the outline, the picked cell and a block are in the picture's,
    // so they stay on their cells while the view scrolls.
    void MoveSelection(float x, float y);
    // Pick: moves the outline; for the left button copies the cell under it
    // into the cleared selection buffer and shows it, ending a block. True
    // when it picked.
    bool Pick(int button, float x, float y);
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
    bool HoldsBlock() const { return block_.has_value(); }
    // A stamp at (x, y) of the target: of the block while one is held, else
    // of the cell, halved while the page's halving option is on.
    StampPlan Plan(float x, float y) const;
    // Mirrors the selection buffer left to right or top to bottom, in frames
    // of frame.w x frame.h; a horizontal mirror with `swapRows` also swaps the
    // second and fourth frame row of every four (a character's right- and
    // left-facing rows).
    void FlipSelection(bool horizontal, Size frame, bool swapRows);
    // Preview on the target: moves the insert outline and shows the target
    // block the stamp would cover in the target preview buffer.
    void PreviewTarget(float x, float y);
    // Stamp: moves the insert outline, whatever the button; for the left
    // button the sheet takes the stamp the plan describes.
    bool Stamp(int button, float x, float y);

    // The source's view: its client area as a rectangle of its picture.
    PixelArea SourceView() const;
    // The step the view moves in (the page's grid, or its cell).
    Size ScrollStep() const { return tw::ScrollStep(form_.State, info_); }
    // Scrolls the source to show its picture from (x, y) on: rounded down
    // to whole steps and held between (0, 0) and the origin that shows the
    // picture's last row and column. A source that does not scroll stays.
    void ScrollTo(double x, double y);

    // The selection buffer takes the cell at the source's corner, without
    // being cleared first, and is shown.
    void RetakeSelection();
    // The same for the target preview buffer from the target's corner.
    void RetakePreview();
    // "Load Source ...": clear the source, open, retake the selection.
    void LoadSource();
    // The open dialog for the source, nothing cleared or retaken.
    void OpenSource() { files_.ShowOpenImage(source_.Name()); }
    // "Load Target ...": open; a file that loads replaces the sheet.
    void LoadTarget();
    // "Save Target ...": the save dialog, on the sheet's own format.
    void SaveTarget();
    // "New Template": the whole target takes the colour of pixel (px, py) of
    // `from`, by a stretched copy of that one pixel.
    void FillTarget(const Surface& from, int px, int py, bool clearFirst);

    // A new cell size: a held block ends first (its outlines and buffers
    // back at the old cell), the module state takes the size, then both
    // outlines take it and both buffers the outer size in twips that holds
    // the cell and their border. Nothing is picked anew.
    void SetCell(Size cell);
    // The insert outline and target preview buffer alone take w x h, until
    // the next cell size (the converter's modes).
    void ResizeInsert(int w, int h);

    Canvas& Source() const { return source_; }
    const Surface& Target() const { return target_; }
    Outline& Selection() const { return sel_; }
    Outline& Insert() const { return ins_; }
    Canvas& SelectionBuffer() const { return selBuffer_; }
    Canvas& PreviewBuffer() const { return insBuffer_; }

private:
    frmMain& form_;
    const PageInfo& info_;
    modTWFunc& files_;
    Sheet& sheet_;
    Canvas& source_;
    SourceCanvas* scrolling_;  // the source, when it scrolls
    Outline& sel_;
    Canvas& selBuffer_;
    ImageView& selView_;
    const Surface& target_;
    Outline& ins_;
    Canvas& insBuffer_;
    ImageView& insView_;

    // Each side's outline and buffer take w x h.
    void SizeSelection(int w, int h);
    void SizeInsert(int w, int h);
    // Block mode at w x h: outlines and buffers sized, the selection buffer cleared.
    void HoldBlock(int w, int h);
    // Draws the outlines and buffers from the cell again.
    void EndBlock();
    // The block held as the selection.
    std::optional<Size> block_;
    // The insert side's own size set by ResizeInsert, until the next cell size.
    std::optional<Size> insert_;
    // The latest left-button pick, where a block drag starts, and the view
    // it was made in: a drag may scroll the view, and the block may take
    // every cell the view has shown since.
    struct PickedCell { int x, y, w, h; PixelArea view; };
    std::optional<PickedCell> picked_;
};

// Shows a buffer in an image view: refresh it, hand the view a snapshot.
void ShowBuffer(Canvas& buffer, ImageView& view);

}  // namespace tw
