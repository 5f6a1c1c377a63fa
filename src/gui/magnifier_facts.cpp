#include "gui/magnifier_facts.h"

#include "platform/blit.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw {

std::optional<MagnifiedSurface> MagnifierFacts(const frmMain& form, std::string_view surface) {
    const ModuleState& s = form.State;
    static constexpr struct {
        const char *source, *sourceOutline, *target, *targetOutline, *selection;
    } kPages[] = {
        {"CQ", "Csel", "CZ", "Cins", "picCsel"}, {"RQ", "Rsel", "RZ", "Rins", "picRsel"},
        {"FQ", "Fsel", "FZ", "Fins", "picFsel"}, {"SQ", "Ssel", "SZ", "Sins", "picSsel"},
        {"BQ", "Bsel", "BZ", "Bins", "picBsel"}, {"OQ", "Osel", "OZ", "Oins", "picOsel"},
    };
    const auto grid = [&](std::string_view name) -> QSize {
        switch (name[0]) {
            case 'R': return {24, 32};
            case 'F': return {48, 48};
            case 'B': return {96, 96};
            case 'O': return name[1] == 'Z' ? QSize(s.ConvCellSize, s.ConvCellSize) : QSize(16, 16);
            default: return {16, 16};
        }
    };
    for (const auto& p : kPages) {
        if (surface == p.source) return MagnifiedSurface{grid(surface), p.sourceOutline, {}};
        if (surface == p.target) return MagnifiedSurface{grid(surface), p.targetOutline, p.selection};
    }
    return std::nullopt;
}

Raster StampPreview(const frmMain& form, std::string_view surface, const MagnifiedSurface& facts) {
    if (facts.selection.empty()) return {};
    const Outline& ins = form.Shape(facts.outline);
    const Raster& picked = form.Pic(facts.selection).View();
    if (surface == "OZ" && form.Opt("optModRPG2K").Value()) {
        const int s = form.State.ConvSelSize;
        Raster half(s / 2, s / 2);
        StretchBlt(half, 0, 0, s / 2, s / 2, picked, 0, 0, s, s);
        return half;
    }
    Raster stamp(ins.Width(), ins.Height());
    BitBlt(stamp, 0, 0, ins.Width(), ins.Height(), picked, 0, 0);
    return stamp;
}

}  // namespace tw
