#include "gui/recovery/recovery_folder.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace tw {
namespace {

constexpr const char* kLockName = "lock";

// Creates every missing folder on the way, each private to the user.
bool MakePrivatePath(const QString& path) {
    const QStringList parts = QDir::cleanPath(path).split('/', Qt::SkipEmptyParts);
    QString at;
    for (const QString& part : parts) {
        at += '/' + part;
        const QByteArray native = QFile::encodeName(at);
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) return false;
    }
    return QFileInfo(path).isDir();
}

// A subfolder's lock as another copy would see it: only a live process holds it.
std::unique_ptr<QLockFile> LockOf(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(folder + '/' + kLockName);
    // Age alone never makes a lock stale: a copy may run for days.
    lock->setStaleLockTime(0);
    return lock;
}

const PageInfo* PageOfFile(const QString& name) {
    for (const PageInfo& p : Pages())
        if (RecoveryFileName(p) == name) return &p;
    return nullptr;
}

}  // namespace

QString RecoveryRoot() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(state) ? state : QDir::homePath() + "/.local/state";
    return QDir::cleanPath(base + "/tilewright/recovery");
}

QString RecoveryFileName(const PageInfo& page) {
    switch (page.letter) {
        case 'C':
            return "chipset.png";
        case 'R':
            return "charset.png";
        case 'F':
            return "faceset.png";
        case 'S':
            return "systemset.png";
        case 'B':
            return "battle.png";
        case 'O':
            return "converter.png";
    }
    return QString(QChar(page.letter)).toLower() + ".png";
}

std::optional<Raster> ReadRecoveryFile(const QString& path, Size size) {
    const QByteArray native = QFile::encodeName(path);
    PngInfo info{};
    // The size is checked before anything is allocated for the pixels.
    if (pnginfo(native.constData(), &info) != 0 || info.width != size.w || info.length != size.h)
        return std::nullopt;
    ImageDescriptor image{};
    if (allocimage(&image, info.width, info.length, info.vbitcount) != 0) return std::nullopt;
    const int loaded = loadpng(native.constData(), &image);
    Raster sheet = loaded == 0 ? ImageToRaster(image) : Raster();
    freeimage(&image);
    if (sheet.Width() != size.w || sheet.Height() != size.h) return std::nullopt;
    return sheet;
}

RecoveryFolder::RecoveryFolder(QString root) : root_(std::move(root)) {
    if (!MakePrivatePath(root_)) return;
    QByteArray pattern = QFile::encodeName(root_ + "/copy-XXXXXX");
    if (!::mkdtemp(pattern.data())) return;  // made with mode 0700
    const QString folder = QFile::decodeName(pattern);
    lock_ = LockOf(folder);
    if (!lock_->tryLock(0)) {
        QDir(folder).removeRecursively();
        lock_.reset();
        return;
    }
    own_ = folder;
}

RecoveryFolder::~RecoveryFolder() {
    if (!lock_) return;
    lock_->unlock();
    QDir().rmdir(own_);  // only when nothing was left in it
}

QString RecoveryFolder::FileFor(const PageInfo& page) const {
    return own_.isEmpty() ? QString() : own_ + '/' + RecoveryFileName(page);
}

std::vector<WaitingSheet> RecoveryFolder::Waiting() const {
    std::vector<WaitingSheet> sheets;
    const QDir root(root_);
    for (const QFileInfo& sub : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = sub.absoluteFilePath();
        if (folder == own_) continue;
        // A lock we can take belongs to nobody; letting go of it at once
        // leaves the subfolder as free as it was.
        auto lock = LockOf(folder);
        if (!lock->tryLock(0)) continue;
        lock->unlock();
        for (const QFileInfo& f : QDir(folder).entryInfoList({"*.png"}, QDir::Files))
            if (const PageInfo* page = PageOfFile(f.fileName()))
                sheets.push_back(
                    {f.absoluteFilePath(), page, f.lastModified().toMSecsSinceEpoch()});
    }
    std::stable_sort(
        sheets.begin(), sheets.end(),
        [](const WaitingSheet& a, const WaitingSheet& b) { return a.modified < b.modified; });
    return sheets;
}

void RecoveryFolder::RemoveEmptyLeftovers() const {
    for (const QFileInfo& sub : QDir(root_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = sub.absoluteFilePath();
        if (folder == own_) continue;
        auto lock = LockOf(folder);
        if (!lock->tryLock(0)) continue;
        lock->unlock();
        QDir().rmdir(folder);
    }
}

}  // namespace tw
