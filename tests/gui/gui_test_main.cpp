// The GUI tests run inside one QApplication, on the offscreen platform unless
// the environment names another.

#include <gtest/gtest.h>

#include <QApplication>

#include "gui/app_style.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tw::ApplyAppStyle(app);
    return RUN_ALL_TESTS();
}
