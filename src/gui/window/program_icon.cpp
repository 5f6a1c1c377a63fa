#include "gui/window/program_icon.h"

#include <QPixmap>

#include "gui/window/raster_image.h"
#include "shell/app_icon.h"

namespace tw {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {48, 32, 16}) icon.addPixmap(QPixmap::fromImage(ToQImage(AppIcon(size))));
    return icon;
}

}  // namespace tw
