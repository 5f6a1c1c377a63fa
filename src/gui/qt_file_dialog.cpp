#include "gui/qt_file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace tw {

QStringList QtFileDialog::NameFilters(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern == "*.*") {
                patterns << "*";
                continue;
            }
            patterns << pattern.toLower();
            if (pattern.toUpper() != pattern.toLower()) patterns << pattern.toUpper();
        }
        out << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(' '));
    }
    return out;
}

int QtFileDialog::NothingQueued(bool save) {
    if (!interactive_) return kCancelError;

    // Qt's own dialog: it matches the patterns whatever the case of a name.
    QFileDialog dialog(owner_, save ? QObject::tr("Save As") : QObject::tr("Open"), folder_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A save replaces an existing file without asking, as the routines expect.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(NameFilters(Filter));
    if (!FileName.empty()) dialog.selectFile(QFile::decodeName(FileName.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return kCancelError;
    const QString chosen = dialog.selectedFiles().first();
    folder_ = QFileInfo(chosen).absolutePath();
    FileName = QFile::encodeName(chosen).toStdString();
    return 0;
}

}  // namespace tw
