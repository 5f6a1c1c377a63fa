#include "editors/surface_hint.h"

#include "editors/status_line.h"

namespace tw {

std::string SurfaceHint(PageRef ref) {
    std::string hint = SurfaceTitle(ref) + "\n";
    if (ref.side == Side::Source) {
        hint += "Left click: pick this cell";
    } else {
        hint += "Left click: stamp the picked cell here";
        if (ref.page->halfOption) hint += " (halved in 1:2 mode)";
    }
    hint += "\nRight or middle click: move the outline only";
    hint += "\nDrop a picture file here to load it";
    return hint;
}

std::string TabHint(std::string_view caption) {
    if (caption == "Quellbild") return "Source picture: the animation cells are picked from here";
    if (caption == "Zielbild") return "Target picture: the battle animation set being built";
    return "";
}

}  // namespace tw
