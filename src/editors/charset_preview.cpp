#include "editors/charset_preview.h"

#include "platform/source_canvas.h"

namespace tw {
namespace {

// The step of `v` through base, base + step, ... base + (count - 1) * step and
// back to base; a value off that cycle stays.
int16_t Cycle(int16_t v, int base, int step, int count) {
    for (int i = 0; i < count; ++i)
        if (v == base + i * step) return static_cast<int16_t>(i + 1 == count ? base : v + step);
    return v;
}

}  // namespace

CharsetPreview::CharsetPreview(frmMain& form, const char* surface, const char* buffer,
                               const char* view, const char* timer, CharsetPreviewState state)
    : surface_(form.Pic(surface)), buffer_(form.Drawable(buffer)), view_(form.Img(view)),
      timer_(form.Tmr(timer)), s_(state) {}

CharsetPreview::Frame CharsetPreview::Started(Frame f) {
    const int column = f.baseX / 24 + 1;
    const int row = f.baseY / 32 + 1;
    if (column >= 0 && column <= 3) f.baseX = 0;
    else if (column >= 4 && column <= 6) f.baseX = 72;
    else if (column >= 7 && column <= 9) f.baseX = 144;
    else if (column >= 10 && column <= 12) f.baseX = 216;
    if (row >= 0 && row <= 4) f.baseY = 0;
    else if (row >= 5 && row <= 8) f.baseY = 128;
    f.x = f.baseX;
    f.y = f.baseY;
    return f;
}

void CharsetPreview::Play() {
    const Frame f = Started(Now());
    s_.x = f.x;
    s_.y = f.y;
    s_.baseX = f.baseX;
    s_.baseY = f.baseY;
    timer_.SetEnabled(true);
}

void CharsetPreview::Stop() {
    timer_.SetEnabled(false);
    s_.x = s_.y = s_.baseX = s_.baseY = 0;
    view_.SetPicture(LoadPicture());
}

void CharsetPreview::Advance(Frame& f) const {
    f.x = Cycle(f.x, f.baseX, 24, 3);
    if (++f.tick == 10) {
        f.tick = 0;
        f.y = Cycle(f.y, f.baseY, 32, 4);
    }
    if (facing_) f.y = static_cast<int16_t>(f.baseY + *facing_ * 32);
}

void CharsetPreview::Draw(const Frame& f) {
    CopyFromPicture(buffer_.hDC(), 0, 0, 24, 32, surface_, f.x, f.y, WholeArea(surface_));
    buffer_.Refresh();
    view_.SetPicture(buffer_.Image());
}

void CharsetPreview::Tick() {
    Frame f = Now();
    Advance(f);
    s_.x = f.x;
    s_.y = f.y;
    s_.tick = f.tick;
    Draw(f);
}

void CharsetPreview::StepBy(int by) {
    if (Playing()) return;
    if (const std::optional<Frame> f =
            steps_.Step(Now(), by, Started, [this](Frame& g) { Advance(g); }))
        Draw(*f);
}

}  // namespace tw
