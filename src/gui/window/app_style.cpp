#include "gui/window/app_style.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace tw {

void ApplyAppStyle(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create("Fusion")) app.setStyle(fusion);
    QFont font = app.font();
    font.setPixelSize(11);
    app.setFont(font);
}

}  // namespace tw
