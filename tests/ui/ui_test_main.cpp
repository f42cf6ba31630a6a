// Runs the window tests inside one QApplication when a display can be had (the CTest
// entry starts them under xvfb-run); without one every test skips. Settings go to a
// temporary directory, never to the user's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "ui/app/velmora_app.h"

namespace velmora::test {
namespace {
bool haveDisplay = false;
}
bool HaveDisplay() { return haveDisplay; }
}  // namespace velmora::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* display = std::getenv("DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool offscreen = platform && std::string_view(platform) == "offscreen";
    velmora::test::haveDisplay = (display && *display) && !offscreen;
    if (!velmora::test::haveDisplay) return RUN_ALL_TESTS();

    QStandardPaths::setTestModeEnabled(true);
    velmora::SetDefaultSurfaceFormat();
    // Qt's own file dialog, whatever the desktop offers, so that tests can work it.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    velmora::InstallQtTranslations();
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    return RUN_ALL_TESTS();
}
