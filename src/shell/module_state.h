#pragma once
// The 16-bit integers that the handlers of the pages share, with their values
// at program start (all zero) and after the window's load handler.

#include <cstdint>
#include <utility>
#include <vector>

namespace tw {

struct ModuleState {
    int16_t ChipSelSize = 0;
    int16_t CharFrameW = 0;
    int16_t CharFrameH = 0;
    int16_t SysSelSize = 0;
    int16_t BattleQAniX = 0;
    int16_t BattleQAniY = 0;
    int16_t BattleZAniX = 0;
    int16_t BattleZAniY = 0;
    int16_t ConvSelSize = 0;
    int16_t ConvCellSize = 0;
    int16_t CharQAniX = 0;
    int16_t CharQAniY = 0;
    int16_t CharQAniTick = 0;
    int16_t CharQAniBaseX = 0;
    int16_t CharQAniBaseY = 0;
    int16_t CharZAniX = 0;
    int16_t CharZAniY = 0;
    int16_t CharZAniTick = 0;
    int16_t CharZAniBaseX = 0;
    int16_t CharZAniBaseY = 0;
    int16_t BattleQAniWrap = 0;
    int16_t BattleZAniWrap = 0;

    // Every variable by name, in the order of the state table.
    std::vector<std::pair<const char*, int16_t>> Items() const;
};

}  // namespace tw
