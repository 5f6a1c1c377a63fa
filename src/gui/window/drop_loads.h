#pragma once
// Which load button a file dropped on a surface stands for: the drop does
// what that button does, with the dropped file as the dialog's answer.

#include <string_view>

namespace tw {

// The load button of a source or target surface, or nullptr for any other control.
const char* LoadButtonForDrop(std::string_view surface);

}  // namespace tw
