// Turning layers by hand on the 3D cube, and steering the demonstration: Shift + drag
// on the real view, picking checked against the drawn picture, a click on a solution
// token, the demonstration's pace in the menu and the settings, and Space.
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <string>

#include "document/command_table.h"
#include "document/settings.h"
#include "document/velmora_doc.h"
#include "model/cube_picking.h"
#include "support/model_fixture.h"
#include "support/sticker_places.h"
#include "ui/app/velmora_app.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "ui/views/solution_layout.h"
#include "ui/views/solution_view.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {


// Saves a picture under $VELMORA_SCREENSHOT_DIR when it is set (for looking at).
void KeepPicture(const QImage& image, const char* name) {
    const char* dir = std::getenv("VELMORA_SCREENSHOT_DIR");
    if (dir && *dir) image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)), "PNG");
}

void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(w, &e);
}

class LayerDrag : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        doc = std::make_unique<CVelmoraDoc>(user, settings);
        doc->model.SeedRandom(77);
        doc->model.RunMoveString(0, "F+;R-;T*;L+;P-;B+;F*;R+;T-;P+;L*;");
        doc->model.ExecuteAndSolve();
        view = std::make_unique<CTarnex3dView>(doc_());
        view->resize(510, 376);
        view->show();
        ASSERT_TRUE(WaitFor([&] { return view->FramesDrawn() > 0; }));
        user.Clear();
    }
    CVelmoraDoc& doc_() { return *doc; }
    CTarnexSource& m() { return doc->model; }
    ViewCamera Cam() const { return CameraOf(doc->model, doc->auxShown, view->width(), view->height()); }
    QPointF PaneOf(const double p[3]) const {
        double x = 0, y = 0;
        EXPECT_TRUE(ProjectToPane(Cam(), p, x, y));
        return {x, y};
    }
    // A Shift + drag from `from` by `by` pixels in `steps` moves; `middle` runs after
    // the move that reaches the fraction `at` of the way.
    void ShiftDrag(QPointF from, QPointF by, int steps, double at = 2, const std::function<void()>& middle = {}) {
        const auto mods = Qt::ShiftModifier;
        SendMouse(view.get(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
        for (int i = 1; i <= steps; ++i) {
            SendMouse(view.get(), QEvent::MouseMove, from + by * (double(i) / steps), Qt::NoButton, Qt::LeftButton, mods);
            if (middle && i == static_cast<int>(std::lround(at * steps))) middle();
        }
        SendMouse(view.get(), QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton, mods);
    }
    void SettleAnimation() {
        for (int i = 0; i < 40 && (view->HandTurnDegrees() != 0 || m().animAngle != 0); ++i) view->AnimationTick();
    }

    ScriptedUser user;
    VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc;
    std::unique_ptr<CTarnex3dView> view;
};

// A click on the middle of a piece's sticker names it, and the drawn picture shows
// that sticker's colour there: for several cameras, with and without the auxiliary
// cube.
TEST_F(LayerDrag, PickedStickersShowTheirOwnColourInThePicture) {
    auto colourAt = [&](const StickerHit& hit) {
        return ColourAt(m(), {hit.cell[0], hit.cell[1], hit.cell[2]}, FaceNormal(hit.face));
    };
    struct Pose {
        double tilt, turn, spin;
        float zoom;
        bool aux;
    };
    for (const Pose& pose : {Pose{27, -36, 0, 1.0f, true}, Pose{-35, 140, 0, 1.0f, false}, Pose{150, 30, 20, 1.2f, true},
                             Pose{10, -80, 45, 0.8f, false}}) {
        m().viewTilt = pose.tilt;
        m().viewTurn = pose.turn;
        m().viewSpin = pose.spin;
        m().viewZoom = pose.zoom;
        doc->auxShown = pose.aux;
        view->update();
        const QImage image = view->grabFramebuffer();
        int checked = 0;
        for (int face = 1; face <= 6; ++face)
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j) {
                    double p[3];
                    int k = 0;
                    for (int a = 0; a < 3; ++a)
                        p[a] = FaceNormal(face)[a] ? FaceNormal(face)[a] * kStickerPlane : (k++ == 0 ? i : j) * kCubiePitch;
                    // The centres carry a letter and a mark in their middle.
                    if (i == 0 && j == 0) continue;
                    const QPointF at = PaneOf(p);
                    const QPoint pixel(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y())));
                    if (!image.rect().adjusted(2, 2, -2, -2).contains(pixel)) continue;
                    StickerHit hit;
                    if (!PickSticker(Cam(), pixel.x(), pixel.y(), hit) || hit.face != face) continue;
                    const int colour = colourAt(hit);
                    ASSERT_GE(colour, 1);
                    EXPECT_TRUE(ColourNear(image.pixel(pixel), settings.colourSettings[colour], 40,
                                           "tilt " + std::to_string(pose.tilt) + " face " + std::to_string(face) +
                                               " cell " + std::to_string(i) + "," + std::to_string(j)));
                    ++checked;
                }
        EXPECT_GE(checked, 16) << "tilt " << pose.tilt;
    }
}

TEST_F(LayerDrag, ShiftDragAcrossTheFrontTurnsTheFrontLayerLikeTheMoveEngine) {
    // From the top sticker of the front top edge towards the right: the front layer
    // turns clockwise seen from the front, as F+ does.
    const double top[3] = {0, kStickerPlane, kCubiePitch};
    const double right[3] = {0.1, kStickerPlane, kCubiePitch};
    const QPointF from = PaneOf(top);
    const QPointF unit = (PaneOf(right) - from) * 10.0;  // one cube unit along x
    const CubeState before = m().cube;
    const int cursor = doc->cmdCursor;

    // Pulled 1.35 units: the sticker goes round 0.8 units from the axis, ~97 degrees.
    bool sawTurning = false;
    ShiftDrag(from, unit * 1.35, 12, 0.5, [&] {
        EXPECT_TRUE(view->LayerDragActive());
        EXPECT_EQ(view->HandTurnAxis(), 2);
        EXPECT_EQ(view->HandTurnSlice(), 1);
        EXPECT_LT(view->HandTurnDegrees(), -30);
        EXPECT_EQ(CodeOf(m().cube), CodeOf(before)) << "nothing turns in the model before the release";
        view->update();
        KeepPicture(view->grabFramebuffer(), "layer_mid_drag.png");
        sawTurning = true;
    });
    ASSERT_TRUE(sawTurning);
    EXPECT_FALSE(view->LayerDragActive());
    EXPECT_EQ(doc->cmdCursor, cursor + 1);
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::Status).back().text, "执行了命令:(F+;)，并求出解法。");

    const CubeState after = m().cube;
    CubeState engine = before;
    std::swap(m().cube, engine);
    m().ApplyToken("F+");
    std::swap(m().cube, engine);
    EXPECT_EQ(CodeOf(after), CodeOf(engine));
    // The layer goes on from where it was let go to rest.
    EXPECT_NE(view->HandTurnDegrees(), 0);
    EXPECT_LE(std::fabs(view->HandTurnDegrees()), 45);
    SettleAnimation();
    EXPECT_EQ(view->HandTurnDegrees(), 0);
    // One undo returns.
    doc->HistoryOp(-1, {});
    EXPECT_EQ(CodeOf(m().cube), CodeOf(before));
}

TEST_F(LayerDrag, ShortPullsSpringBackAndPlainDragsStillTurnTheView) {
    const double front[3] = {0, 0, kStickerPlane};
    const double up[3] = {0, 0.1, kStickerPlane};
    const QPointF from = PaneOf(front);
    const QPointF unit = (PaneOf(up) - from) * 10.0;
    const std::string start = CodeOf(m().cube);
    const int cursor = doc->cmdCursor;
    const double turn = m().viewTurn, tilt = m().viewTilt;

    ShiftDrag(from, unit * 0.45, 6);  // ~32 degrees of the middle layer between L and R
    EXPECT_EQ(CodeOf(m().cube), start);
    EXPECT_EQ(doc->cmdCursor, cursor);
    EXPECT_EQ(view->HandTurnAxis(), 0);
    EXPECT_EQ(view->HandTurnSlice(), 0);
    EXPECT_NE(view->HandTurnDegrees(), 0);
    SettleAnimation();
    EXPECT_EQ(view->HandTurnDegrees(), 0);
    EXPECT_EQ(m().viewTurn, turn);
    EXPECT_EQ(m().viewTilt, tilt);

    // Without Shift the same drag turns the view; in input mode Shift turns nothing.
    SendMouse(view.get(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    SendMouse(view.get(), QEvent::MouseMove, from + QPointF(40, 0), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    SendMouse(view.get(), QEvent::MouseButtonRelease, from + QPointF(40, 0), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(m().viewTurn, turn + 20);
    EXPECT_EQ(CodeOf(m().cube), start);
    m().viewTurn = turn;
    m().inputMode = -1;
    ShiftDrag(from, unit * 1.5, 6);
    EXPECT_FALSE(view->LayerDragActive());
    EXPECT_EQ(view->HandTurnDegrees(), 0);
    EXPECT_EQ(CodeOf(m().cube), start);
    m().inputMode = 0;
}

TEST_F(LayerDrag, TheDemonstrationWaitsWhileALayerIsHeld) {
    settings.demoInterval = 800;
    m().autoDemoCount = 1;
    const int pos = m().demoPos;
    const double front[3] = {0, 0, kStickerPlane};
    const double up[3] = {0, 0.1, kStickerPlane};
    const QPointF from = PaneOf(front), by = (PaneOf(up) - from) * 3.0;
    SendMouse(view.get(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(view.get(), QEvent::MouseMove, from + by, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_TRUE(view->LayerDragActive());
    Pump(1900);  // two ticks of the fast pace
    EXPECT_EQ(view->DemoIntervalMs(), 800);
    EXPECT_EQ(m().demoPos, pos);
    SendMouse(view.get(), QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_TRUE(WaitFor([&] { return m().demoPos != pos; }, 2500)) << "steps again once the layer is let go";
    m().autoDemoCount = 0;
}

class SolutionClick : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        doc = std::make_unique<CVelmoraDoc>(user, settings);
        doc->model.RunMoveString(0, "F+;R-;T*;L+;P-;B+;F*;R+;T-;P+;L*;");
        doc->model.ExecuteAndSolve();
        view = std::make_unique<CTarnexSolutionView>(*doc);
        view->resize(790, 160);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    CTarnexSource& m() { return doc->model; }
    // Record position of the first character of token n (1-based).
    int TokenStart(int n) const {
        const std::string_view r = doc->model.SolutionRecord.view();
        int count = 0;
        for (int i = kRecordMovesStart; i < static_cast<int>(r.size()); ++i)
            if (!IsSeparatorChar(r[i]) && (i == kRecordMovesStart || IsSeparatorChar(r[i - 1])) && ++count == n) return i;
        return -1;
    }
    // The pane point over record position pos, as laid out now.
    QPoint PointOf(int pos) const {
        SolutionLayout layout;
        LayoutSolution(doc->model.SolutionRecord.view(), doc->model.demoPos, doc->model.methodUsed, layout);
        for (int line = 0; line < layout.lineCount; ++line)
            for (int col = 0; col < static_cast<int>(layout.lines[line].size()); ++col)
                if (SolutionRecordIndexAt(layout, line, col) == pos &&
                    !(line == layout.markerLine && col >= layout.markerColumn && col < layout.markerColumn + 3))
                    return QPoint(132 + col * view->CharWidth() + view->CharWidth() / 2,
                                  SolutionLayout::kFirstLineY + SolutionLayout::kLinePitch * line + 7);
        return QPoint(-1, -1);
    }
    void ClickAndWait(QPoint at) {
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, at);
        Pump(QApplication::doubleClickInterval() + 150);
    }

    ScriptedUser user;
    VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc;
    std::unique_ptr<CTarnexSolutionView> view;
};

TEST_F(SolutionClick, ClickOnTheTenthTokenLeavesTheCubeWhereNineStepsLeaveIt) {
    ASSERT_GT(TokenStart(12), 0) << "the solution has at least twelve tokens";
    for (int i = 0; i < 9; ++i) doc->OnCommand(cmd::kStepForward);
    const std::string nine = CodeOf(m().cube);
    const int turns = m().turnCounter, pos = m().demoPos;
    const int angle = m().animAngle;
    m().StepSolution(0);
    user.Clear();

    ClickAndWait(PointOf(TokenStart(10) + 1));  // on the token's second character
    EXPECT_EQ(m().demoPos, pos);
    EXPECT_EQ(pos, TokenStart(10));
    EXPECT_EQ(CodeOf(m().cube), nine);
    EXPECT_EQ(m().turnCounter, turns);
    // The jump says where it landed, not what its last step did.
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::Status).back().text,
              turns > 0 ? "跳到第 9 步，已经完成了" + std::to_string(turns) + "转。" : std::string("跳到第 9 步。"));
    EXPECT_EQ(m().animAngle, angle) << "the last step animates";

    // The token about to be demonstrated is drawn in reversed colours after "<=>".
    const QImage picture = view->Render();
    KeepPicture(picture, "solution_highlight.png");
    SolutionLayout layout;
    LayoutSolution(m().SolutionRecord.view(), m().demoPos, m().methodUsed, layout);
    const int line = layout.markerLine;
    ASSERT_GE(line, 0);
    const auto [begin, end] = layout.highlight[line];
    EXPECT_EQ(begin, layout.markerColumn + 3);
    EXPECT_GT(end, begin);
    const int cw = view->CharWidth(), y = SolutionLayout::kFirstLineY + SolutionLayout::kLinePitch * line;
    int filled = 0, total = 0;
    for (int x = 132 + begin * cw; x < 132 + end * cw; ++x)
        for (int dy = 0; dy < 12; ++dy, ++total)
            filled += ColourNear(picture.pixel(x, y + dy), settings.colourSettings[7], 40, "") ? 1 : 0;
    EXPECT_GT(filled, total / 2) << "the highlight fills the token's cells";

    // Back to the third token: two steps from the start, reached by stepping back.
    ClickAndWait(PointOf(TokenStart(3)));
    EXPECT_EQ(m().demoPos, TokenStart(3));
    const std::string three = CodeOf(m().cube);
    const int backTurns = m().turnCounter;
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::Status).back().text.rfind("跳到第 2 步", 0), 0u);
    m().StepSolution(0);
    m().StepSolution(1);
    m().StepSolution(1);
    EXPECT_EQ(three, CodeOf(m().cube));
    EXPECT_EQ(backTurns, m().turnCounter);
}

TEST_F(SolutionClick, DoubleClicksAndClicksBesideTheMovesDoNotStep) {
    const int pos = m().demoPos;
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, PointOf(TokenStart(5)));
    Pump(QApplication::doubleClickInterval() + 150);
    EXPECT_EQ(m().demoPos, pos);
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::ColourDialog).size(), 1u);
    ClickAndWait(QPoint(60, 30));  // the method column
    ClickAndWait(QPoint(300, 150));  // below the last line
    EXPECT_EQ(m().demoPos, pos);
    m().inputMode = -1;
    ClickAndWait(PointOf(TokenStart(5)));
    EXPECT_EQ(m().demoPos, pos);
    m().inputMode = 0;
}


class PaceWindow : public AppWindowTest {
protected:
    void Start() {
        StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::No; }, false);
    }
    void Restart() {
        app->Exit();
        app.reset();
        Start();
    }
};

TEST_F(PaceWindow, ThePaceIsChosenInItsSubmenuAndKeptInTheSettings) {
    Start();
    CMainFrame& frame = *app->frame;
    // 查看 › 演示速度 holds 慢, 中 and 快 as one radio group; 中 is the default.
    QMenu* pace = nullptr;
    for (QAction* a : frame.menuBar()->actions())
        if (a->menu())
            for (QAction* b : a->menu()->actions())
                if (b->menu() && b->text() == Text("演示速度")) pace = b->menu();
    ASSERT_NE(pace, nullptr);
    ASSERT_EQ(pace->actions().size(), 3);
    EXPECT_EQ(pace->actions()[0]->text(), Text("慢"));
    EXPECT_EQ(pace->actions()[2]->text(), Text("快"));
    EXPECT_TRUE(frame.CommandAction(cmd::kDemoMedium)->isChecked());
    EXPECT_EQ(frame.CubeView()->DemoIntervalMs(), 1600);

    frame.Dispatch(cmd::kDemoFast);
    EXPECT_TRUE(frame.CommandAction(cmd::kDemoFast)->isChecked());
    EXPECT_FALSE(frame.CommandAction(cmd::kDemoMedium)->isChecked());
    EXPECT_TRUE(WaitFor([&] { return frame.CubeView()->DemoIntervalMs() == 800; }));

    Restart();
    EXPECT_EQ(app->settings.demoInterval, 800);
    EXPECT_TRUE(app->frame->CommandAction(cmd::kDemoFast)->isChecked());
    EXPECT_EQ(app->frame->CubeView()->DemoIntervalMs(), 800);
    app->frame->Dispatch(cmd::kDemoSlow);
    Restart();
    EXPECT_EQ(app->settings.demoInterval, 2400);
    {
        QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
        EXPECT_EQ(store.value(QStringLiteral("Settings/DemoSpeed")).toInt(), 2400);
        EXPECT_EQ(store.value(QStringLiteral("Settings/Solve")).toInt(), 1) << "the eleven values stay";
    }
    // A value the menu cannot give is read as the default.
    app->Exit();
    app.reset();
    {
        QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
        store.setValue(QStringLiteral("Settings/DemoSpeed"), 5);
        store.sync();
    }
    Start();
    EXPECT_EQ(app->settings.demoInterval, 1600);
}

TEST_F(PaceWindow, SpaceStartsAndStopsTheDemonstrationExceptInATextField) {
    Start();
    CMainFrame& frame = *app->frame;
    CTarnexSource& m = app->doc->model;
    frame.activateWindow();
    frame.CubeView()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return frame.CubeView()->hasFocus(); }));
    QTest::keyClick(frame.CubeView(), Qt::Key_Space);
    EXPECT_EQ(m.autoDemoCount, 1);
    EXPECT_TRUE(frame.CommandAction(cmd::kAutoDemo)->isChecked());
    QTest::keyClick(frame.SolutionView(), Qt::Key_Space);
    EXPECT_EQ(m.autoDemoCount, 0);

    auto* field = new QLineEdit(&frame);
    frame.statusBar()->addWidget(field);
    field->show();
    field->setFocus();
    ASSERT_TRUE(WaitFor([&] { return field->hasFocus(); }));
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(m.autoDemoCount, 0);
    EXPECT_EQ(field->text(), QStringLiteral(" "));
    delete field;
}

}  // namespace
}  // namespace velmora::test
