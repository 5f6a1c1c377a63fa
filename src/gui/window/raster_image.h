#pragma once
// Turns the model's pixels and colours into Qt's.

#include <QColor>
#include <QImage>

#include "platform/picture.h"
#include "platform/raster.h"

namespace tw {

// A copy of the raster as an opaque 32-bit image; empty for an empty raster.
QImage ToQImage(const Raster& raster);
QImage ToQImage(const Picture& picture);
// The same into `image`, whose pixel memory is kept when the size is the
// same: a view that changes at every scroll step allocates nothing.
void CopyToQImage(const Raster& raster, QImage& image);
// A colour as a label holds it, in Windows order: 255 is red, 16711680 blue.
QColor FromWindowsColor(long colour);

}  // namespace tw
