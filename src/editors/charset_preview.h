#pragma once
// One charset animation preview: walks a character through its three frames,
// turning to the next of its four directions every tenth tick.

#include <cstdint>

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

private:
    const Surface& surface_;
    Canvas& buffer_;
    ImageView& view_;
    Timer& timer_;
    CharsetPreviewState s_;
};

}  // namespace tw
