#include "editors/edit_history.h"

#include <algorithm>
#include <utility>

namespace tw {

const char* EditKindName(EditKind kind) {
    switch (kind) {
        case EditKind::Stamp: return "Stamp";
        case EditKind::NewTemplate: return "New Template";
        case EditKind::LoadTarget: return "Load Target";
        case EditKind::Recover: return "Recover";
    }
    return "";
}

size_t EditHistory::BytesOf(const Step& s) {
    size_t bytes = sizeof(Step) + (s.wholeSheet ? 0 : size_t(s.w) * s.h * sizeof(Pixel)) +
                   s.sheet.Pixels().capacity() * sizeof(Pixel);
    if (const Raster* p = s.picture.raster()) bytes += p->Pixels().capacity() * sizeof(Pixel);
    return bytes;
}

void EditHistory::RecordBlock(EditKind kind, int x, int y, int w, int h) {
    const Raster& sheet = target_.View();
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, sheet.Width()), bottom = std::min(y + h, sheet.Height());
    if (left >= right || top >= bottom) return;
    DropRedo();  // before taking room: the store gives back from its end
    Step step{kind, 0, left, top, right - left, bottom - top};
    step.pixels = blocks_.TakeBack(static_cast<size_t>(step.w) * step.h);
    Pixel* out = step.pixels;
    for (int row = top; row < bottom; ++row, out += step.w)
        std::copy(sheet.Row(row) + left, sheet.Row(row) + right, out);
    Push(std::move(step));
}

EditHistory::Step EditHistory::SheetStep(EditKind kind) {
    Step step{kind, 0};
    step.wholeSheet = true;
    step.sheet = target_.View();
    step.picture = target_.GetPicture();
    return step;
}

void EditHistory::RecordSheet(EditKind kind) { Push(SheetStep(kind)); }

bool EditHistory::SameAsSheet(const Step& s) const {
    return s.picture.shared() == target_.GetPicture().shared() && s.sheet == target_.View();
}

void EditHistory::PopBack() {
    const Step& s = steps_.back();
    owner_.Shrank(BytesOf(s));
    if (!s.wholeSheet) blocks_.GiveBackBack(size_t(s.w) * s.h);
    steps_.pop_back();
}

void EditHistory::PopFront() {
    const Step& s = steps_.front();
    owner_.Shrank(BytesOf(s));
    if (!s.wholeSheet) blocks_.GiveBackFront(size_t(s.w) * s.h);
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

void EditHistory::Swap(Step& step) {
    const size_t before = BytesOf(step);
    Raster& sheet = target_.hDC();
    if (step.wholeSheet) {
        std::swap(step.sheet, sheet);
        step.picture = target_.ExchangePicture(std::move(step.picture));
    } else {
        Pixel* kept = step.pixels;
        for (int row = step.y; row < step.y + step.h; ++row, kept += step.w)
            std::swap_ranges(sheet.Row(row) + step.x, sheet.Row(row) + step.x + step.w, kept);
    }
    target_.Refresh();
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

bool EditHistory::Undo() {
    if (cursor_ == 0) return false;
    --cursor_;
    Swap(steps_[cursor_]);
    return true;
}

bool EditHistory::Redo() {
    if (cursor_ == steps_.size()) return false;
    ++cursor_;
    Swap(steps_[cursor_ - 1]);
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

EditHistory& EditHistories::Add(Surface& target) {
    histories_.push_back(std::make_unique<EditHistory>(target, *this));
    return *histories_.back();
}

void EditHistories::Grew(size_t bytes) {
    bytes_ += bytes;
    while (bytes_ > bound_) {
        EditHistory* oldest = nullptr;
        for (auto& h : histories_)
            if (!h->steps_.empty() && (!oldest || h->steps_.front().age < oldest->steps_.front().age))
                oldest = h.get();
        if (!oldest) break;
        oldest->DropOldest();
    }
}

}  // namespace tw
