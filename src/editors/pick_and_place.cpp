#include "editors/pick_and_place.h"

#include <algorithm>

#include "editors/page_table.h"
#include "platform/blit.h"
#include "shell/snap_to_grid.h"

namespace tw {
namespace {

// `block` enlarged or shrunk by whole steps of nearest neighbour into a w x h
// picture, its aspect kept and centred on the dialog colour: the image view
// stretches its picture over itself, which would distort a block, and whole
// steps keep every pixel of the block the same size on the screen.
Raster FitInto(const Raster& block, int w, int h) {
    Raster out(std::max(1, w), std::max(1, h), frmMain::kButtonFace);
    if (block.Empty()) return out;
    const int grow = std::min(out.Width() / block.Width(), out.Height() / block.Height());
    // Too large to show whole: every n-th pixel, n the smallest step that fits.
    const int shrink = grow >= 1 ? 1
                                 : std::max((block.Width() + out.Width() - 1) / out.Width(),
                                            (block.Height() + out.Height() - 1) / out.Height());
    const int up = std::max(1, grow);
    const int fw = block.Width() / shrink * up, fh = block.Height() / shrink * up;
    const int ox = (out.Width() - fw) / 2, oy = (out.Height() - fh) / 2;
    for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x) out.Set(ox + x, oy + y, block.At(x / up * shrink, y / up * shrink));
    return out;
}

// A block's buffer in its image view, fitted inside the view's 1-pixel
// border, which the window draws around the picture.
void ShowBlock(Canvas& buffer, ImageView& view) {
    buffer.Refresh();
    const Placement& place = view.Place();
    view.SetPicture(Picture(FitInto(buffer.View(), static_cast<int>(place.width) - 2,
                                    static_cast<int>(place.height) - 2)));
}

}  // namespace

PickAndPlace::PickAndPlace(frmMain& form, modTWFunc& files, Sheet& sheet)
    : form_(form), info_(sheet.Info()), files_(files), sheet_(sheet),
      source_(form.Drawable(sheet.Info().source.surface)),
      scrolling_(dynamic_cast<SourceCanvas*>(&source_)),
      sel_(form.Shape(sheet.Info().source.outline)),
      selBuffer_(form.Drawable(sheet.Info().source.buffer)),
      selView_(form.Img(sheet.Info().source.view)), target_(sheet.Target()),
      ins_(form.Shape(sheet.Info().target.outline)),
      insBuffer_(form.Drawable(sheet.Info().target.buffer)),
      insView_(form.Img(sheet.Info().target.view)) {}

void ShowBuffer(Canvas& buffer, ImageView& view) {
    buffer.Refresh();
    view.SetPicture(buffer.Image());
}

PixelArea PickAndPlace::SourceView() const {
    return scrolling_ ? scrolling_->ViewArea()
                      : PixelArea{0, 0, source_.ClientWidth(), source_.ClientHeight()};
}

void PickAndPlace::ScrollTo(double x, double y) {
    if (!scrolling_) return;
    const Size step = ScrollStep();
    // The last step may reach past the picture's end: its last pixels show.
    const auto origin = [](double v, int step, int kept, int client) {
        const int last = std::max(0, (kept - client + step - 1) / step * step);
        if (!(v > 0)) return 0;  // NaN too
        return std::min(last, static_cast<int>(std::min<double>(v, last)) / step * step);
    };
    scrolling_->ScrollTo(origin(x, step.w, scrolling_->KeptWidth(), scrolling_->ClientWidth()),
                         origin(y, step.h, scrolling_->KeptHeight(), scrolling_->ClientHeight()));
}

void PickAndPlace::MoveSelection(float x, float y) {
    const PixelArea view = SourceView();
    sel_.Move(SnapToGrid(static_cast<double>(x) + view.x, info_.grid.x),
              SnapToGrid(static_cast<double>(y) + view.y, info_.grid.y));
}

bool PickAndPlace::Pick(int button, float x, float y) {
    MoveSelection(x, y);
    if (button != 1) return false;
    EndBlock();
    const Size cell = Cell();
    picked_ = PickedCell{sel_.Left(), sel_.Top(), cell.w, cell.h, SourceView()};
    selBuffer_.Cls();
    // A pick takes what the view shows of the cell, as it always has.
    CopyFromPicture(selBuffer_.hDC(), 0, 0, cell.w, cell.h, source_, picked_->x, picked_->y,
                    picked_->view);
    ShowBuffer(selBuffer_, selView_);
    return true;
}

std::optional<CellBlock> PickAndPlace::BlockSpan(float x, float y) const {
    if (!picked_) return std::nullopt;
    const PickedCell& p = *picked_;
    const PixelArea now = SourceView();
    const PixelArea seen = Span(p.view, now);
    const int rx = SnapToGrid(static_cast<double>(x) + now.x, info_.grid.x);
    const int ry = SnapToGrid(static_cast<double>(y) + now.y, info_.grid.y);
    const int left = std::max(seen.x, std::min(p.x, rx));
    const int top = std::max(seen.y, std::min(p.y, ry));
    const int right = std::min(seen.Right(), std::max(p.x, rx) + p.w);
    const int bottom = std::min(seen.Bottom(), std::max(p.y, ry) + p.h);
    if (right <= left || bottom <= top) return std::nullopt;
    return CellBlock{left, top, right - left, bottom - top};
}

void PickAndPlace::PickBlock(float x, float y) {
    const std::optional<CellBlock> block = BlockSpan(x, y);
    if (!block) return;
    sel_.Move(block->x, block->y);
    HoldBlock(block->w, block->h);
    const PixelArea area{block->x, block->y, block->w, block->h};
    CopyFromPicture(selBuffer_.hDC(), 0, 0, block->w, block->h, source_, block->x, block->y, area);
    ShowBlock(selBuffer_, selView_);
}

void PickAndPlace::TakeBlock(const Raster& picture) {
    if (picture.Empty()) return;
    HoldBlock(picture.Width(), picture.Height());
    BitBlt(selBuffer_.hDC(), 0, 0, picture.Width(), picture.Height(), picture, 0, 0);
    ShowBlock(selBuffer_, selView_);
}

void PickAndPlace::HoldBlock(int w, int h) {
    block_ = Size{w, h};
    const StampPlan insert = Plan(0, 0);
    sel_.Resize(w, h);
    const int iw = std::max(1, insert.w), ih = std::max(1, insert.h);
    ins_.Resize(iw, ih);
    selBuffer_.SetOuterTwips(BufferTwips(w), BufferTwips(h));
    insBuffer_.SetOuterTwips(BufferTwips(iw), BufferTwips(ih));
    selBuffer_.Cls();
}

StampPlan PickAndPlace::Plan(float x, float y) const {
    return PlanStamp(info_, StampsHalved(form_, info_), block_.value_or(Cell()), x, y);
}

void PickAndPlace::EndBlock() {
    if (!block_) return;
    block_.reset();
    const Size cell = Cell();
    const Size insert = insert_.value_or(cell);
    SizeSelection(cell.w, cell.h);
    SizeInsert(insert.w, insert.h);
}

void PickAndPlace::SizeSelection(int w, int h) {
    sel_.Resize(w, h);
    selBuffer_.SetOuterTwips(BufferTwips(w), BufferTwips(h));
}

void PickAndPlace::SizeInsert(int w, int h) {
    ins_.Resize(w, h);
    insBuffer_.SetOuterTwips(BufferTwips(w), BufferTwips(h));
}

void PickAndPlace::FlipSelection(bool horizontal, Size frame, bool swapRows) {
    Raster& r = selBuffer_.hDC();
    const int fw = std::max(1, std::min(frame.w, r.Width()));
    const int fh = std::max(1, std::min(frame.h, r.Height()));
    for (int fy = 0; fy + fh <= r.Height(); fy += fh)
        for (int fx = 0; fx + fw <= r.Width(); fx += fw) {
            if (horizontal) {
                for (int y = fy; y < fy + fh; ++y) std::reverse(r.Row(y) + fx, r.Row(y) + fx + fw);
            } else {
                for (int y = 0; y < fh / 2; ++y)
                    std::swap_ranges(r.Row(fy + y) + fx, r.Row(fy + y) + fx + fw,
                                     r.Row(fy + fh - 1 - y) + fx);
            }
        }
    // The rows face up, right, down, left: mirrored, right and left change places.
    if (horizontal && swapRows)
        for (int top = 0; top + 4 * fh <= r.Height(); top += 4 * fh)
            for (int y = 0; y < fh; ++y)
                std::swap_ranges(r.Row(top + fh + y), r.Row(top + fh + y) + r.Width(),
                                 r.Row(top + 3 * fh + y));
    if (block_)
        ShowBlock(selBuffer_, selView_);
    else
        ShowBuffer(selBuffer_, selView_);
}

void PickAndPlace::PreviewTarget(float x, float y) {
    const StampPlan plan = Plan(x, y);
    ins_.Move(plan.x, plan.y);
    insBuffer_.Cls();
    BitBlt(insBuffer_.hDC(), 0, 0, plan.w, plan.h, target_.View(), plan.x, plan.y);
    ShowBuffer(insBuffer_, insView_);
}

bool PickAndPlace::Stamp(int button, float x, float y) {
    const StampPlan plan = Plan(x, y);
    ins_.Move(plan.x, plan.y);
    if (button != 1) return false;
    const Raster& picked = selBuffer_.View();
    if (plan.halved)
        sheet_.Apply(
            edit::HalvedCopy{plan.x, plan.y, plan.w, plan.h, picked, plan.from.w, plan.from.h});
    else
        sheet_.Apply(edit::Copy{plan.x, plan.y, plan.w, plan.h, picked});
    return true;
}

void PickAndPlace::SetCell(Size cell) {
    // The buffers keep what fits of their pixels through each size they
    // take, so a block's buffer passes through the old cell's size first.
    EndBlock();
    insert_.reset();
    form_.State.*info_.cellW = static_cast<int16_t>(cell.w);
    form_.State.*info_.cellH = static_cast<int16_t>(cell.h);
    SizeSelection(cell.w, cell.h);
    SizeInsert(cell.w, cell.h);
    // A view that moves by the cell keeps to whole cells of the new size.
    const PixelArea view = SourceView();
    ScrollTo(view.x, view.y);
}

void PickAndPlace::ResizeInsert(int w, int h) {
    EndBlock();
    insert_ = Size{w, h};
    SizeInsert(w, h);
}

void PickAndPlace::RetakeSelection() {
    EndBlock();
    const Size cell = Cell();
    BitBlt(selBuffer_.hDC(), 0, 0, cell.w, cell.h, source_.View(), 0, 0);
    ShowBuffer(selBuffer_, selView_);
}

void PickAndPlace::RetakePreview() {
    const Size cell = Cell();
    BitBlt(insBuffer_.hDC(), 0, 0, cell.w, cell.h, target_.View(), 0, 0);
    ShowBuffer(insBuffer_, insView_);
}

void PickAndPlace::LoadSource() {
    // Whatever the dialog's answer, the view starts again at the top left.
    ScrollTo(0, 0);
    source_.Cls();
    OpenSource();
    RetakeSelection();
}

void PickAndPlace::LoadTarget() {
    // The sheet changes only when a file was chosen and loaded: the load
    // hands its picture to the sheet as one step. A cancel or a failure
    // leaves the work as it is.
    files_.ShowOpenImage(target_.Name());
    sheet_.Took(files_.LastResult());
}

void PickAndPlace::SaveTarget() {
    files_.ShowSaveImage(target_.Name(), sheet_.File().format);
    sheet_.Took(files_.LastResult());
}

void PickAndPlace::FillTarget(const Surface& from, int px, int py, bool clearFirst) {
    if (!from.KeepsWholePicture()) return sheet_.Apply(edit::Fill{from.View(), px, py, clearFirst});
    // The picture's own pixel, wherever the view stands.
    Raster pixel(1, 1, from.BackColor());
    CopyFromPicture(pixel, 0, 0, 1, 1, from, px, py, WholeArea(from));
    sheet_.Apply(edit::Fill{pixel, 0, 0, clearFirst});
}

}  // namespace tw
