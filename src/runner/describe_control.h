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
// Title text="Ravelins RPG2K Tilewright (Version 2.5) - chipset.png *"
std::string DescribeTitle(const std::string& title);

}  // namespace tw
