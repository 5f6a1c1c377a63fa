#pragma once
// A 5 x 7 block letter font for the few words the program's own pictures
// carry. Unknown characters draw as blanks.

#include <string_view>

#include "platform/raster.h"

namespace tw::art {

// Draws `text` with its top-left corner at (x, y), each font pixel `scale`
// pixels wide, letters one font pixel apart. Returns the width drawn.
int DrawText(Raster& r, std::string_view text, int x, int y, int scale, Pixel colour);
int TextWidth(std::string_view text, int scale);

}  // namespace tw::art
