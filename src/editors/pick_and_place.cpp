#include "editors/pick_and_place.h"

#include "editors/page_table.h"
#include "platform/blit.h"
#include "shell/snap_to_grid.h"

namespace tw {

PickAndPlace::PickAndPlace(frmMain& form, modTWFunc& files, const PageInfo& page)
    : files_(files), source_(form.Pic(page.source.surface)), sel_(form.Shape(page.source.outline)),
      selBuffer_(form.Pic(page.source.buffer)), selView_(form.Img(page.source.view)),
      target_(form.Pic(page.target.surface)), ins_(form.Shape(page.target.outline)),
      insBuffer_(form.Pic(page.target.buffer)), insView_(form.Img(page.target.view)) {}

void ShowBuffer(Surface& buffer, ImageView& view) {
    buffer.Refresh();
    view.SetPicture(buffer.Image());
}

void PickAndPlace::MoveSelection(float x, float y, Grid grid) {
    sel_.Move(SnapToGrid(x, grid.x), SnapToGrid(y, grid.y));
}

bool PickAndPlace::Pick(int button, float x, float y, Grid grid, int w, int h) {
    MoveSelection(x, y, grid);
    if (button != 1) return false;
    selBuffer_.Cls();
    BitBlt(selBuffer_.hDC(), 0, 0, w, h, source_.View(), SnapToGrid(x, grid.x), SnapToGrid(y, grid.y));
    ShowBuffer(selBuffer_, selView_);
    return true;
}

void PickAndPlace::MoveInsert(float x, float y, Grid grid) {
    ins_.Move(SnapToGrid(x, grid.x), SnapToGrid(y, grid.y));
}

void PickAndPlace::PreviewTarget(float x, float y, Grid grid, int w, int h) {
    MoveInsert(x, y, grid);
    insBuffer_.Cls();
    BitBlt(insBuffer_.hDC(), 0, 0, w, h, target_.View(), SnapToGrid(x, grid.x), SnapToGrid(y, grid.y));
    ShowBuffer(insBuffer_, insView_);
}

bool PickAndPlace::Stamp(int button, float x, float y, Grid grid, int w, int h) {
    MoveInsert(x, y, grid);
    if (button != 1) return false;
    BeforeStamp(SnapToGrid(x, grid.x), SnapToGrid(y, grid.y), w, h);
    BitBlt(target_.hDC(), SnapToGrid(x, grid.x), SnapToGrid(y, grid.y), w, h, selBuffer_.View(), 0, 0);
    target_.Refresh();
    return true;
}

void PickAndPlace::ResizeCell(int w, int h) {
    sel_.Resize(w, h);
    ins_.Resize(w, h);
    selBuffer_.SetOuterTwips(BufferTwips(w), BufferTwips(h));
    insBuffer_.SetOuterTwips(BufferTwips(w), BufferTwips(h));
}

void PickAndPlace::ResizeInsert(int w, int h) {
    ins_.Resize(w, h);
    insBuffer_.SetOuterTwips(BufferTwips(w), BufferTwips(h));
}

void PickAndPlace::RetakeSelection(int w, int h) {
    BitBlt(selBuffer_.hDC(), 0, 0, w, h, source_.View(), 0, 0);
    ShowBuffer(selBuffer_, selView_);
}

void PickAndPlace::RetakePreview(int w, int h) {
    BitBlt(insBuffer_.hDC(), 0, 0, w, h, target_.View(), 0, 0);
    ShowBuffer(insBuffer_, insView_);
}

void PickAndPlace::LoadSource(int w, int h) {
    source_.Cls();
    OpenSource();
    RetakeSelection(w, h);
}

void PickAndPlace::LoadTarget() {
    const auto load = [this] {
        target_.Cls();
        files_.ShowOpenImage(target_.Name());
    };
    if (!history_) return load();
    // A cancel or a failure still clears the stamps: that is a step too,
    // unless the sheet was blank already.
    history_->RecordSheetIfChanged(EditKind::LoadTarget, load);
    if (files_.LastResult().outcome == FileResult::Outcome::Loaded) history_->MarkClean();
}

void PickAndPlace::SaveTarget() {
    files_.ShowSaveImage(target_.Name());
    if (history_ && files_.LastResult().outcome == FileResult::Outcome::Saved) history_->MarkClean();
}

void PickAndPlace::FillTarget(const Surface& from, int px, int py, bool clearFirst) {
    if (history_) history_->RecordSheet(EditKind::NewTemplate);
    if (clearFirst) target_.Cls();
    StretchBlt(target_.hDC(), 0, 0, target_.ClientWidth(), target_.ClientHeight(), from.View(), px,
               py, 1, 1);
    target_.Refresh();
}

}  // namespace tw
