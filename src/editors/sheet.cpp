#include "editors/sheet.h"

#include "editors/page_table.h"
#include "imagefiles/image_format.h"
#include "imagefiles/mod_tw_func.h"
#include "platform/blit.h"

namespace tw {

Sheet::Sheet(SheetSurface& surface, const PageInfo& page, EditHistories& budget)
    : surface_(surface), page_(page), history_(budget) {}

void Sheet::Apply(const SheetEdit& edit) {
    std::visit([this](const auto& e) { Make(e); }, edit);
    surface_.Refresh();
}

void Sheet::Make(const edit::Copy& e) {
    history_.RecordBlock(EditKind::Stamp, surface_.View(), e.x, e.y, e.w, e.h);
    BitBlt(surface_.hDC(), e.x, e.y, e.w, e.h, e.from, e.fromX, e.fromY);
}

void Sheet::Make(const edit::HalvedCopy& e) {
    history_.RecordBlock(EditKind::Stamp, surface_.View(), e.x, e.y, e.w, e.h);
    StretchBlt(surface_.hDC(), e.x, e.y, e.w, e.h, e.from, 0, 0, e.fromW, e.fromH);
}

void Sheet::Make(const edit::Fill& e) {
    history_.RecordSheet(EditKind::NewTemplate, surface_.View(), surface_.GetPicture());
    if (e.clearFirst) surface_.Cls();
    StretchBlt(surface_.hDC(), 0, 0, surface_.ClientWidth(), surface_.ClientHeight(), e.from, e.px,
               e.py, 1, 1);
}

void Sheet::Make(const edit::Replace& e) {
    history_.RecordSheet(e.kind, surface_.View(), surface_.GetPicture());
    surface_.SetPicture(e.picture);
    // A recovered sheet belongs to no file: saving it must ask where.
    if (e.kind == EditKind::Recover) file_ = {};
}

bool Sheet::Undo() { return Exchange(&EditHistory::Undo); }

bool Sheet::Redo() { return Exchange(&EditHistory::Redo); }

bool Sheet::Exchange(bool (EditHistory::*step)(EditHistory::SheetState)) {
    if (!(step == &EditHistory::Undo ? history_.NextUndo() : history_.NextRedo())) return false;
    Picture picture = surface_.GetPicture();
    (history_.*step)({surface_.hDC(), picture});
    surface_.ExchangePicture(std::move(picture));
    surface_.Refresh();
    return true;
}

void Sheet::Took(const FileResult& result) {
    using Outcome = FileResult::Outcome;
    if (result.outcome != Outcome::Loaded && result.outcome != Outcome::Saved) return;
    file_ = {result.fileName, FormatExtension(result.fileName)};
    const bool cut = result.width > page_.sheet.w || result.height > page_.sheet.h;
    const ImageFormat* format = FormatOf(result.fileName);
    if (result.outcome == Outcome::Loaded && ((format && format->lossy) || cut)) file_ = {};
    history_.MarkClean();
}

Pixel Sheet::TransparentColour() const {
    const Raster& sheet = surface_.View();
    const PixelPosition t = page_.transparent;
    return sheet.Contains(t.x, t.y) ? sheet.At(t.x, t.y) : 0;
}

}  // namespace tw
