#pragma once
// The colour benches' crowded sheet: smooth ramps with a fine pattern over
// them, like a painted backdrop, with about 57 000 colours in 480 x 480.

#include "platform/raster.h"

namespace tw::bench {

inline Raster ManyColours() {
    Raster r(480, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 480; ++x)
            r.Set(x, y, Rgb(x * 256 / 480, y * 256 / 480, ((x / 3) ^ (y / 5)) * 9 % 256));
    return r;
}

}  // namespace tw::bench
