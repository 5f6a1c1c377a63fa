#include "editors/pick_and_place.h"

#include "platform/blit.h"
#include "shell/snap_to_grid.h"

namespace tw {

PickAndPlace::PickAndPlace(frmMain& form, modTWFunc& files, const PageRoles& r)
    : files_(files), source_(form.Pic(r.source)), sel_(form.Shape(r.sel)),
      selBuffer_(form.Pic(r.selBuffer)), selView_(form.Img(r.selView)),
      target_(form.Pic(r.target)), ins_(form.Shape(r.ins)), insBuffer_(form.Pic(r.insBuffer)),
      insView_(form.Img(r.insView)) {}

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
    BitBlt(target_.hDC(), SnapToGrid(x, grid.x), SnapToGrid(y, grid.y), w, h, selBuffer_.View(), 0, 0);
    target_.Refresh();
    return true;
}

void PickAndPlace::ResizeCell(int w, int h, int bufferTwipsW, int bufferTwipsH) {
    sel_.Resize(w, h);
    ins_.Resize(w, h);
    selBuffer_.SetOuterTwips(bufferTwipsW, bufferTwipsH);
    insBuffer_.SetOuterTwips(bufferTwipsW, bufferTwipsH);
}

void PickAndPlace::RetakeSelection(int w, int h) {
    BitBlt(selBuffer_.hDC(), 0, 0, w, h, source_.View(), 0, 0);
    ShowBuffer(selBuffer_, selView_);
}

void PickAndPlace::LoadSource(const std::string& targetId, int w, int h) {
    source_.Cls();
    files_.ShowOpenImage(targetId);
    RetakeSelection(w, h);
}

void PickAndPlace::LoadTarget(const std::string& targetId) {
    target_.Cls();
    files_.ShowOpenImage(targetId);
}

void PickAndPlace::SaveTarget(const std::string& targetId) { files_.ShowSaveImage(targetId); }

void PickAndPlace::FillTarget(const Surface& from, int px, int py, bool clearFirst) {
    if (clearFirst) target_.Cls();
    StretchBlt(target_.hDC(), 0, 0, target_.ClientWidth(), target_.ClientHeight(), from.View(), px,
               py, 1, 1);
    target_.Refresh();
}

}  // namespace tw
