#include "gui/drop_loads.h"

namespace tw {

const char* LoadButtonForDrop(std::string_view surface) {
    static constexpr struct {
        const char *surface, *button;
    } kLoads[] = {
        {"CQ", "LoadQChip"},   {"CZ", "LoadZChip"},   {"RQ", "LoadQChar"},   {"RZ", "LoadZChar"},
        {"FQ", "LoadQFace"},   {"FZ", "LoadZFace"},   {"SQ", "LoadQSystem"}, {"SZ", "LoadZSystem"},
        {"BQ", "LoadQBattle"}, {"BZ", "LoadZBattle"}, {"OQ", "CLoadQr"},     {"OZ", "LoadRChip"},
    };
    for (const auto& l : kLoads)
        if (surface == l.surface) return l.button;
    return nullptr;
}

}  // namespace tw
