#pragma once
// Shorthands for a page's Wire(): bind a handler method to a control name.

#include "editors/program.h"

#define TW_WIRE_CLICK(program, name, method) (program).OnClick(name, [this] { method(); })
#define TW_WIRE_DOWN(program, name, method) \
    (program).OnMouseDown(name, [this](int b, int s, float x, float y) { method(b, s, x, y); })
#define TW_WIRE_MOVE(program, name, method) \
    (program).OnMouseMove(name, [this](int b, int s, float x, float y) { method(b, s, x, y); })
#define TW_WIRE_TIMER(program, name, method) (program).OnTimer(name, [this] { method(); })
