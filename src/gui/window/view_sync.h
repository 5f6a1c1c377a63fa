#pragma once
// Keeps the widgets in step with the model: after every event, each widget
// whose control changed (its Version() moved on) is updated from the model.

#include <functional>
#include <vector>

#include "platform/control.h"

namespace tw {

class ViewSync {
public:
    // `apply` runs now and again at every Run() after `control` changed.
    void Watch(const Control& control, std::function<void()> apply);
    // `apply` runs now and at every Run(): for widgets that Qt may change on its
    // own, such as a radio button the user has just clicked.
    void WatchAlways(std::function<void()> apply);
    void Run();

private:
    struct Binding {
        const Control* control;  // null: always
        uint64_t seen;
        std::function<void()> apply;
    };
    std::vector<Binding> bindings_;
};

}  // namespace tw
