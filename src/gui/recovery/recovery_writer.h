#pragma once
// Keeps every target sheet with unsaved changes in this copy's recovery
// folder, so that neither "&Exit" nor a crash loses it: a sheet is written
// two seconds after its first unsaved change, then at most every two seconds
// while changes go on, and at once when the window closes. A sheet that is
// saved, or undone back to its saved state, has its file removed.

#include <QObject>
#include <QTimer>
#include <optional>
#include <vector>

#include "editors/program.h"
#include "editors/recovery_plan.h"
#include "gui/recovery/recovery_folder.h"

namespace tw {

class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    static constexpr int kThrottleMs = 2000;

    // Watches `window` for its close; call Check() after every event.
    RecoveryWriter(Program& program, const RecoveryFolder& folder, QObject& window);
    ~RecoveryWriter() override;

    // Starts the throttle for sheets changed since their last write and
    // removes the files of sheets that are no longer unsaved.
    void Check();
    // Writes every unsaved sheet that changed since its last write, now.
    void WriteNow();
    QTimer& Timer() { return timer_; }

signals:
    // A sheet could not be kept; the words say which and why.
    void WriteFailed(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Program& program_;
    const RecoveryFolder& folder_;
    QTimer timer_;
    RecoveryPlan plan_;  // which sheets need their copy written or removed
};

}  // namespace tw
