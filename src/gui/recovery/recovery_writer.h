#pragma once
// When the window writes the copies of its unsaved sheets: two seconds after
// a sheet's first unsaved change, then at most every two seconds while
// changes go on, and at once when the window closes. What is written and
// removed is the keeper's decision.

#include <QObject>
#include <QTimer>

#include "editors/recovery_keeper.h"

namespace tw {

class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    static constexpr int kThrottleMs = 2000;

    // Watches `window` for its close; call Check() after every event.
    RecoveryWriter(RecoveryKeeper& keeper, QObject& window);
    ~RecoveryWriter() override;

    // Starts the throttle for sheets changed since their last write and
    // removes the copies of sheets that are no longer unsaved.
    void Check();
    // Writes every unsaved sheet that changed since its last write, now.
    void WriteNow();
    QTimer& Timer() { return timer_; }

signals:
    // A sheet could not be kept; the status line says which and why.
    void WriteFailed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RecoveryKeeper& keeper_;
    QTimer timer_;
};

}  // namespace tw
