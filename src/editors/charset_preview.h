#pragma once
// One charset animation preview: walks a character through its three frames,
// turning to the next of its four directions every tenth tick.

#include <cstdint>
#include <optional>

#include "editors/preview_steps.h"
#include "shell/frm_main.h"

namespace tw {

struct CharsetPreviewState {
    int16_t &x, &y, &tick, &baseX, &baseY;
};

class CharsetPreview {
public:
    CharsetPreview(frmMain& form, const char* surface, const char* buffer, const char* view,
                   const char* timer, CharsetPreviewState state);

    // "Play": the base snaps to the character block holding its frame.
    void Play();
    // "Stop": timer off, positions reset, view blank; the buffer keeps its frame.
    void Stop();
    void Tick();
    // One frame forward (by > 0) or back while stopped, as Play and ticks
    // would show it; the module state stays as it is.
    void StepBy(int by);
    bool Playing() const { return timer_.Enabled(); }
    // Keeps the walk in one row (0 up, 1 right, 2 down, 3 left); none: the
    // character turns every ten frames.
    void SetFacing(std::optional<int> row) { facing_ = row; }

private:
    struct Frame {
        int16_t x, y, tick, baseX, baseY;
        bool operator==(const Frame&) const = default;
    };
    Frame Now() const { return {s_.x, s_.y, s_.tick, s_.baseX, s_.baseY}; }
    static Frame Started(Frame f);
    void Advance(Frame& f) const;
    void Draw(const Frame& f);

    const Surface& surface_;
    Canvas& buffer_;
    ImageView& view_;
    Timer& timer_;
    CharsetPreviewState s_;
    std::optional<int> facing_;
    PreviewSteps<Frame> steps_;
};

}  // namespace tw
