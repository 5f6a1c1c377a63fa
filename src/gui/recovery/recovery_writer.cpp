#include "gui/recovery/recovery_writer.h"

#include <QEvent>

namespace tw {

RecoveryWriter::RecoveryWriter(RecoveryKeeper& keeper, QObject& window) : keeper_(keeper) {
    timer_.setSingleShot(true);
    timer_.setInterval(kThrottleMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
    window.installEventFilter(this);
}

RecoveryWriter::~RecoveryWriter() = default;

void RecoveryWriter::Check() {
    // A running timer is left alone: steady stamping is still written every
    // two seconds instead of never.
    if (!keeper_.Check())
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

void RecoveryWriter::WriteNow() {
    timer_.stop();
    if (!keeper_.WriteDue()) emit WriteFailed();
}

bool RecoveryWriter::eventFilter(QObject* watched, QEvent* event) {
    // "&Exit" closes the window too, so both ways out pass here.
    if (event->type() == QEvent::Close) {
        Check();
        WriteNow();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tw
