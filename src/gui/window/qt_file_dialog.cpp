#include "gui/window/qt_file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "gui/magnifier/view_prefs.h"
#include "imagefiles/image_format.h"

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

QString QtFileDialog::WithFilterExtension(const QString& path, const QString& nameFilter) {
    const QString name = QFileInfo(path).fileName();
    // A leading dot makes a hidden name, not an extension.
    if (name.isEmpty() || name.indexOf('.', 1) >= 0) return path;
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch m = firstPattern.match(nameFilter);
    if (!m.hasMatch()) return path;
    return path + '.' + m.captured(1).toLower();
}

int QtFileDialog::NothingQueued(bool save) {
    if (!interactive_) return kCancelError;

    QFileDialog dialog(owner_);
    Prepare(dialog, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return kCancelError;
    QString chosen = dialog.selectedFiles().first();
    if (save) chosen = WithFilterExtension(chosen, dialog.selectedNameFilter());
    Remember(save, chosen, dialog.selectedNameFilter());
    FileName = QFile::encodeName(chosen).toStdString();
    return 0;
}

void QtFileDialog::Prepare(QFileDialog& dialog, bool save) const {
    dialog.setWindowTitle(save ? QObject::tr("Save As") : QObject::tr("Open"));
    // Qt's own dialog: it matches the patterns whatever the case of a name.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(Filter);
    dialog.setNameFilters(filters);
    const DialogPlace place = SavedDialogPlace(save);
    if (!place.folder.isEmpty() && QFileInfo(place.folder).isDir()) dialog.setDirectory(place.folder);
    // A save starts on the sheet's own type, else the one chosen last, else PNG.
    const QString own = FilterFor(filters, QString::fromStdString(Format));
    if (save && !own.isEmpty())
        dialog.selectNameFilter(own);
    else if (filters.contains(place.filter))
        dialog.selectNameFilter(place.filter);
    else if (const QString first = FilterFor(filters, QString::fromUtf8(kFirstSaveFormat.data(),
                                                                          kFirstSaveFormat.size()));
             save && !first.isEmpty())
        dialog.selectNameFilter(first);
    if (save) {
        // A name typed without an extension takes the type's before the
        // dialog checks whether the file exists: replacing one asks first.
        const auto suffix = [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(QFileInfo(WithFilterExtension("x", filter)).suffix());
        };
        suffix(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, suffix);
    }
    if (!FileName.empty()) dialog.selectFile(QFile::decodeName(FileName.c_str()));
}

QString QtFileDialog::FilterFor(const QStringList& filters, const QString& format) {
    if (format.isEmpty()) return {};
    const QString pattern = "*." + format.toLower();
    for (const QString& f : filters) {
        const qsizetype open = f.lastIndexOf('(');
        if (open >= 0 && f.mid(open + 1).chopped(1).split(' ').contains(pattern)) return f;
    }
    return {};
}

void QtFileDialog::Remember(bool save, const QString& chosen, const QString& nameFilter) {
    SaveDialogPlace(save, {QFileInfo(chosen).absolutePath(), nameFilter});
}

}  // namespace tw
