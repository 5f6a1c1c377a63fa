#pragma once
// One QTimer per model timer: it runs at the model's interval while the model
// says the timer is enabled, and each timeout goes to the tick handler.

#include <QObject>
#include <QTimer>
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

private:
    std::unordered_map<std::string, QTimer*> timers_;
};

}  // namespace tw
