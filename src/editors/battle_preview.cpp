#include "editors/battle_preview.h"

#include "platform/blit.h"

namespace tw {

BattlePreview::BattlePreview(frmMain& form, const char* surface, const char* buffer,
                             const char* view, const char* timer, int16_t& x, int16_t& y,
                             int16_t& wrap)
    : surface_(form.Pic(surface)), buffer_(form.Drawable(buffer)), view_(form.Img(view)),
      timer_(form.Tmr(timer)), x_(x), y_(y), wrap_(wrap) {}

int16_t BattlePreview::Step(int16_t v) {
    switch (v) {
        case 0: return 96;
        case 96: return 192;
        case 192: return 288;
        case 288: return 384;
        case 384: return 0;
        default: return v;
    }
}

void BattlePreview::Play() { timer_.SetEnabled(true); }

void BattlePreview::Stop() {
    wrap_ = 0;
    timer_.SetEnabled(false);
    view_.SetPicture(LoadPicture());
}

void BattlePreview::Tick() {
    if (wrap_ == -1) {
        y_ = Step(y_);
        wrap_ = 0;
    }
    const int16_t before = x_;
    x_ = Step(x_);
    if (before == 384 && x_ == 0) wrap_ = -1;
    BitBlt(buffer_.hDC(), 0, 0, 96, 96, surface_.View(), x_, y_);
    buffer_.Refresh();
    view_.SetPicture(buffer_.Image());
    view_.Refresh();
}

}  // namespace tw
