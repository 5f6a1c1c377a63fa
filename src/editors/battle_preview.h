#pragma once
// One battle animation preview: plays the 25 cells of a 480 x 480 set one
// after another, advancing before it draws, the row changing one tick after
// the column wrapped.

#include <cstdint>

#include "editors/preview_steps.h"
#include "shell/frm_main.h"

namespace tw {

class BattlePreview {
public:
    BattlePreview(frmMain& form, const char* surface, const char* buffer, const char* view,
                  const char* timer, int16_t& x, int16_t& y, int16_t& wrap);

    void Play();   // the "Play" option: the timer runs on from the cell shown last
    void Stop();   // the "Stop" option: pending row change dropped, view blanked
    void Tick();
    // One cell forward (by > 0) or back while stopped, as Play and ticks
    // would show it; the module state stays as it is.
    void StepBy(int by);
    bool Playing() const { return timer_.Enabled(); }

    // 0 -> 96 -> 192 -> 288 -> 384 -> 0; any other value stays.
    static int16_t Step(int16_t v);

private:
    struct Frame {
        int16_t x, y, wrap;
        bool operator==(const Frame&) const = default;
    };
    static void Advance(Frame& f);
    void Draw(const Frame& f);

    const Surface& surface_;
    Canvas& buffer_;
    ImageView& view_;
    Timer& timer_;
    int16_t &x_, &y_, &wrap_;
    PreviewSteps<Frame> steps_;
};

}  // namespace tw
