// Typed two-key commands in the window: from the keyboard and from the toolbar, the
// pressed button of the pending key, the message pane under a hovered button, the
// display keys and text fields that keep their keys.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "ui/app/velmora_app.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "ui/views/net_view.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {


class TypedKeysWindow : public ::testing::Test {
protected:
    void SetUp() override { REQUIRE_DISPLAY(); }
    void TearDown() override {
        if (app) app->frame->quitting = true;
        app.reset();
    }

    void Start(bool solved = true) {
        app = std::make_unique<CVelmoraApp>();
        app->user.messageHook = [this](std::string_view text, Buttons, Icon) {
            questions.emplace_back(text);
            return Answer::Yes;
        };
        StartRequest request;
        if (solved) request = {QStringLiteral(VELMORA_TEST_SOLVED_FILE), {}, true, {}};
        ASSERT_TRUE(app->Start(request));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->frame.get()));
        ASSERT_TRUE(WaitFor([&] { return app->frame->CubeView()->FramesDrawn() > 0; }));
        app->doc->auxShown = false;
        // An earlier test's double click can leave the left button down as far as the
        // test's pointer is concerned; a pressed button suppresses hovering.
        if (QGuiApplication::mouseButtons() & Qt::LeftButton)
            QTest::mouseRelease(app->frame->NetView(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    }
    CMainFrame& Frame() { return *app->frame; }
    CTarnexSource& Model() { return app->doc->model; }
    QToolButton* Button(int id) {
        return qobject_cast<QToolButton*>(Frame().ToolBar()->widgetForAction(Frame().CommandAction(id)));
    }
    QLabel* MessagePane() { return Frame().statusBar()->findChild<QLabel*>(QStringLiteral("messagePane")); }
    // Waits until the cube view has drawn a frame after this call.
    bool NextFrame() {
        const int n = Frame().CubeView()->FramesDrawn();
        Frame().CubeView()->update();
        return WaitFor([&] { return Frame().CubeView()->FramesDrawn() > n; });
    }
    // Saves a picture of the window when VELMORA_SCREENSHOT_DIR names a folder.
    void Screenshot(const char* name) {
        const QString dir = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        NextFrame();
        Frame().grab().save(dir + QLatin1Char('/') + QLatin1String(name));
    }
    // Colour number of the front face's upper middle sticker as drawn (0: none).
    int FrontUpperMiddleColour() {
        NextFrame();
        const QImage shot = Frame().CubeView()->grabFramebuffer();
        Camera cam;
        cam.aux = false;
        cam.width = Frame().CubeView()->width();
        cam.height = Frame().CubeView()->height();
        const QRgb pixel = shot.pixel(cam.Project(0, 0.55, 0.8));
        for (int c = 1; c <= 6; ++c)
            if (ColourNear(pixel, app->settings.colourSettings[c], 36, "sticker")) return c;
        return 0;
    }

    std::unique_ptr<CVelmoraApp> app;
    std::vector<std::string> questions;
};

TEST_F(TypedKeysWindow, TThenPlusFromTheKeyboardTurnsTheTopFaceWithAnAnimation) {
    Start();
    QWidget* view = Frame().CubeView();
    view->setFocus();
    ASSERT_EQ(FrontUpperMiddleColour(), 2);
    QTest::keyClick(view, Qt::Key_T);
    EXPECT_EQ(Model().inputMode, 1);
    EXPECT_TRUE(Frame().CommandAction(cmd::kKeyT)->isChecked());
    EXPECT_TRUE(Button(cmd::kKeyT)->isChecked()) << "the pending key's button is shown pressed";
    EXPECT_EQ(Frame().KeyPaneText(), Text(" 请继续输入指令“ T...”"));

    QTest::keyClick(view, '+');
    EXPECT_EQ(Frame().Message(), Text("执行了命令:(T+;)，并求出解法。"));
    EXPECT_FALSE(Button(cmd::kKeyT)->isChecked());
    EXPECT_EQ(Frame().KeyPaneText(), Text(" 可以用鼠标拖拽魔方"));
    EXPECT_EQ(Model().animAxis, 'T');
    ASSERT_EQ(Model().animAngle, -90);
    // Ten ticks of the animation timer bring the layer to rest, a frame after each.
    int frames = 0;
    for (int i = 0; i < 10; ++i) {
        Frame().CubeView()->AnimationTick();
        frames += NextFrame();
    }
    EXPECT_EQ(Model().animAngle, 0);
    EXPECT_EQ(frames, 10);
    EXPECT_EQ(FrontUpperMiddleColour(), 3) << "T+ brings the right face's colour to the front";
    EXPECT_TRUE(questions.empty());
}

TEST_F(TypedKeysWindow, ToolbarClicksRunThePairAndItsResultWinsOverTheHoveredPrompt) {
    Start();
    Frame().activateWindow();
    QToolButton* t = Button(cmd::kKeyT);
    QToolButton* plus = Button(cmd::kKeyPlus);
    ASSERT_TRUE(t && plus);
    ASSERT_TRUE(t->isEnabled() && plus->isEnabled());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));

    // The pointer enters the button from elsewhere, wherever an earlier test left it.
    QTest::mouseMove(Frame().NetView());
    Pump(50);
    QTest::mouseMove(t);
    ASSERT_TRUE(WaitFor([&] { return !Frame().statusBar()->currentMessage().isEmpty(); }))
        << "hovering a button shows its prompt";
    EXPECT_EQ(Frame().statusBar()->currentMessage(), Text("输入魔方转动指令；选择T面：魔方的顶面  <T> <U>"));
    QTest::mouseClick(t, Qt::LeftButton);
    EXPECT_TRUE(t->isChecked());
    Screenshot("toolbar_T_pressed.png");

    QTest::mouseMove(plus);
    ASSERT_TRUE(WaitFor([&] { return Frame().statusBar()->currentMessage().startsWith(Text("直接按放大")); }));
    QTest::mouseClick(plus, Qt::LeftButton);
    Pump(100);
    // The pointer still rests on +: the result is what the message pane shows.
    EXPECT_TRUE(plus->underMouse());
    EXPECT_TRUE(Frame().statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(MessagePane()->isVisible());
    EXPECT_EQ(Frame().Message(), Text("执行了命令:(T+;)，并求出解法。"));
    EXPECT_EQ(Model().animAxis, 'T');
    EXPECT_FALSE(t->isChecked());
    Screenshot("toolbar_T_plus_result.png");

    // The prompts still come when the pointer enters a button again.
    QTest::mouseMove(t);
    EXPECT_TRUE(WaitFor([&] { return Frame().statusBar()->currentMessage().startsWith(Text("输入魔方转动指令")); }));
}

TEST_F(TypedKeysWindow, StarRestoresWindowSplittersAndZoom) {
    Start();
    QWidget* view = Frame().CubeView();
    view->setFocus();
    Frame().resize(900, 660);
    Pump(50);
    // Drag both splitter bars.
    for (QSplitter* s : {Frame().OuterSplitter(), Frame().InnerSplitter()}) {
        QSplitterHandle* h = s->handle(1);
        const QPoint mid = h->rect().center();
        QTest::mousePress(h, Qt::LeftButton, Qt::NoModifier, mid);
        QTest::mouseMove(h, mid + QPoint(-60, -60));
        QTest::mouseRelease(h, Qt::LeftButton, Qt::NoModifier, mid + QPoint(-60, -60));
    }
    Pump(50);
    ASSERT_NE(Frame().OuterSplitter()->sizes().value(0), 376);
    ASSERT_NE(Frame().InnerSplitter()->sizes().value(0), 510);
    for (int i = 0; i < 3; ++i) QTest::keyClick(view, '+');
    ASSERT_GT(Model().viewZoom, 1.2f);

    QTest::keyClick(view, '*');
    Pump(50);
    EXPECT_EQ(Frame().size(), QSize(800, 572));
    EXPECT_EQ(Frame().OuterSplitter()->sizes().value(0), 376);
    EXPECT_EQ(Frame().InnerSplitter()->sizes().value(0), 510);
    EXPECT_EQ(Model().viewZoom, 1.0f);
    EXPECT_EQ(Frame().Message(), Text("所有显示位置恢复！"));
    const QRect screen = Frame().screen()->geometry();
    EXPECT_TRUE(WaitFor([&] {
        return std::abs(Frame().frameGeometry().center().x() - screen.center().x()) <= 1 &&
               std::abs(Frame().frameGeometry().center().y() - screen.center().y()) <= 1;
    })) << "centred on the screen";
    // "/" and "8" are the same key.
    for (int i = 0; i < 2; ++i) QTest::keyClick(view, '=');
    QTest::keyClick(view, '8');
    EXPECT_EQ(Model().viewZoom, 1.0f);
}

TEST_F(TypedKeysWindow, ZoomPastFourIsResetTo09WhenDrawn) {
    Start();
    QWidget* view = Frame().CubeView();
    view->setFocus();
    float highest = 0;
    bool reset = false;
    for (int i = 0; i < 35 && !reset; ++i) {
        const float before = Model().viewZoom;
        QTest::keyClick(view, '+');
        ASSERT_TRUE(NextFrame());
        EXPECT_LE(Model().viewZoom, 4.0f) << "press " << i + 1;
        reset = Model().viewZoom < before;
        if (!reset) highest = Model().viewZoom;
    }
    EXPECT_TRUE(reset);
    EXPECT_EQ(Model().viewZoom, 0.9f);
    EXPECT_GT(highest, 3.8f);
}

TEST_F(TypedKeysWindow, KeysTypedIntoATextFieldStayThere) {
    Start();
    // A field inside the main window. The keys are sent to the fields directly: what
    // matters is that the window's key handling leaves them alone.
    auto* field = new QLineEdit;
    Frame().ToolBar()->addWidget(field);
    field->setFocus();
    QTest::keyClicks(field, "T+B*");
    EXPECT_EQ(field->text(), QStringLiteral("T+B*"));
    EXPECT_EQ(Model().inputMode, 0);
    EXPECT_EQ(Model().viewZoom, 1.0f);
    delete field;

    // A field of a dialog.
    QDialog dialog(&Frame());
    auto* layout = new QVBoxLayout(&dialog);
    auto* dialogField = new QLineEdit(&dialog);
    layout->addWidget(dialogField);
    dialog.show();
    dialog.activateWindow();
    dialogField->setFocus();
    QTest::keyClicks(dialogField, "F-A");
    EXPECT_EQ(dialogField->text(), QStringLiteral("F-A"));
    EXPECT_EQ(Model().inputMode, 0);
    EXPECT_EQ(Model().viewZoom, 1.0f);
    dialog.close();

    // Back on the cube the keys turn it again.
    Frame().activateWindow();
    Frame().CubeView()->setFocus();
    QTest::mouseMove(Frame().CubeView());
    QTest::keyClick(Frame().CubeView(), Qt::Key_B);
    EXPECT_EQ(Model().inputMode, 6);
    EXPECT_EQ(Frame().KeyPaneText(), Text("  请继续输入指令\"B...\"，\"BB\"是复原魔方"));
    Screenshot("key_pane_B_pending.png");
}

}  // namespace
}  // namespace velmora::test
