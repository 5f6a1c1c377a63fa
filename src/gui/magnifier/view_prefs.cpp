#include "gui/magnifier/view_prefs.h"

#include <QSettings>

namespace tw {
namespace {

QSettings Prefs() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "tilewright", "tilewright");
}

}  // namespace

int SavedZoom() {
    bool ok = false;
    const int factor = Prefs().value("view/zoom", 1).toInt(&ok);
    return ok ? factor : 1;
}

void SaveZoom(int factor) { Prefs().setValue("view/zoom", factor); }

QByteArray SavedMagnifierGeometry() { return Prefs().value("magnifier/geometry").toByteArray(); }

void SaveMagnifierGeometry(const QByteArray& geometry) {
    Prefs().setValue("magnifier/geometry", geometry);
}

std::optional<QPoint> SavedPreviewPlace() {
    const QVariant v = Prefs().value("preview/position");
    if (!v.isValid()) return std::nullopt;
    return v.toPoint();
}

void SavePreviewPlace(QPoint place) { Prefs().setValue("preview/position", place); }

bool SavedShowGrid() { return Prefs().value("view/grid", false).toBool(); }

void SaveShowGrid(bool on) { Prefs().setValue("view/grid", on); }

ColoursPlace SavedColoursPlace() {
    const QSettings prefs = Prefs();
    ColoursPlace place;
    place.area = prefs.value("colours/area", 0).toInt();
    // Only the four sides of the window hold a dock.
    if (place.area != 1 && place.area != 2 && place.area != 4 && place.area != 8) return {};
    place.saved = true;
    place.floating = prefs.value("colours/floating", false).toBool();
    place.size = prefs.value("colours/size", 0).toInt();
    place.geometry = prefs.value("colours/geometry").toRect();
    return place;
}

void SaveColoursPlace(const ColoursPlace& place) {
    QSettings prefs = Prefs();
    prefs.setValue("colours/area", place.area);
    prefs.setValue("colours/floating", place.floating);
    prefs.setValue("colours/size", place.size);
    prefs.setValue("colours/geometry", place.geometry);
}

DialogPlace SavedDialogPlace(bool save) {
    const QSettings prefs = Prefs();
    const QString group = save ? "dialogs/save" : "dialogs/open";
    return {prefs.value(group + "Folder").toString(), prefs.value(group + "Filter").toString()};
}

std::vector<RecentFile> SavedRecentFiles() {
    QSettings prefs = Prefs();
    std::vector<RecentFile> files;
    const int n = prefs.beginReadArray("recent");
    for (int i = 0; i < n; ++i) {
        prefs.setArrayIndex(i);
        files.push_back({prefs.value("path").toByteArray().toStdString(),
                         prefs.value("surface").toString().toStdString()});
    }
    prefs.endArray();
    return files;
}

void SaveRecentFiles(const std::vector<RecentFile>& files) {
    QSettings prefs = Prefs();
    prefs.remove("recent");
    prefs.beginWriteArray("recent", static_cast<int>(files.size()));
    for (size_t i = 0; i < files.size(); ++i) {
        prefs.setArrayIndex(static_cast<int>(i));
        prefs.setValue("path", QByteArray::fromStdString(files[i].path));
        prefs.setValue("surface", QString::fromStdString(files[i].surface));
    }
    prefs.endArray();
}

void SaveDialogPlace(bool save, const DialogPlace& place) {
    QSettings prefs = Prefs();
    const QString group = save ? "dialogs/save" : "dialogs/open";
    prefs.setValue(group + "Folder", place.folder);
    prefs.setValue(group + "Filter", place.filter);
}

}  // namespace tw
