#pragma once
// The program's icon, drawn by the program itself: a small tile sheet with one
// tile picked out by the yellow selection outline that the editors show.

#include "platform/raster.h"

namespace tw {

// The icon at size x size pixels; 16, 32 and 48 go into the window icon, 128
// to the desktop. Below 8 pixels the sheet has no room and stays plain.
Raster AppIcon(int size);

}  // namespace tw
