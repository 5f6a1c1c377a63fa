#include "editors/charset_preview.h"

#include "platform/blit.h"

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

void CharsetPreview::Play() {
    const int column = s_.baseX / 24 + 1;
    const int row = s_.baseY / 32 + 1;
    if (column >= 0 && column <= 3) s_.baseX = 0;
    else if (column >= 4 && column <= 6) s_.baseX = 72;
    else if (column >= 7 && column <= 9) s_.baseX = 144;
    else if (column >= 10 && column <= 12) s_.baseX = 216;
    if (row >= 0 && row <= 4) s_.baseY = 0;
    else if (row >= 5 && row <= 8) s_.baseY = 128;
    s_.x = s_.baseX;
    s_.y = s_.baseY;
    timer_.SetEnabled(true);
}

void CharsetPreview::Stop() {
    timer_.SetEnabled(false);
    s_.x = s_.y = s_.baseX = s_.baseY = 0;
    view_.SetPicture(LoadPicture());
}

void CharsetPreview::Tick() {
    s_.x = Cycle(s_.x, s_.baseX, 24, 3);
    if (++s_.tick == 10) {
        s_.tick = 0;
        s_.y = Cycle(s_.y, s_.baseY, 32, 4);
    }
    BitBlt(buffer_.hDC(), 0, 0, 24, 32, surface_.View(), s_.x, s_.y);
    buffer_.Refresh();
    view_.SetPicture(buffer_.Image());
}

}  // namespace tw
