#pragma once
// The copies of unsaved sheets are written even when the program ends
// without its window closing: on SIGTERM (a logout, `kill`), SIGHUP (a
// closed terminal or remote session) and SIGINT the copies are written and
// the program quits; when Qt ends the process with exit() after losing the
// display, a handler run by exit() writes them. While several live (test
// programs run more than one window), the newest gets the signals and exit()
// writes for all.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "editors/recovery_keeper.h"
#include "platform/exit_signals.h"

namespace tw {

class LastWrite : public QObject {
    Q_OBJECT
public:
    explicit LastWrite(RecoveryKeeper& keeper);
    ~LastWrite() override;

signals:
    // A signal asked the program to end; the copies are written and the
    // application's event loops are told to quit with 128 + the signal.
    void Ending(int signal);

private:
    void OnSignal();

    RecoveryKeeper& keeper_;
    ExitSignals signals_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tw
