// The GUI tests run inside one QApplication, on the offscreen platform unless
// the environment names another, with config and state folders of their own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "gui/window/app_style.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Preferences the tests save go to a folder of their own, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // Recovery folders too (a test may point it elsewhere for itself).
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication app(argc, argv);
    tw::ApplyAppStyle(app);
    return RUN_ALL_TESTS();
}
