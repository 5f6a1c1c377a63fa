#pragma once
// The window's preferences that outlive a run: the zoom factor and the
// magnifier's place and size, in the user's config folder
// ($XDG_CONFIG_HOME/tilewright/tilewright.conf). The sheets are never kept here.

#include <QByteArray>

namespace tw {

// The saved zoom factor, 1 when none was saved.
int SavedZoom();
void SaveZoom(int factor);
// The magnifier's saved geometry (QWidget::saveGeometry), empty when none.
QByteArray SavedMagnifierGeometry();
void SaveMagnifierGeometry(const QByteArray& geometry);

}  // namespace tw
