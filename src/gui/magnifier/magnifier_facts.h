#pragma once
// What the magnifier needs to know of the surface under the pointer: the
// page's grid on it, the outline that marks the cell under the pointer and,
// over a target, what a stamp would put there. Every page's facts are in the
// one function below.

#include <QSize>
#include <optional>
#include <string>
#include <string_view>

#include "platform/raster.h"
#include "shell/frm_main.h"

namespace tw {

struct MagnifiedSurface {
    QSize grid;
    std::string outline;    // the outline that the page moves on this surface
    std::string selection;  // on a target, the buffer a stamp copies; empty on a source
};

// The facts of a source or target surface; nothing for any other name.
std::optional<MagnifiedSurface> MagnifierFacts(const frmMain& form, std::string_view surface);

// What a left click on the target would put at its insert outline: the
// selection as the page stamps it (the converter's 1:2 mode halves it).
Raster StampPreview(const frmMain& form, std::string_view surface, const MagnifiedSurface& facts);

}  // namespace tw
