#pragma once
// A window test that runs the whole program: fresh stored settings, the program
// started with a scripted answer to every message box, and a clean close.
#include <QSettings>
#include <QTest>
#include <functional>
#include <memory>
#include <string_view>

#include "ui/app/velmora_app.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "ui_test_support.h"

namespace velmora::test {

inline void ClearStoredSettings() {
    QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
    store.clear();
    store.sync();
}

class AppWindowTest : public ::testing::Test {
protected:
    using Answering = std::function<Answer(std::string_view, Buttons, Icon)>;

    void SetUp() override {
        REQUIRE_DISPLAY();
        ClearStoredSettings();
    }
    void TearDown() override {
        if (app) app->frame->quitting = true;
        app.reset();
    }
    // Starts the program; answer replies to every message box. With waitForFrame the
    // call returns once the 3D view has drawn.
    void StartApp(const StartRequest& request, Answering answer, bool waitForFrame = true) {
        app = std::make_unique<CVelmoraApp>();
        app->user.messageHook = std::move(answer);
        ASSERT_TRUE(app->Start(request));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->frame.get()));
        if (waitForFrame) {
            ASSERT_TRUE(WaitFor([&] { return app->frame->CubeView()->FramesDrawn() > 0; }));
        }
    }
    CMainFrame& Frame() { return *app->frame; }
    CTarnexSource& Model() { return app->doc->model; }

    std::unique_ptr<CVelmoraApp> app;
};

}  // namespace velmora::test
