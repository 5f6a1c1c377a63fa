#pragma once
// The one-line description `show` prints for a control or CurrentImage.

#include <string>

#include "imagefiles/vicdef32.h"
#include "platform/control.h"

namespace tw {

std::string DescribeControl(const Control& control);
std::string DescribeCurrentImage(const ImageDescriptor& image);

}  // namespace tw
