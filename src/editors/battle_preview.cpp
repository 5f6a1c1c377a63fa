#include "editors/battle_preview.h"

#include "platform/source_canvas.h"

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

void BattlePreview::Advance(Frame& f) {
    if (f.wrap == -1) {
        f.y = Step(f.y);
        f.wrap = 0;
    }
    const int16_t before = f.x;
    f.x = Step(f.x);
    if (before == 384 && f.x == 0) f.wrap = -1;
}

void BattlePreview::Draw(const Frame& f) {
    CopyFromPicture(buffer_.hDC(), 0, 0, 96, 96, surface_, f.x, f.y, WholeArea(surface_));
    buffer_.Refresh();
    view_.SetPicture(buffer_.Image());
    view_.Refresh();
}

void BattlePreview::Tick() {
    Frame f{x_, y_, wrap_};
    Advance(f);
    x_ = f.x;
    y_ = f.y;
    wrap_ = f.wrap;
    Draw(f);
}

void BattlePreview::StepBy(int by) {
    if (Playing()) return;
    // Play starts from the cell shown last: the frame state as it stands.
    if (const std::optional<Frame> f =
            steps_.Step(Frame{x_, y_, wrap_}, by, [](Frame g) { return g; }, Advance))
        Draw(*f);
}

}  // namespace tw
