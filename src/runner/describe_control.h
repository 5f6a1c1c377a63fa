#pragma once
// The one-line description `show` prints for a control or CurrentImage.

#include <string>

#include "imagefiles/vicdef32.h"
#include "platform/control.h"

namespace tw {

std::string DescribeControl(const Control& control);
std::string DescribeCurrentImage(const ImageDescriptor& image);
// `StatusBar text="..."`: the last load or save and the unsaved changes.
std::string DescribeStatusBar(const std::string& outcomeText);

}  // namespace tw
