#include "gui/recovery/recovery_writer.h"

#include <sys/stat.h>

#include <QEvent>
#include <QFile>

#include "editors/status_line.h"
#include "imagefiles/dump_picture.h"

namespace tw {

RecoveryWriter::RecoveryWriter(Program& program, const RecoveryFolder& folder, QObject& window)
    : program_(program), folder_(folder), kept_(Pages().size()) {
    timer_.setSingleShot(true);
    timer_.setInterval(kThrottleMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
    window.installEventFilter(this);
}

RecoveryWriter::~RecoveryWriter() = default;

bool RecoveryWriter::Due(size_t page) const {
    const Surface& sheet = program_.Form().Pic(Pages()[page].target.surface);
    return program_.Modified(Pages()[page]) && kept_[page].version != sheet.Version();
}

void RecoveryWriter::Check() {
    if (!folder_.Ok()) return;
    bool due = false;
    for (size_t i = 0; i < kept_.size(); ++i) {
        if (!program_.Modified(Pages()[i])) {
            if (kept_[i].version) QFile::remove(folder_.FileFor(Pages()[i]));
            kept_[i].version.reset();
        }
        due = due || Due(i);
    }
    // A running timer is left alone: steady stamping is still written every
    // two seconds instead of never.
    if (!due)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

void RecoveryWriter::WriteNow() {
    timer_.stop();
    if (!folder_.Ok()) return;
    for (size_t i = 0; i < kept_.size(); ++i) {
        if (!Due(i)) continue;
        const Surface& sheet = program_.Form().Pic(Pages()[i].target.surface);
        // Written through a temporary file and renamed: a crash halfway
        // leaves the previous copy whole.
        const QByteArray path = QFile::encodeName(folder_.FileFor(Pages()[i]));
        const std::string error = DumpRaster(sheet.View(), path.toStdString());
        if (error.empty()) {
            // The user's unsaved work is theirs alone, whatever the umask;
            // later writes replace the file keeping this mode.
            ::chmod(path.constData(), 0600);
            kept_[i].version = sheet.Version();
            continue;
        }
        emit WriteFailed(QString::fromStdString("Could not keep a copy of the unsaved " +
                                                SurfaceTitle({&Pages()[i], Side::Target}) + ": " +
                                                error));
    }
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
