#pragma once
// Where the engine's transparent colour sits in each kind of resource sheet.
// The engine treats palette index 0 as transparent, so every palette this
// layer writes puts the colour found at this position first.

namespace tw {

struct PixelPosition {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPosition&) const = default;
};

// The pixel whose colour is the sheet's transparent colour, chosen by the
// sheet's size; (0, 0) for sizes that are no known sheet.
PixelPosition TransparentPixelPosition(int width, int height);

}  // namespace tw
