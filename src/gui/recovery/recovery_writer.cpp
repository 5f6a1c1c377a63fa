#include "gui/recovery/recovery_writer.h"

#include <sys/stat.h>

#include <QEvent>
#include <QFile>

#include "imagefiles/dump_picture.h"
#include "imagefiles/file_error.h"

namespace tw {

RecoveryWriter::RecoveryWriter(Program& program, const RecoveryFolder& folder, QObject& window)
    : program_(program), folder_(folder), plan_(program) {
    timer_.setSingleShot(true);
    timer_.setInterval(kThrottleMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
    window.installEventFilter(this);
}

RecoveryWriter::~RecoveryWriter() = default;

void RecoveryWriter::Check() {
    if (!folder_.Ok()) return;
    for (const PageInfo* page : plan_.NoLongerNeeded()) QFile::remove(folder_.FileFor(*page));
    const bool due = !plan_.Due().empty();
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
    for (const PageInfo* page : plan_.Due()) {
        const Surface& sheet = program_.Form().Pic(page->target.surface);
        // Written through a temporary file and renamed: a crash halfway
        // leaves the previous copy whole.
        const QByteArray path = QFile::encodeName(folder_.FileFor(*page));
        const std::string error = DumpRaster(sheet.View(), path.toStdString());
        if (error.empty()) {
            // The user's unsaved work is theirs alone, whatever the umask;
            // later writes replace the file keeping this mode.
            ::chmod(path.constData(), 0600);
            plan_.Written(*page);
            continue;
        }
        // The writer's reason alone, the path after it in the message.
        const std::string reason = FileError().empty() ? error : FileError();
        emit WriteFailed(QString::fromStdString(KeepFailedMessage(*page, reason, path.toStdString())));
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
