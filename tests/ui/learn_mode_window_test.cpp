// Learn mode in the window: the stage above the solution's moves, the stickers lit on
// the net and on the 3D cube, the layer about to turn framed, what a screen reader
// hears, and the goals on the solution sheet.
#include <QAccessible>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include "document/lesson_marks.h"
#include "document/lesson_text.h"
#include "document/settings.h"
#include "document/solution_sheet.h"
#include "document/velmora_doc.h"
#include "model/facelet_string.h"
#include "model/scripted_user.h"
#include "support/sticker_places.h"
#include "ui/gl/lesson_source.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/net_view.h"
#include "ui/views/pane_accessibility.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/sheet_drawing.h"
#include "ui/views/solution_layout.h"
#include "ui/views/solution_view.h"
#include "app_window_fixture.h"
#include "document/command_table.h"
#include "ui/app/settings_store.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

constexpr int kOrange = kStageOutlineColour;

// A lesson whose lights run through the three kinds by facelet place: Stage, Home,
// Dimmed, Stage, ...
LessonView MixedLesson() {
    LessonView lesson;
    lesson.active = true;
    lesson.stage = 0;
    lesson.stageCount = 5;
    lesson.name = "三块上边块";
    lesson.goal = "把顶面的三个边块放到位。";
    for (int i = 0; i < 54; ++i)
        lesson.lights[static_cast<std::size_t>(i)] =
            i % 3 == 0 ? StickerLight::Stage : i % 3 == 1 ? StickerLight::Home : StickerLight::Dimmed;
    return lesson;
}

class LearnWindow : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        doc = std::make_unique<CVelmoraDoc>(user, settings);
        doc->model.SeedRandom(35);
    }
    void TearDown() override { SetShownLessonForTest(nullptr); }

    // A scrambled cube with its solution shown, at the start of the demonstration.
    void Scrambled() {
        doc->model.Scramble(1);
        ASSERT_GT(doc->model.SolutionRecord.view().size(), 90u);
    }
    int Colour(int row, int col, int sticker) const {
        return settings.colourSettings[doc->model.StickerColour(row, col, sticker)];
    }

    ScriptedUser user;
    VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc;
};

// Net: dimmed stickers desaturated, the stage's framed in orange, the home ones as
// always; the block of the face the hint turns is framed; and the cells' accessible
// names say which are lit.
TEST_F(LearnWindow, NetDrawsAndNamesEachStickerByItsLight) {
    Scrambled();
    LessonView lesson = MixedLesson();
    lesson.practising = true;
    lesson.hint = "F+";
    SetShownLessonForTest(&lesson);
    CVelmoraView view(*doc);
    view.resize(290, 376);
    InstallPaneAccessibility();
    const QImage image = view.Render();
    const CTarnexSource& m = doc->model;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(table, nullptr);
    int stage = 0, home = 0, dimmed = 0;
    for (int cell = 0; cell < kFaceletCount; ++cell) {
        if (cell % 9 == 4) continue;  // centres carry their letter and bar
        const FaceletRecord& r = m.FaceletTable[cell];
        const StickerLight light = NetCellLight(m, lesson, cell);
        const int full = Colour(r.row, r.col, r.sticker);
        const QPoint middle(r.left + 11, r.top + 11);
        const std::string what = "cell " + std::to_string(cell);
        const QString name = table->child(cell)->text(QAccessible::Name);
        switch (light) {
            case StickerLight::Dimmed:
                EXPECT_TRUE(ColourNear(image.pixel(middle), DimmedColour(full), 0, what));
                EXPECT_FALSE(name.contains(Text("已到位")) || name.contains(Text("本阶段"))) << what;
                ++dimmed;
                break;
            case StickerLight::Home:
                EXPECT_TRUE(ColourNear(image.pixel(middle), full, 0, what));
                EXPECT_TRUE(name.endsWith(Text(" 已到位"))) << what << " " << name.toStdString();
                ++home;
                break;
            case StickerLight::Stage:
                EXPECT_TRUE(ColourNear(image.pixel(middle), full, 0, what));
                EXPECT_TRUE(ColourNear(image.pixel(r.left + 3, r.top + 11), kOrange, 0, what + " frame"));
                EXPECT_TRUE(name.endsWith(Text(" 本阶段"))) << what << " " << name.toStdString();
                ++stage;
                break;
        }
    }
    EXPECT_GT(stage, 10);
    EXPECT_GT(home, 10);
    EXPECT_GT(dimmed, 10);
    // F is block 2 (cells 9-17): framed in the text colour; T's block is not.
    const FaceletRecord& f = m.FaceletTable[9];
    const FaceletRecord& t = m.FaceletTable[0];
    EXPECT_TRUE(ColourNear(image.pixel(f.left - 1, f.top + 11), settings.colourSettings[7], 0, "F block frame"));
    EXPECT_TRUE(ColourNear(image.pixel(t.left - 1, t.top + 11), settings.colourSettings[0], 0, "T block unframed"));

    // Without learn mode the net is as it always was.
    SetShownLessonForTest(nullptr);
    const QImage plain = view.Render();
    for (int cell = 0; cell < kFaceletCount; ++cell) {
        if (cell % 9 == 4) continue;
        const FaceletRecord& r = m.FaceletTable[cell];
        EXPECT_TRUE(ColourNear(plain.pixel(r.left + 11, r.top + 11), Colour(r.row, r.col, r.sticker), 0, "plain"));
        EXPECT_FALSE(table->child(cell)->text(QAccessible::Name).contains(Text("本阶段")));
    }
}

// 3D cube: every sticker in view shows its light, and a stage sticker carries its
// orange frame near its edge.
TEST_F(LearnWindow, CubeDrawsEachVisibleStickerByItsLight) {
    Scrambled();
    const LessonView lesson = MixedLesson();
    SetShownLessonForTest(&lesson);
    CTarnex3dView view(*doc);
    view.resize(510, 376);
    view.show();
    ASSERT_TRUE(WaitFor([&] { return view.FramesDrawn() > 0; }));
    view.update();
    const int before = view.FramesDrawn();
    ASSERT_TRUE(WaitFor([&] { return view.FramesDrawn() > before; }));
    const QImage image = view.grabFramebuffer();
    if (!qEnvironmentVariable("VELMORA_LEARN_SHOTS").isEmpty())
        image.save(qEnvironmentVariable("VELMORA_LEARN_SHOTS") + QStringLiteral("/cube_lights_test.png"));
    Camera cam;
    cam.aux = doc->auxShown;
    cam.tilt = doc->model.viewTilt;
    cam.turn = doc->model.viewTurn;
    cam.spin = doc->model.viewSpin;
    cam.zoom = doc->model.viewZoom;
    cam.width = view.width();
    cam.height = view.height();
    int checked = 0, framed = 0;
    for (const StickerPlace& s : AllStickerPlaces()) {
        if (!cam.Faces(s.normal[0], s.normal[1], s.normal[2])) continue;
        double c[3];
        for (int a = 0; a < 3; ++a) c[a] = s.cell[a] * 0.55 + s.normal[a] * 0.25;
        const int place = StringPlaceOf(s.row, s.col, s.number);
        ASSERT_GE(place, 0);
        const StickerLight light = lesson.lights[static_cast<std::size_t>(place)];
        const int full = settings.colourSettings[doc->model.StickerColour(s.row, s.col, s.number)];
        const std::string what = "sticker " + std::to_string(place);
        if (s.col != 0) {  // a centre's middle holds its letter
            const QPoint p = cam.Project(c[0], c[1], c[2]);
            EXPECT_TRUE(ColourNear(image.pixel(p), light == StickerLight::Dimmed ? DimmedColour(full) : full, 36, what));
            ++checked;
        }
        if (light != StickerLight::Stage || s.col == 0) continue;
        // Half-way along the frame's four edges, 0.215 from the sticker's middle: on a
        // face seen at a slant at least one of them is wide enough to sample.
        bool orange = false;
        for (int a = 0; a < 3; ++a) {
            if (s.normal[a] != 0) continue;
            for (double sign : {-1.0, 1.0}) {
                double e[3] = {c[0], c[1], c[2]};
                e[a] += sign * 0.215;
                orange = orange || ColourNear(image.pixel(cam.Project(e[0], e[1], e[2])), kOrange, 70, what);
            }
        }
        EXPECT_TRUE(orange) << what << " has its frame";
        ++framed;
    }
    EXPECT_EQ(checked, 24);
    EXPECT_GE(framed, 6);
}

// The pane: the stage's name and goal above the moves, the moves below them still
// answering clicks token by token, and the description that announces the stage.
TEST_F(LearnWindow, PaneShowsTheStageAboveTheMovesAndAnnouncesIt) {
    Scrambled();
    const LessonView lesson = MixedLesson();
    CTarnexSolutionView view(*doc);
    view.resize(800, 200);
    InstallPaneAccessibility();
    const QImage plain = view.Render();
    SetShownLessonForTest(&lesson);
    const QImage lit = view.Render();
    // Two header lines (name, goal): the first move line now stands two lines lower.
    const int header = static_cast<int>(LessonPaneLines(lesson).size());
    ASSERT_EQ(header, 2);
    auto row = [](const QImage& image, int y) {
        QImage band = image.copy(132, y, 500, 16);
        return band;
    };
    EXPECT_EQ(row(lit, 9 + 20 * header), row(plain, 9)) << "first move line moved below the header";
    EXPECT_NE(row(lit, 9), row(plain, 9)) << "the stage's name stands where the moves began";

    // A click on the fourth token of the first move line (now below the header).
    SolutionLayout layout;
    LayoutSolution(doc->model.SolutionRecord.view(), doc->model.demoPos, doc->model.methodUsed, layout);
    const int column = 12;
    const int target = SolutionTokenAt(doc->model.SolutionRecord.view(), layout, 0, column);
    ASSERT_GT(target, kRecordMovesStart);
    view.JumpToTokenAt(132 + column * view.CharWidth() + 2, 9 + 20 * header + 8);
    EXPECT_EQ(doc->model.demoPos, target);
    view.JumpToTokenAt(132 + column * view.CharWidth() + 2, 9 + 8);  // on the header: nothing
    EXPECT_EQ(doc->model.demoPos, target);

    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(pane, nullptr);
    const QString description = pane->text(QAccessible::Description);
    EXPECT_TRUE(description.startsWith(Text("第1阶段（共5阶段）：三块上边块；目标：把顶面的三个边块放到位。")))
        << description.toStdString();
    EXPECT_TRUE(description.contains(Text("第 ")) && description.contains(Text(" 步"))) << "the step is still told";
}

// The sheet: each stage's goal printed under its heading (read back with pdftotext),
// and the stage's pieces outlined in its small net.
TEST_F(LearnWindow, SheetPrintsEachStagesGoalUnderItsHeading) {
    Scrambled();
    SolutionSheet sheet;
    doc->BuildSheet(sheet);
    ASSERT_GE(sheet.stages.size(), 2u);
    for (const SheetStage& stage : sheet.stages) {
        EXPECT_FALSE(stage.goal.empty()) << stage.name;
        EXPECT_GT(std::count(stage.stagePieces.begin(), stage.stagePieces.end(), true), 0) << stage.name;
    }
    std::string bytes;
    std::vector<SheetNetPlace> places;
    ASSERT_TRUE(SolutionSheetPdf(sheet, bytes, &places));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("goals.pdf"));
    std::ofstream(pdf.toStdString(), std::ios::binary) << bytes;
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    QString read = QString::fromUtf8(text.readAllStandardOutput());
    read.remove(QRegularExpression(QStringLiteral("\\s")));
    qsizetype at = 0;
    for (const SheetStage& stage : sheet.stages) {
        const qsizetype heading = read.indexOf(Text(stage.name).remove(QRegularExpression(QStringLiteral("\\s"))), at);
        ASSERT_GE(heading, at) << stage.name;
        const qsizetype goal = read.indexOf(Text("目标：") + Text(stage.goal), heading);
        EXPECT_GT(goal, heading) << stage.goal;
        // The goal comes before the stage's moves.
        if (!stage.ownMoves.empty()) {
            EXPECT_LT(goal, read.indexOf(QString::fromStdString(stage.ownMoves[0]), heading));
        }
        at = goal > 0 ? goal : heading;
    }
}

// Stepping the group method's solution forward, back, by a click on a move and by the
// automatic demonstration: the net always shows the lights of the document's lesson,
// the stage advances through the method, and stepping back returns the same lights.
TEST_F(LearnWindow, LightsFollowEveryStepOfTheDemonstration) {
    settings.learnMode = 1;
    doc->model.methodChoice = 1;
    Scrambled();
    CVelmoraView net(*doc);
    net.resize(290, 376);
    CTarnexSolutionView pane(*doc);
    pane.resize(800, 200);
    const CTarnexSource& m = doc->model;
    auto expectNetShowsLesson = [&](const std::string& where) {
        const LessonView lesson = doc->Lesson();
        ASSERT_TRUE(lesson.active) << where;
        const QImage image = net.Render();
        for (int cell = 0; cell < kFaceletCount; ++cell) {
            if (cell % 9 == 4) continue;
            const FaceletRecord& r = m.FaceletTable[cell];
            const int full = Colour(r.row, r.col, r.sticker);
            const StickerLight light = NetCellLight(m, lesson, cell);
            ASSERT_TRUE(ColourNear(image.pixel(r.left + 11, r.top + 11),
                                   light == StickerLight::Dimmed ? DimmedColour(full) : full, 0,
                                   where + " cell " + std::to_string(cell)));
            if (light == StickerLight::Stage) {
                ASSERT_TRUE(ColourNear(image.pixel(r.left + 3, r.top + 11), kOrange, 0, where + " frame"));
            }
        }
    };
    const LessonView first = doc->Lesson();
    expectNetShowsLesson("start");
    std::vector<std::array<StickerLight, 54>> seen{first.lights};
    int lastStage = first.stage, stages = 1, steps = 0;
    const int length = static_cast<int>(m.SolutionRecord.view().size());
    while (TokenFrom(m.SolutionRecord.view(), m.demoPos).size() > 0 && m.demoPos < length) {
        doc->OnCommand(cmd::kStepForward);
        ++steps;
        const LessonView now = doc->Lesson();
        ASSERT_GE(now.stage, lastStage) << "the stage never goes back while stepping forward";
        if (now.stage != lastStage) ++stages;
        lastStage = now.stage;
        if (steps % 5 == 0) expectNetShowsLesson("step " + std::to_string(steps));
        seen.push_back(now.lights);
    }
    EXPECT_GE(stages, 3) << "the group method runs through several stages";
    // Back to the start step by step: the lights of each position come back.
    for (int k = steps - 1; k >= 0; --k) {
        doc->OnCommand(cmd::kStepBack);
        if (k % 7 == 0) {
            EXPECT_EQ(doc->Lesson().lights, seen[static_cast<std::size_t>(k)]) << "back at step " << k;
        }
    }
    EXPECT_EQ(m.demoPos, kRecordMovesStart);
    // A click on a move of the pane jumps there, lights included.
    SolutionLayout layout;
    LayoutSolution(m.SolutionRecord.view(), m.demoPos, m.methodUsed, layout);
    const int header = static_cast<int>(LessonPaneLines(doc->Lesson()).size());
    pane.JumpToTokenAt(132 + 40 * pane.CharWidth() + 2, 9 + 20 * header + 8);
    ASSERT_GT(m.demoPos, kRecordMovesStart);
    expectNetShowsLesson("after a click");
    // The automatic demonstration takes the next step through the same path.
    const int before = m.demoPos;
    doc->model.autoDemoCount = 1;
    doc->DemoTick();
    EXPECT_GT(m.demoPos, before);
    expectNetShowsLesson("demonstration");
    doc->model.autoDemoCount = 0;
}

// Practice in the whole window: learn mode from the menu (kept in the settings),
// 自己做这一阶段, then H for hints typed as the user types turns, until the pane says
// the stage is done; the hint's layer is framed on the net; undo takes the last turn
// back; 看演示 returns to the demonstration.
class LearnPractice : public AppWindowTest {};

TEST_F(LearnPractice, HintsAloneBringTheUserThroughAStage) {
    StartApp(StartRequest{}, [](std::string_view, Buttons b, Icon) {
        return b == Buttons::YesNo || b == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
    });
    CVelmoraDoc& d = *app->doc;
    ASSERT_GT(Model().SolutionRecord.view().size(), 90u);
    Model().autoDemoCount = 0;
    Frame().Dispatch(32970);
    ASSERT_TRUE(d.LearnModeOn());
    ASSERT_NE(Frame().CommandAction(32970), nullptr);
    EXPECT_TRUE(Frame().CommandAction(32970)->isChecked());
    SaveSettings(app->settings, d.recentFiles);
    {
        VelmoraSettings stored;
        std::vector<std::string> files;
        LoadSettings(stored, files);
        EXPECT_EQ(stored.learnMode, 1) << "learn mode is kept in the settings";
    }
    // Two steps into the first stage, then practise it.
    Frame().Dispatch(cmd::kStepForward);
    Frame().Dispatch(cmd::kStepForward);
    Frame().Dispatch(32971);
    ASSERT_TRUE(d.Practising());
    const LessonView start = d.Lesson();
    ASSERT_TRUE(start.practising);
    EXPECT_EQ(Model().demoPos, start.stageBegin) << "practice starts at the stage's first move";

    int hints = 0;
    for (; hints < 60 && !d.Lesson().goalReached; ++hints) {
        QTest::keyClick(Frame().CubeView(), Qt::Key_H);
        const LessonView lesson = d.Lesson();
        ASSERT_FALSE(lesson.hint.empty()) << "hint " << hints;
        const QStringList pane = [&] {
            QStringList lines;
            for (const std::string& l : LessonPaneLines(lesson)) lines.append(Text(l));
            return lines;
        }();
        EXPECT_TRUE(pane.last().startsWith(Text("提示：下一步转 ") + Text(lesson.hint))) << pane.last().toStdString();
        const LayerMark layer = MarkedLayer(lesson, Model().SolutionRecord.view(), Model().demoPos);
        if (layer.shown && std::string_view("TFRPLB").find(layer.face) != std::string_view::npos) {
            const int block = static_cast<int>(std::string_view("TFRPLB").find(layer.face));
            const FaceletRecord& r = Model().FaceletTable[9 * block];
            const QImage net = Frame().NetView()->Render();
            EXPECT_TRUE(ColourNear(net.pixel(r.left - 1, r.top + 11), app->settings.colourSettings[7], 0,
                                   "hint layer framed"));
        }
        // The user turns as told: a face turn typed as its two keys, anything else as
        // the same turn run by the document.
        const QString hint = Text(lesson.hint);
        if (hint.size() == 2 && QStringLiteral("TFRPLB").contains(hint[0]) && QStringLiteral("+-*").contains(hint[1]))
            QTest::keyClicks(Frame().CubeView(), hint);
        else
            d.RunTypedCommand(lesson.hint);
        ASSERT_TRUE(d.Practising()) << "the user's turn keeps the practice";
    }
    ASSERT_TRUE(d.Lesson().goalReached) << "after " << hints << " hints";
    EXPECT_GT(hints, 0);
    const auto done = LessonPaneLines(d.Lesson());
    EXPECT_TRUE(std::any_of(done.begin(), done.end(), [](const std::string& l) { return Text(l).contains(Text("完成")); }))
        << done.back();
    EXPECT_FALSE(Text(done.back()).startsWith(Text("提示"))) << "no hint once the goal holds";
    // Undo takes the last turn back: the goal no longer holds.
    Frame().Dispatch(cmd::kUndo);
    EXPECT_FALSE(d.Lesson().goalReached);
    Frame().Dispatch(32973);
    EXPECT_FALSE(d.Practising());
    EXPECT_FALSE(d.Lesson().practising);
    Model().autoDemoCount = 0;
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// Pictures of learn mode for a person to look at: with VELMORA_LEARN_SHOTS naming a
// folder, the whole window at the start of three stages of the group method and in
// practice with a hint shown. Skipped otherwise.
class LearnShots : public AppWindowTest {};

TEST_F(LearnShots, WindowAtThreeStagesAndInPractice) {
    const QString folder = qEnvironmentVariable("VELMORA_LEARN_SHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "set VELMORA_LEARN_SHOTS to a folder";
    StartApp(StartRequest{}, [](std::string_view, Buttons b, Icon) {
        return b == Buttons::YesNo || b == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
    });
    CVelmoraDoc& d = *app->doc;
    Model().autoDemoCount = 0;
    Frame().resize(1100, 760);
    if (!d.LearnModeOn()) Frame().Dispatch(32970);
    auto shoot = [&](const QString& name) {
        Frame().RedrawAll();
        // Past the last turn's animation (half a second a quarter turn, a second a half).
        Pump(1300);
        const QImage shot = Frame().grab().toImage();
        ASSERT_TRUE(shot.save(folder + QLatin1Char('/') + name));
    };
    int shots = 0;
    int stage = -1;
    while (shots < 3 && TokenFrom(Model().SolutionRecord.view(), Model().demoPos).size() > 0) {
        const LessonView v = d.Lesson();
        if (v.stage != stage) {
            stage = v.stage;
            // Two moves into the stage, so that its first turns show.
            Frame().Dispatch(cmd::kStepForward);
            Frame().Dispatch(cmd::kStepForward);
            shoot(QStringLiteral("stage%1.png").arg(v.stage + 1));
            ++shots;
        }
        Frame().Dispatch(cmd::kStepForward);
    }
    Frame().Dispatch(cmd::kStepBack);
    Frame().Dispatch(32971);
    QTest::keyClick(Frame().CubeView(), Qt::Key_H);
    shoot(QStringLiteral("practice_hint.png"));
    Frame().Dispatch(32973);
    Model().autoDemoCount = 0;
}

}  // namespace
}  // namespace velmora::test
