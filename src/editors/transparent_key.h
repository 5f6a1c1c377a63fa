#pragma once
// The colour the engine hides on a sheet, and where the sheet got it: the
// engine draws palette index 0 as transparent, and a save writes this colour
// there.

#include <string>

#include "platform/raster.h"

namespace tw {

enum class TransparentOrigin {
    Pixel,   // the colour at the page's transparent pixel, whatever it is now
    File,    // index 0 of the palette file the sheet was loaded from
    Chosen,  // picked by the user from the sheet
};

struct TransparentKey {
    TransparentOrigin origin = TransparentOrigin::Pixel;
    Pixel colour = 0;  // kept for File and Chosen; read from the pixel otherwise
    bool operator==(const TransparentKey&) const = default;
};

// "pixel", "file", "chosen".
const char* OriginName(TransparentOrigin origin);

// "#FF00FF".
std::string HexColour(Pixel colour);

}  // namespace tw
