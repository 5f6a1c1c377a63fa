#include "shell/module_state.h"

namespace tw {

std::vector<std::pair<const char*, int16_t>> ModuleState::Items() const {
    return {
        {"ChipSelSize", ChipSelSize},     {"CharFrameW", CharFrameW},
        {"CharFrameH", CharFrameH},       {"SysSelSize", SysSelSize},
        {"BattleQAniX", BattleQAniX},     {"BattleQAniY", BattleQAniY},
        {"BattleZAniX", BattleZAniX},     {"BattleZAniY", BattleZAniY},
        {"ConvSelSize", ConvSelSize},     {"ConvCellSize", ConvCellSize},
        {"CharQAniX", CharQAniX},         {"CharQAniY", CharQAniY},
        {"CharQAniTick", CharQAniTick},   {"CharQAniBaseX", CharQAniBaseX},
        {"CharQAniBaseY", CharQAniBaseY}, {"CharZAniX", CharZAniX},
        {"CharZAniY", CharZAniY},         {"CharZAniTick", CharZAniTick},
        {"CharZAniBaseX", CharZAniBaseX}, {"CharZAniBaseY", CharZAniBaseY},
        {"BattleQAniWrap", BattleQAniWrap}, {"BattleZAniWrap", BattleZAniWrap},
    };
}

}  // namespace tw
