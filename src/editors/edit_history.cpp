#include "editors/edit_history.h"

#include <algorithm>
#include <utility>

namespace tw {

const char* EditKindName(EditKind kind) {
    switch (kind) {
        case EditKind::Stamp: return "Stamp";
        case EditKind::NewTemplate: return "New Template";
        case EditKind::LoadTarget: return "Load Target";
        case EditKind::Revert: return "Revert";
        case EditKind::Recover: return "Recover";
        case EditKind::TransparentColour: return "Transparent Colour";
        case EditKind::ReduceColours: return "Reduce Colours";
        case EditKind::MergeColours: return "Merge Colours";
    }
    return "";
}

size_t EditHistory::BytesOf(const Step& s) {
    size_t bytes = sizeof(Step) + (s.wholeSheet ? 0 : size_t(s.w) * s.h * sizeof(Pixel)) +
                   s.sheet.Pixels().capacity() * sizeof(Pixel);
    if (const Raster* p = s.picture.raster()) bytes += p->Pixels().capacity() * sizeof(Pixel);
    return bytes;
}

EditHistory::EditHistory(EditHistories& owner) : owner_(owner) { owner_.histories_.push_back(this); }

EditHistory::~EditHistory() {
    auto& all = owner_.histories_;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    while (!steps_.empty()) PopBack();
}

bool EditHistory::RecordBlock(EditKind kind, const Raster& sheet, int x, int y, int w, int h,
                              TransparentKey key) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, sheet.Width()), bottom = std::min(y + h, sheet.Height());
    if (left >= right || top >= bottom) return false;
    DropRedo();  // before taking room: the store gives back from its end
    Step step{kind, 0, left, top, right - left, bottom - top};
    step.key = key;
    step.pixels = blocks_.TakeBack(static_cast<size_t>(step.w) * step.h);
    Pixel* out = step.pixels;
    for (int row = top; row < bottom; ++row, out += step.w)
        std::copy(sheet.Row(row) + left, sheet.Row(row) + right, out);
    Push(std::move(step));
    return true;
}

EditHistory::Step EditHistory::SheetStep(EditKind kind, const Raster& sheet, const Picture& picture,
                                         TransparentKey key) {
    Step step{kind, 0};
    step.wholeSheet = true;
    step.sheet = sheet;
    step.picture = picture;
    step.key = key;
    return step;
}

void EditHistory::RecordSheet(EditKind kind, const Raster& sheet, const Picture& picture,
                              TransparentKey key) {
    Push(SheetStep(kind, sheet, picture, key));
}

void EditHistory::RecordKey(EditKind kind, TransparentKey key) {
    Step step{kind, 0};
    step.key = key;
    Push(std::move(step));
}

std::optional<EditHistory::Span> EditHistory::NextSpan(bool undo) const {
    if (undo ? cursor_ == 0 : cursor_ == steps_.size()) return std::nullopt;
    const Step& s = steps_[undo ? cursor_ - 1 : cursor_];
    return Span{s.x, s.y, s.w, s.h, s.wholeSheet};
}

void EditHistory::PopBack() {
    const Step& s = steps_.back();
    owner_.Shrank(BytesOf(s));
    if (!s.wholeSheet && s.w > 0) blocks_.GiveBackBack(size_t(s.w) * s.h);
    steps_.pop_back();
}

void EditHistory::PopFront() {
    const Step& s = steps_.front();
    owner_.Shrank(BytesOf(s));
    if (!s.wholeSheet && s.w > 0) blocks_.GiveBackFront(size_t(s.w) * s.h);
    steps_.pop_front();
}

void EditHistory::DropRedo() {
    while (steps_.size() > cursor_) PopBack();
    if (clean_ && *clean_ > Position()) clean_.reset();
}

void EditHistory::Push(Step step) {
    DropRedo();
    step.age = owner_.NextAge();
    const size_t bytes = BytesOf(step);
    steps_.push_back(std::move(step));
    ++cursor_;
    owner_.Grew(bytes);
}

void EditHistory::Swap(Step& step, SheetState sheet) {
    const size_t before = BytesOf(step);
    std::swap(step.key, sheet.key);
    if (step.wholeSheet) {
        std::swap(step.sheet, sheet.pixels);
        std::swap(step.picture, sheet.picture);
    } else {
        Pixel* kept = step.pixels;
        for (int row = step.y; row < step.y + step.h; ++row, kept += step.w)
            std::swap_ranges(sheet.pixels.Row(row) + step.x, sheet.pixels.Row(row) + step.x + step.w,
                             kept);
    }
    owner_.Shrank(before);
    owner_.Grew(BytesOf(step));
}

std::optional<EditKind> EditHistory::NextUndo() const {
    if (cursor_ == 0) return std::nullopt;
    return steps_[cursor_ - 1].kind;
}

std::optional<EditKind> EditHistory::NextRedo() const {
    if (cursor_ == steps_.size()) return std::nullopt;
    return steps_[cursor_].kind;
}

bool EditHistory::Undo(SheetState sheet) {
    if (cursor_ == 0) return false;
    --cursor_;
    Swap(steps_[cursor_], sheet);
    return true;
}

bool EditHistory::Redo(SheetState sheet) {
    if (cursor_ == steps_.size()) return false;
    ++cursor_;
    Swap(steps_[cursor_ - 1], sheet);
    return true;
}

void EditHistory::DropOldest() {
    if (steps_.empty()) return;
    if (cursor_ == 0) {
        // Only steps to redo are left, and each needs the one before it.
        DropRedo();
        return;
    }
    if (clean_ && *clean_ == dropped_) clean_.reset();
    PopFront();
    ++dropped_;
    --cursor_;
}

void EditHistories::Grew(size_t bytes) {
    bytes_ += bytes;
    while (bytes_ > bound_) {
        EditHistory* oldest = nullptr;
        for (EditHistory* h : histories_)
            if (!h->steps_.empty() && (!oldest || h->steps_.front().age < oldest->steps_.front().age))
                oldest = h;
        if (!oldest) break;
        oldest->DropOldest();
    }
}

}  // namespace tw
