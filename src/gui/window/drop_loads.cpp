#include "gui/window/drop_loads.h"

#include "editors/page_table.h"

namespace tw {

const char* LoadButtonForDrop(std::string_view surface) {
    const std::optional<PageRef> ref = PageOfSurface(surface);
    return ref ? ref->page->Of(ref->side).loadButton : nullptr;
}

}  // namespace tw
