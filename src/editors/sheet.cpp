#include "editors/sheet.h"

#include <algorithm>

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
    if (!history_.RecordBlock(EditKind::Stamp, surface_.View(), e.x, e.y, e.w, e.h, key_)) return;
    Uncount(e.x, e.y, e.w, e.h);
    BitBlt(surface_.hDC(), e.x, e.y, e.w, e.h, e.from, e.fromX, e.fromY);
    Recount(e.x, e.y, e.w, e.h);
}

void Sheet::Make(const edit::HalvedCopy& e) {
    if (!history_.RecordBlock(EditKind::Stamp, surface_.View(), e.x, e.y, e.w, e.h, key_)) return;
    Uncount(e.x, e.y, e.w, e.h);
    StretchBlt(surface_.hDC(), e.x, e.y, e.w, e.h, e.from, 0, 0, e.fromW, e.fromH);
    Recount(e.x, e.y, e.w, e.h);
}

void Sheet::Make(const edit::Fill& e) {
    history_.RecordSheet(EditKind::NewTemplate, surface_.View(), surface_.GetPicture(), key_);
    if (e.clearFirst) surface_.Cls();
    StretchBlt(surface_.hDC(), 0, 0, surface_.ClientWidth(), surface_.ClientHeight(), e.from, e.px,
               e.py, 1, 1);
    // A template is filled with the colour at the transparent pixel: that
    // pixel speaks for the sheet again.
    key_ = {};
    tally_.Clear();
}

void Sheet::Make(const edit::Replace& e) {
    history_.RecordSheet(e.kind, surface_.View(), surface_.GetPicture(), key_);
    surface_.SetPicture(e.picture);
    key_ = e.key;
    tally_.Clear();
    // A recovered sheet belongs to no file: saving it must ask where.
    if (e.kind == EditKind::Recover) file_ = {};
}

void Sheet::Make(const edit::ChooseTransparent& e) {
    history_.RecordKey(EditKind::TransparentColour, key_);
    key_ = {TransparentOrigin::Chosen, e.colour & 0xFFFFFFu};
}

void Sheet::Make(const edit::Recolour& e) {
    const Raster& now = surface_.View();
    history_.RecordBlock(e.kind, now, 0, 0, now.Width(), now.Height(), key_);
    Raster& pixels = surface_.hDC();
    for (int y = 0; y < pixels.Height(); ++y) {
        Pixel* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x)
            if (auto to = e.map.find(row[x]); to != e.map.end()) row[x] = to->second;
    }
    tally_.Clear();
}

bool Sheet::Undo() { return Exchange(&EditHistory::Undo); }

bool Sheet::Redo() { return Exchange(&EditHistory::Redo); }

bool Sheet::Exchange(bool (EditHistory::*step)(EditHistory::SheetState)) {
    const std::optional<EditHistory::Span> span = history_.NextSpan(step == &EditHistory::Undo);
    if (!span) return false;
    // A block as large as the sheet (colours recoloured) is counted anew.
    const bool whole = span->wholeSheet || (span->w == surface_.View().Width() &&
                                            span->h == surface_.View().Height());
    if (whole)
        tally_.Clear();
    else
        Uncount(span->x, span->y, span->w, span->h);
    Picture picture = surface_.GetPicture();
    (history_.*step)({surface_.hDC(), picture, key_});
    surface_.ExchangePicture(std::move(picture));
    if (!whole) Recount(span->x, span->y, span->w, span->h);
    surface_.Refresh();
    return true;
}

void Sheet::Took(const FileResult& result) {
    using Outcome = FileResult::Outcome;
    if (result.outcome != Outcome::Loaded && result.outcome != Outcome::Saved) return;
    if (result.outcome == Outcome::Loaded) TakeFileOf(result.fileName, result.width, result.height);
    else file_ = {result.fileName, FormatExtension(result.fileName)};
    history_.MarkClean();
}

void Sheet::TakeFileOf(const std::string& path, int width, int height) {
    file_ = {path, FormatExtension(path)};
    const bool cut = width > page_.sheet.w || height > page_.sheet.h;
    const ImageFormat* format = FormatOf(path);
    if ((format && format->lossy) || cut) file_ = {};
}

Pixel Sheet::TransparentColour() const {
    if (key_.origin != TransparentOrigin::Pixel) return key_.colour;
    const Raster& sheet = surface_.View();
    const PixelPosition t = page_.transparent;
    return sheet.Contains(t.x, t.y) ? sheet.At(t.x, t.y) & 0xFFFFFFu : 0;
}

std::optional<Pixel> Sheet::KeptTransparentColour() const {
    if (key_.origin == TransparentOrigin::Pixel) return std::nullopt;
    return key_.colour;
}

void Sheet::Uncount(int x, int y, int w, int h) { tally_.Remove(surface_.View(), x, y, w, h); }

void Sheet::Recount(int x, int y, int w, int h) { tally_.Add(surface_.View(), x, y, w, h); }

const ColourTally& Sheet::Tally() const {
    if (!tally_.Built()) tally_.Build(surface_.View());
    return tally_;
}

int Sheet::ColourCount() const {
    const ColourTally& tally = Tally();
    return static_cast<int>(tally.Size() + (tally.PixelsOf(TransparentColour()) ? 0 : 1));
}

std::vector<Pixel> Sheet::Palette() const {
    const Pixel transparent = TransparentColour();
    std::vector<Pixel> palette{transparent};
    for (Pixel p : Tally().InOrder())
        if (p != transparent) palette.push_back(p);
    return palette;
}

}  // namespace tw
