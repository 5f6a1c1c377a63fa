#include "gui/recovery/last_write.h"

#include <QCoreApplication>
#include <cstdlib>

namespace tw {
namespace {

// The keeper exit() should write for; null outside a LastWrite's life.
RecoveryKeeper* keeperAtExit = nullptr;

void WriteAtExit() {
    if (keeperAtExit == nullptr) return;
    keeperAtExit->Check();
    keeperAtExit->WriteDue();
}

}  // namespace

LastWrite::LastWrite(RecoveryKeeper& keeper) : keeper_(keeper) {
    static const bool registered = std::atexit(WriteAtExit) == 0;
    (void)registered;
    keeperAtExit = &keeper_;
    if (signals_.Fd() < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(signals_.Fd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &LastWrite::OnSignal);
}

LastWrite::~LastWrite() {
    if (keeperAtExit == &keeper_) keeperAtExit = nullptr;
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
