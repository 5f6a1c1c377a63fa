#pragma once
// Stepping an animation preview by hand while it is stopped: a private copy
// of the preview's frame state, started as "Play" would start it, advanced by
// the same rule as a tick, so that N steps show exactly the pictures of Play
// and N ticks; stepping back shows the picture one tick earlier. The shared
// module state is never touched, and a change of it (a click that moves the
// base, Play, Stop) starts the copy again.

#include <optional>
#include <vector>

namespace tw {

template <class Frame>
class PreviewSteps {
public:
    // One step forward (by > 0) or back from the frame state `now` of the
    // module; `start` is Play's start from it, `advance` a tick. The frame to
    // draw, or none when there is no step back.
    template <class Start, class Advance>
    std::optional<Frame> Step(const Frame& now, int by, Start start, Advance advance) {
        if (!origin_ || !(*origin_ == now)) {
            origin_ = now;
            trail_.assign(1, start(now));
        }
        if (by < 0) {
            if (trail_.size() <= 2) return std::nullopt;
            trail_.pop_back();
            return trail_.back();
        }
        Frame next = trail_.back();
        advance(next);
        trail_.push_back(next);
        return next;
    }

private:
    std::optional<Frame> origin_;
    std::vector<Frame> trail_;  // the start, then each step's frame
};

}  // namespace tw
