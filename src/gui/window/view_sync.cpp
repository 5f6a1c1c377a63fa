#include "gui/window/view_sync.h"

namespace tw {

void ViewSync::Watch(const Control& control, std::function<void()> apply) {
    apply();
    bindings_.push_back({&control, control.Version(), std::move(apply)});
}

void ViewSync::WatchAlways(std::function<void()> apply) {
    apply();
    bindings_.push_back({nullptr, 0, std::move(apply)});
}

void ViewSync::Run() {
    for (Binding& b : bindings_) {
        if (b.control) {
            if (b.control->Version() == b.seen) continue;
            b.seen = b.control->Version();
        }
        b.apply();
    }
}

}  // namespace tw
