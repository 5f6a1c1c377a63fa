#pragma once
// Where a colour is used, drawn over a target on the screen only: a ring of
// black and white pixels around every pixel of the colour, so that single
// pixels show on any background. The sheet itself is never touched, so no
// save or dump can carry it.

#include <QImage>

#include "platform/raster.h"

namespace tw {

// An overlay of the sheet's size, clear except for the ring: the pixels next
// to the colour (diagonals too) that are not of it, and the colour's own
// pixels along the sheet's edges, where nothing lies outside to draw on.
QImage ColourOutline(const Raster& sheet, Pixel colour);

}  // namespace tw
