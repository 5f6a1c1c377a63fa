#include "gui/recovery/last_write.h"

#include <QCoreApplication>
#include <cstdlib>
#include <vector>

namespace tw {
namespace {

// The keepers of the living LastWrites, oldest first; exit() writes for all.
std::vector<RecoveryKeeper*> keepersAtExit;

void WriteAtExit() {
    for (RecoveryKeeper* keeper : keepersAtExit) {
        keeper->Check();
        keeper->WriteDue();
    }
}

}  // namespace

LastWrite::LastWrite(RecoveryKeeper& keeper) : keeper_(keeper) {
    static const bool registered = std::atexit(WriteAtExit) == 0;
    (void)registered;
    keepersAtExit.push_back(&keeper_);
    if (signals_.Fd() < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(signals_.Fd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &LastWrite::OnSignal);
}

LastWrite::~LastWrite() {
    std::erase(keepersAtExit, &keeper_);
}

void LastWrite::OnSignal() {
    const int signal = signals_.Take();
    if (signal == 0) return;
    keeper_.Check();
    keeper_.WriteDue();
    emit Ending(signal);
    // Every event loop ends, a modal dialog's too, and main() returns.
    QCoreApplication::exit(128 + signal);
}

}  // namespace tw
