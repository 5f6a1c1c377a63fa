#pragma once
// One editor page: holds what is its own and wires its handlers.

namespace tw {

class Program;

class Page {
public:
    virtual ~Page() = default;
    virtual void Wire(Program& program) = 0;
};

}  // namespace tw
