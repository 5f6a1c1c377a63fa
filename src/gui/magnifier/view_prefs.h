#pragma once
// The window's preferences that outlive a run: the zoom factor, the grid, the
// magnifier's and the colour panel's place and size, the enlarged previews'
// place, and where the open and save dialogs were last used, in the user's
// config folder ($XDG_CONFIG_HOME/tilewright/tilewright.conf). The sheets are
// never kept here.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "editors/recent_files.h"

namespace tw {

// The saved zoom factor, 1 when none was saved.
int SavedZoom();
void SaveZoom(int factor);
// The magnifier's saved geometry (QWidget::saveGeometry), empty when none.
QByteArray SavedMagnifierGeometry();
void SaveMagnifierGeometry(const QByteArray& geometry);

// Where the enlarged animation previews were last shown; none the first time.
std::optional<QPoint> SavedPreviewPlace();
void SavePreviewPlace(QPoint place);
// View > Show Grid; off when never chosen.
bool SavedShowGrid();
void SaveShowGrid(bool on);
// Where the colour panel was last: docked in `area` (a Qt::DockWidgetArea)
// `size` pixels wide (or high, above or below the window), or floating at
// `geometry`. `saved` is false before it was ever shown.
struct ColoursPlace {
    bool saved = false;
    bool floating = false;
    int area = 0;
    int size = 0;
    QRect geometry;
};
ColoursPlace SavedColoursPlace();
void SaveColoursPlace(const ColoursPlace& place);

// Where a file dialog was last used: the folder of the file chosen and the
// name filter chosen with it ("PNG (*.png *.PNG)"); empty when never.
struct DialogPlace {
    QString folder;
    QString filter;
};
DialogPlace SavedDialogPlace(bool save);
void SaveDialogPlace(bool save, const DialogPlace& place);

// File > Recent Files, newest first; each path kept as its bytes.
std::vector<RecentFile> SavedRecentFiles();
void SaveRecentFiles(const std::vector<RecentFile>& files);

}  // namespace tw
