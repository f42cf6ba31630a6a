// The whole window: start-up and exit with the settings, the frame's layout, toolbar
// and menus from the command table, keys, dragging the cube and the screenshot run.
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QProcess>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "ui/app/velmora_app.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "ui/views/net_view.h"
#include "ui/views/solution_view.h"
#include "support/model_fixture.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {


class Window : public AppWindowTest {
protected:
    void Start(const StartRequest& request = {}) {
        StartApp(request, [this](std::string_view text, Buttons buttons, Icon) {
            questions.emplace_back(text);
            return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
        });
    }

    std::vector<std::string> questions;
};

TEST_F(Window, FirstStartUsesTheDefaultsAndExitWritesTheElevenValues) {
    Start();
    for (int i = 0; i < kSettingCount; ++i) EXPECT_EQ(app->settings.Get(i), kSettingDefaults[i].value) << i;
    EXPECT_EQ(Model().methodChoice, 1);
    EXPECT_TRUE(app->doc->IsChecked(cmd::kGroupMethod));

    Frame().Dispatch(cmd::kEightCornerMethod);
    app->settings.colourSettings[7] = 0x00112233;
    app->Exit();
    app.reset();

    QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
    EXPECT_EQ(store.value(QStringLiteral("Settings/Solve")).toInt(), 2);
    EXPECT_EQ(store.value(QStringLiteral("Settings/TextColor")).toInt(), 0x00112233);
    EXPECT_EQ(store.value(QStringLiteral("Settings/BkColor")).toInt(), 15780000);

    Start();
    EXPECT_EQ(app->settings.solve, 2);
    EXPECT_EQ(Model().methodChoice, 2);
    EXPECT_EQ(app->settings.colourSettings[7], 0x00112233);
    EXPECT_TRUE(Frame().CommandAction(cmd::kEightCornerMethod)->isChecked());
    EXPECT_FALSE(Frame().CommandAction(cmd::kGroupMethod)->isChecked());
}

TEST_F(Window, AMissingValueFallsBackToItsDefault) {
    {
        QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
        store.setValue(QStringLiteral("Settings/SideT"), 255);
        store.setValue(QStringLiteral("Settings/Solve"), QStringLiteral("not a number"));
    }
    Start();
    EXPECT_EQ(app->settings.colourSettings[1], 255);
    EXPECT_EQ(app->settings.colourSettings[2], kSettingDefaults[2].value);
    EXPECT_EQ(app->settings.solve, 1);
}

TEST_F(Window, NewThenDownChangesTheStatusLineAndAnimatesForTenTicks) {
    Start();
    QWidget* focus = Frame().CubeView();
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F2);
    const QString afterNew = Frame().Message();
    const std::string record = Model().SolutionRecord.c_str();
    ASSERT_GT(record.size(), 76u) << "F2 dealt and solved a new cube";
    EXPECT_EQ(Model().demoPos, 76);

    // The first tokens may be stage markers or groups, which do not animate.
    for (int i = 0; i < 6 && Model().animAngle == 0; ++i) QTest::keyClick(focus, Qt::Key_Down);
    EXPECT_NE(Frame().Message(), afterNew);
    EXPECT_EQ(Frame().Message(), Text(Model().statusText.view()));
    EXPECT_GT(Model().demoPos, 76);
    ASSERT_NE(Model().animAngle, 0);
    // The step also moves the marker in the solution pane.
    EXPECT_GE(Model().animAngle * Model().animAngle, 90 * 90);
    const int turnTicks = std::abs(Model().animAngle) / 9;
    for (int i = 1; i < turnTicks; ++i) {
        Frame().CubeView()->AnimationTick();
        EXPECT_NE(Model().animAngle, 0) << "tick " << i;
    }
    Frame().CubeView()->AnimationTick();
    EXPECT_EQ(Model().animAngle, 0);

    const int pos = Model().demoPos;
    QTest::keyClick(focus, Qt::Key_Up);
    EXPECT_LT(Model().demoPos, pos);
}

TEST_F(Window, WindowIs800By572WithTheSplittersAt376And510) {
    Start();
    EXPECT_EQ(Frame().frameGeometry().size(), QSize(800, 572));
    EXPECT_EQ(Frame().OuterSplitter()->sizes().value(0), 376);
    EXPECT_EQ(Frame().InnerSplitter()->sizes().value(0), 510);
    EXPECT_EQ(Frame().CubeView()->size(), QSize(510, 376));
    // Dragged away and restored.
    Frame().OuterSplitter()->setSizes({200, 300});
    Frame().InnerSplitter()->setSizes({300, 400});
    Frame().resize(900, 650);
    Frame().RestoreLayout();
    Pump(50);
    EXPECT_EQ(Frame().frameGeometry().size(), QSize(800, 572));
    EXPECT_EQ(Frame().OuterSplitter()->sizes().value(0), 376);
    EXPECT_EQ(Frame().InnerSplitter()->sizes().value(0), 510);
}

TEST_F(Window, ResolutionAdviceBelow800By600) {
    EXPECT_FALSE(CMainFrame::NeedsResolutionAdvice(1024, 600));
    EXPECT_FALSE(CMainFrame::NeedsResolutionAdvice(800, 600));
    EXPECT_TRUE(CMainFrame::NeedsResolutionAdvice(1024, 580));
    EXPECT_TRUE(CMainFrame::NeedsResolutionAdvice(640, 480));
    EXPECT_TRUE(CMainFrame::NeedsResolutionAdvice(799, 900));
}

TEST_F(Window, ToolbarAndMenusAreBuiltFromTheCommandTable) {
    Start();
    EXPECT_EQ(Frame().ToolBar()->windowTitle(), Text("Velmora工具条"));
    const auto layout = ToolbarLayout();
    for (int i = 0; i < static_cast<int>(layout.size()); ++i) EXPECT_EQ(Frame().ToolbarCommandAt(i), layout[i]) << i;

    // Every menu item of the table is in its menu, in order, separators where the
    // table says.
    const QList<QAction*> menus = Frame().menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    int m = 0;
    for (MenuId menuId : {MenuId::File, MenuId::Edit, MenuId::View, MenuId::Learn, MenuId::Help}) {
        QMenu* menu = menus[m++]->menu();
        EXPECT_EQ(menu->title(), Text(MenuTitle(menuId)));
        QList<QAction*> items = menu->actions();
        int at = 0;
        for (const CommandRow& row : CommandTable()) {
            if (row.menu != menuId) continue;
            const int count = row.id == cmd::kRecentFile1 ? kRecentFileCount : 1;
            ASSERT_LT(at, items.size());
            if (row.mark == MarkRule::RadioDemoSpeed) {
                // The pace items sit together in one submenu.
                QMenu* pace = items[at]->menu();
                ASSERT_NE(pace, nullptr) << row.id;
                EXPECT_EQ(pace->title(), Text(kDemoSpeedMenuTitle));
                EXPECT_TRUE(pace->actions().contains(Frame().CommandAction(row.id))) << row.id;
                if (&row == &CommandTable().back() || (&row)[1].mark != MarkRule::RadioDemoSpeed) ++at;
                continue;
            }
            EXPECT_EQ(items[at], Frame().CommandAction(row.id)) << row.id;
            EXPECT_TRUE(items[at]->text().startsWith(Text(row.menuText)) || row.id == cmd::kRecentFile1) << row.id;
            at += count;
            if (row.separatorAfter) {
                ASSERT_LT(at, items.size());
                EXPECT_TRUE(items[at]->isSeparator()) << "after " << row.id;
                ++at;
            }
        }
        EXPECT_EQ(at, items.size());
    }
    EXPECT_TRUE(Frame().CommandAction(cmd::kStartInput)->isEnabled());
    EXPECT_TRUE(Frame().CommandAction(cmd::kModify)->isEnabled());
    EXPECT_TRUE(Frame().CommandAction(cmd::kFileNew)->isEnabled());
    EXPECT_EQ(Frame().CommandAction(cmd::kFileNew)->statusTip(), Text("新文件，随机打乱魔方，并求出复原解法  <F2>"));
    EXPECT_EQ(Frame().CommandAction(cmd::kFileNew)->toolTip(), Text("打乱"));
}

TEST_F(Window, ToolbarButtonSwapKeepsItsPlaceAndImage) {
    Start();
    const auto layout = ToolbarLayout();
    const int index = static_cast<int>(std::find(layout.begin(), layout.end(), cmd::kStartInput) - layout.begin());
    ASSERT_EQ(Frame().ToolbarCommandAt(index), cmd::kStartInput);
    const QImage before = Frame().CommandAction(cmd::kStartInput)->icon().pixmap(16, 15).toImage();
    Frame().SwapToolbarButton(cmd::kStartInput, cmd::kEndInput);
    EXPECT_EQ(Frame().ToolbarCommandAt(index), cmd::kEndInput);
    EXPECT_EQ(Frame().CommandAction(cmd::kEndInput)->icon().pixmap(16, 15).toImage(), before);
    Frame().SwapToolbarButton(cmd::kStartInput, cmd::kEndInput);  // no button carries it now
    EXPECT_EQ(Frame().ToolbarCommandAt(index), cmd::kEndInput);
    Frame().SwapToolbarButton(cmd::kEndInput, cmd::kStartInput);
    EXPECT_EQ(Frame().ToolbarCommandAt(index), cmd::kStartInput);
}

TEST_F(Window, AcceleratorsRunEnabledCommandsOnly) {
    Start();
    QWidget* focus = Frame().NetView();
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Model().autoDemoCount, 1);
    EXPECT_TRUE(Frame().CommandAction(cmd::kAutoDemo)->isChecked());
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Model().autoDemoCount, 0);

    // In input mode stepping is disabled: Down does nothing.
    Model().inputMode = -1;
    const int pos = Model().demoPos;
    QTest::keyClick(focus, Qt::Key_Down);
    EXPECT_EQ(Model().demoPos, pos);
    Model().inputMode = 0;
}

TEST_F(Window, ToolbarAndStatusBarCanBeHiddenAndShownAgain) {
    Start();
    for (int id : {cmd::kToolbar, cmd::kStatusBar}) {
        QWidget* bar = id == cmd::kToolbar ? static_cast<QWidget*>(Frame().ToolBar())
                                           : static_cast<QWidget*>(Frame().statusBar());
        ASSERT_TRUE(bar->isVisible());
        EXPECT_TRUE(Frame().CommandAction(id)->isChecked());
        Frame().Dispatch(id);
        EXPECT_FALSE(bar->isVisible()) << id;
        EXPECT_FALSE(Frame().CommandAction(id)->isChecked()) << id;
        Frame().Dispatch(id);
        EXPECT_TRUE(bar->isVisible()) << id;
        EXPECT_TRUE(Frame().CommandAction(id)->isChecked()) << id;
    }
}

TEST_F(Window, F6MovesTheFocusRoundTheThreeViews) {
    Start();
    Frame().activateWindow();
    Frame().CubeView()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return Frame().CubeView()->hasFocus(); }));
    EXPECT_EQ(Frame().KeyPaneText(), Text(" 可以用鼠标拖拽魔方"));
    QTest::keyClick(Frame().CubeView(), Qt::Key_F6);
    EXPECT_TRUE(Frame().NetView()->hasFocus());
    EXPECT_EQ(Frame().KeyPaneText(), Text(" 鼠标单击小方块能显示相应的提示"));
    QTest::keyClick(Frame().NetView(), Qt::Key_F6);
    EXPECT_TRUE(Frame().SolutionView()->hasFocus());
    EXPECT_EQ(Frame().KeyPaneText(), Text(" 双击选择文字颜色，右击选择屏幕背景颜色"));
    QTest::keyClick(Frame().SolutionView(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(Frame().NetView()->hasFocus());
}

TEST_F(Window, DraggingTurnsTheCubeOutsideTheDeadZone) {
    Start();
    CTarnex3dView* view = Frame().CubeView();
    CTarnexSource& m = Model();
    const QPoint start(200, 200);
    auto move = [&](QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QMouseEvent e(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, mods);
        QApplication::sendEvent(view, &e);
    };
    // Moving without a press does nothing (the counter is 1 after construction).
    move(start + QPoint(50, 50));
    EXPECT_EQ(m.viewTilt, 27);

    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, start);
    move(start + QPoint(3, -3));
    EXPECT_EQ(m.viewTilt, 27);
    EXPECT_EQ(m.viewTurn, -36);
    move(start + QPoint(0, -40));  // dy = 40: tilt falls by 20
    EXPECT_EQ(m.viewTilt, 7);
    move(start + QPoint(-20, -40));  // dx = 20: turn falls by 10
    EXPECT_EQ(m.viewTurn, -46);
    move(start + QPoint(-40, -40), Qt::ControlModifier);  // Ctrl: spin instead
    EXPECT_EQ(m.viewSpin, -10);
    EXPECT_EQ(m.viewTurn, -46);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, start + QPoint(-40, -40));
    move(start);  // released: no more dragging
    EXPECT_EQ(m.viewTurn, -46);

    // Upside down the horizontal drag is reversed; tilt wraps past 180.
    m.viewTilt = 170;
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, start);
    move(start + QPoint(0, -40));
    EXPECT_EQ(m.viewTilt, 150);
    m.viewTilt = 175;
    move(start + QPoint(0, 0));  // dy = -40: tilt rises to 195, wraps to -165
    EXPECT_EQ(m.viewTilt, -165);
    move(start + QPoint(-20, 0));
    EXPECT_EQ(m.viewTurn, -36);  // -46 + 10
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, start + QPoint(-20, 0));

    m.viewZoom = 1.5f;
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, start);
    EXPECT_EQ(m.viewTilt, 27);
    EXPECT_EQ(m.viewTurn, -36);
    EXPECT_EQ(m.viewSpin, 0);
    EXPECT_FLOAT_EQ(m.viewZoom, 1.5f);
}

TEST_F(Window, GrabOfTheWholeWindowShowsTrueColours) {
    Start({QStringLiteral(VELMORA_TEST_SOLVED_FILE), {}, true, {}});
    app->doc->auxShown = false;
    Frame().CubeView()->update();
    Pump(100);
    const QImage shot = Frame().grab().toImage();
    EXPECT_EQ(shot.size(), Frame().size());
    Camera cam;
    cam.aux = false;
    cam.width = Frame().CubeView()->width();
    cam.height = Frame().CubeView()->height();
    const QPoint offset = Frame().CubeView()->mapTo(&Frame(), QPoint(0, 0));
    EXPECT_TRUE(ColourNear(shot.pixel(offset + cam.Project(0, 0.8, 0.4)), app->settings.colourSettings[1], 36, "top"));
    EXPECT_TRUE(ColourNear(shot.pixel(offset + cam.Project(0.4, 0, 0.8)), app->settings.colourSettings[2], 36, "front"));
    EXPECT_TRUE(ColourNear(shot.pixel(offset + cam.Project(0.8, -0.4, 0)), app->settings.colourSettings[3], 36, "right"));
}

TEST_F(Window, ADroppedFileIsOpenedAndJoinsTheRecentFiles) {
    Start();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dropped.mf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_TEST_SOLVED_FILE), path));
    Model().RunMoveString(0, "F+;R+;");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(PiecesSolved(Model().cube));
    EXPECT_TRUE(Frame().windowTitle().endsWith(QStringLiteral("dropped.mf[*]")));
    Frame().UpdateCommandStates();
    QAction* first = Frame().CommandAction(cmd::kRecentFile1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->text().endsWith(QStringLiteral("dropped.mf")));
    EXPECT_TRUE(first->isEnabled());
    EXPECT_FALSE(Frame().CommandAction(cmd::kRecentFile1 + 1)->isVisible());
}

TEST_F(Window, OpeningAFileThatIsNotThereEndsStartUpWithAMessage) {
    app = std::make_unique<CVelmoraApp>();
    app->user.messageHook = [this](std::string_view text, Buttons, Icon) {
        questions.emplace_back(text);
        return Answer::Ok;
    };
    EXPECT_FALSE(app->Start({QStringLiteral("/nonexistent/cube.mf"), {}, true, {}}));
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("/nonexistent/cube.mf"), std::string::npos);
}

TEST_F(Window, CommandLineTakesAFileOrAScreenshot) {
    const StartRequest plain = ParseCommandLine({"velmora"});
    EXPECT_TRUE(plain.valid);
    EXPECT_TRUE(plain.file.isEmpty());
    const StartRequest file = ParseCommandLine({"velmora", "a.mf"});
    EXPECT_EQ(file.file, QStringLiteral("a.mf"));
    const StartRequest shot = ParseCommandLine({"velmora", "--screenshot", "s.png", "a.mf"});
    EXPECT_EQ(shot.screenshot, QStringLiteral("s.png"));
    EXPECT_EQ(shot.file, QStringLiteral("a.mf"));
    EXPECT_FALSE(ParseCommandLine({"velmora", "--screenshot"}).valid);
    EXPECT_FALSE(ParseCommandLine({"velmora", "a.mf", "b.mf"}).valid);
    EXPECT_FALSE(ParseCommandLine({"velmora", "--frobnicate"}).valid);
}

TEST_F(Window, ScreenshotRunWritesAPngOfTheWindowAndExits) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("shot.png"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMORA_GUI_PATH), {QStringLiteral("--screenshot"), png});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(800, 572));
    EXPECT_TRUE(p.readAllStandardOutput().contains("first_frame_ms"));
}

TEST_F(Window, AboutBoxShowsVersionAndTheManualsShortLine) {
    Start();
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), Text("关于 Velmora Velmora"));
    auto* line = about.findChild<QLabel*>(QStringLiteral("aboutLine"));
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(UserManual().aboutLine.empty());
    EXPECT_EQ(line->text(), Text(UserManual().aboutLine));
}

}  // namespace
}  // namespace velmora::test
