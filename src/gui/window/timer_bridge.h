#pragma once
// One QTimer per model timer: it runs at the model's interval while the model
// says the timer is enabled, and each timeout goes to the tick handler.

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>

#include "gui/window/view_sync.h"
#include "shell/frm_main.h"

namespace tw {

class TimerBridge {
public:
    // `tick` is called with the timer's model name at each timeout.
    TimerBridge(const frmMain& form, QObject* owner, ViewSync& sync,
                std::function<void(const std::string&)> tick);
    QTimer* Find(const std::string& name) const;
    // Animation > Speed: every period divided by `factor`; the model's
    // intervals stay as they are.
    void SetSpeed(double factor);

private:
    int Period(const Timer& model) const { return std::max(1, static_cast<int>(model.Interval() / speed_)); }
    std::unordered_map<std::string, QTimer*> timers_;
    std::unordered_map<std::string, const Timer*> models_;
    double speed_ = 1;
};

}  // namespace tw
