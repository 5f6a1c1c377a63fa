#include "gui/window/timer_bridge.h"

#include "platform/controls.h"

namespace tw {

TimerBridge::TimerBridge(const frmMain& form, QObject* owner, ViewSync& sync,
                         std::function<void(const std::string&)> tick) {
    for (const auto& c : form.Controls()) {
        if (c->Kind() != ControlKind::Timer) continue;
        const auto& model = static_cast<const Timer&>(*c);
        auto* timer = new QTimer(owner);
        timer->setObjectName(QString::fromStdString(model.Name()));
        timers_[model.Name()] = timer;
        models_[model.Name()] = &model;
        QObject::connect(timer, &QTimer::timeout, owner,
                         [tick, name = model.Name()] { tick(name); });
        sync.Watch(model, [this, timer, &model] {
            if (!model.Enabled()) {
                timer->stop();
            } else if (!timer->isActive() || timer->interval() != Period(model)) {
                timer->start(Period(model));
            }
        });
    }
}

void TimerBridge::SetSpeed(double factor) {
    if (factor == speed_) return;
    speed_ = factor;
    for (auto& [name, timer] : timers_)
        if (timer->isActive()) timer->start(Period(*models_.at(name)));
}

QTimer* TimerBridge::Find(const std::string& name) const {
    auto it = timers_.find(name);
    return it == timers_.end() ? nullptr : it->second;
}

}  // namespace tw
