#pragma once
// What a click does on a page's source or target surface, in the words a
// tooltip shows.

#include <string>
#include <string_view>

#include "editors/page_table.h"

namespace tw {

// "Chipset source\nLeft click: pick this cell\n..." for that surface.
std::string SurfaceHint(PageRef ref);

// What a tab caption that is not English means ("Quellbild": the source
// picture), or "" for any other caption.
std::string TabHint(std::string_view caption);

}  // namespace tw
