// Learn mode's reading of solutions: every stage of every method says what it is for,
// and what it says holds when its solution is replayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "document/lesson_plan.h"
#include "document/solution_sheet.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

constexpr std::string_view kFaceTurns[18] = {"T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
                                             "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};

TEST(StageLessons, EveryStageHasANameAGoalAndPiecesTheSheetAgreesWith) {
    for (int method : {1, 2, 3, 4}) {
        const MethodLesson* lessons = MethodLessonOf(method);
        ASSERT_NE(lessons, nullptr) << method;
        for (const StageLesson& s : lessons->stages) {
            EXPECT_FALSE(s.name.empty());
            EXPECT_GE(s.goal.size(), 30u) << s.name;  // a sentence, not a word
            EXPECT_FALSE(s.pieces.empty()) << s.name;
            EXPECT_LE(s.atLeast, static_cast<int>(s.pieces.size())) << s.name;
            // The sheet names the stages of the methods it knows by the same marker.
            if (method != 3) {
                EXPECT_EQ(StageName(method, s.marker), s.name) << method;
            }
            for (const StagePiece& p : s.pieces) EXPECT_NE(SlotName(p.slot), "?") << s.name << p.slot;
            EXPECT_EQ(StageLessonOf(method, s.marker), &s);
        }
    }
    EXPECT_EQ(MethodLessonOf(0), nullptr);  // the fixed lettering sequence has no stages
}

TEST(StageLessons, PieceListsNameSlotsAsTheNetLettersThem) {
    const StageLesson* pairs = StageLessonOf(1, "## ");
    ASSERT_NE(pairs, nullptr);
    EXPECT_EQ(PieceListText(*pairs).substr(0, 27), "TFR placed, FR placed, TRP ");
    const StageLesson* three = StageLessonOf(2, "## ");
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(PieceListText(*three), "any 3 of TF placed, TR placed, TP placed, TL placed");
    EXPECT_EQ(PieceListText(*StageLessonOf(4, "#  ")), "F oriented, R oriented, P oriented");
}

TEST(RecordStages, RepeatedMarkersMakeOneStageAndAnEmptyTailNone) {
    const std::string head(kRecordMovesStart, '0');
    // Two passes of the eight-corner method's stage 4, then stage 5.
    const std::string record = head + "T+;## R-;## B+;# #";
    const std::vector<RecordStage> stages = SplitRecordStages(record, 2);
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[0].lesson->name, "三块上边块");
    EXPECT_EQ(stages[0].moves, 2);
    EXPECT_EQ(stages[0].firstMove, kRecordMovesStart);
    EXPECT_EQ(stages[1].lesson->name, "下边块");
    EXPECT_EQ(record.substr(static_cast<std::size_t>(stages[1].firstMove), 2), "B+");
    // The next move decides the stage; at the end, the last stage with moves.
    EXPECT_EQ(StageAtPosition(stages, kRecordMovesStart + 3), 0);
    EXPECT_EQ(StageAtPosition(stages, stages[1].firstMove), 1);
    EXPECT_EQ(StageAtPosition(stages, static_cast<int>(record.size())), 1);
    // A marker the method does not know: no stages rather than wrong ones.
    EXPECT_TRUE(SplitRecordStages(head + "T+;## ", 4).empty());
}

class PieceGoals : public ModelTest {};

TEST_F(PieceGoals, LayersFrameForgivesATurnedLayerThatFixedDoesNot) {
    m().RunMoveString(0, "T+;B-;");
    for (int slot : {11, 12, 21, 24, 41, 53}) {
        EXPECT_TRUE(PieceHolds(m(), GoalFrame::Layers, {slot, PieceGoal::Placed})) << slot;
        EXPECT_FALSE(PieceHolds(m(), GoalFrame::Fixed, {slot, PieceGoal::Placed})) << slot;
        EXPECT_TRUE(PieceHolds(m(), GoalFrame::Fixed, {slot, PieceGoal::Oriented})) << slot;
    }
    // A side turn breaks the order of the layers.
    m().RunMoveString(0, "R+;");
    EXPECT_FALSE(PieceHolds(m(), GoalFrame::Layers, {21, PieceGoal::Placed}) &&
                 PieceHolds(m(), GoalFrame::Layers, {22, PieceGoal::Placed}) &&
                 PieceHolds(m(), GoalFrame::Layers, {12, PieceGoal::Placed}));
}

TEST_F(PieceGoals, AxisFrameKeepsHalfTurnsAndLayerTurnsButNotQuarterSideTurns) {
    const StageLesson& phaseOne = *StageLessonOf(3, "#  ");
    m().RunMoveString(0, "R*;T+;F*;B-;L*;");
    EXPECT_EQ(PiecesHolding(m(), phaseOne), 20);
    // A quarter turn of a side twists its four corners and takes two middle edges out
    // of the middle layer and two others into it.
    m().RunMoveString(0, "F+;");
    EXPECT_EQ(PiecesHolding(m(), phaseOne), 12);
    EXPECT_FALSE(PieceHolds(m(), GoalFrame::Axis, {11, PieceGoal::Oriented}));
    // About the front-back axis a front turn keeps every piece oriented.
    m().ResetCube();
    m().RunMoveString(0, "F+;P-;R*;");
    EXPECT_EQ(PiecesHolding(m(), phaseOne, 2), 20);
    EXPECT_LT(PiecesHolding(m(), phaseOne, 1), 20);
    m().RunMoveString(0, "R*;P+;F-;T+;B*;");
    EXPECT_EQ(PiecesHolding(m(), phaseOne), 20);
}

TEST_F(PieceGoals, CentreGoalsFollowTheCentreWhereverTheCubeIsHeld) {
    m().cube.centreTurns[3] = 1;  // the right centre a quarter off
    const StageLesson& sides = *StageLessonOf(4, "#  ");
    EXPECT_EQ(PiecesHolding(m(), sides), 2);
    std::array<StickerLight, 54> lights{};
    LightLessonPieces(m(), sides, StickerLight::Stage, lights);
    EXPECT_EQ(std::count(lights.begin(), lights.end(), StickerLight::Stage), 3);
    EXPECT_EQ(lights[13], StickerLight::Stage);  // R's centre in the facelet string
}

// The replay property: over seeded random positions, every stage of every method
// brings home what its lesson lists and later stages keep it.
struct ReplayCase {
    const char* name;
    int method;
    bool centres;
    int positions;
};

class StageReplay : public ModelTest, public ::testing::WithParamInterface<ReplayCase> {};

TEST_P(StageReplay, EveryStageHoldsWhatItsLessonPromises) {
    const ReplayCase& c = GetParam();
    m().methodChoice = c.method == 4 ? 1 : c.method;
    m().centreOnlyMode = c.centres ? 1 : 0;
    auto work = std::make_unique<CTarnexSource>(m());
    std::mt19937 rng(1000u + static_cast<unsigned>(c.method));
    for (int i = 0; i < c.positions; ++i) {
        m().ResetCube();
        for (int k = 0; k < 30; ++k) m().ApplyToken(kFaceTurns[rng() % 18]);
        m().moveRecord.Clear();
        m().ExecuteAndSolve();
        ASSERT_EQ(m().lastSolveResult, 1) << i;
        ASSERT_EQ(m().methodUsed, c.method);
        ReplayFault fault;
        const bool ok = CheckStageReplay(*work, m().SolutionRecord.view(), m().startState, m().methodUsed, &fault);
        ASSERT_TRUE(ok) << "position " << i << " " << m().SolutionRecord.view().substr(0, 72) << " stage "
                        << fault.stage << " piece " << SlotName(fault.slot) << (fault.kept ? " lost" : " missing");
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, StageReplay,
                         ::testing::Values(ReplayCase{"Group", 1, false, 300}, ReplayCase{"EightCorner", 2, false, 300},
                                           ReplayCase{"Shortest", 3, false, 60}, ReplayCase{"Centres", 4, true, 300}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PieceGoals, ReplayCatchesAStageThatLosesAnEarlierStagesPiece) {
    // A made-up group solution: the top edges are brought home, then the pair stage's
    // moves turn the top away again.
    m().RunMoveString(0, "T+;");
    m().startState = m().cube;
    const std::string record = std::string(kRecordMovesStart, '0') + "T-;#  R+;## ";
    auto work = std::make_unique<CTarnexSource>(m());
    ReplayFault fault;
    EXPECT_FALSE(CheckStageReplay(*work, record, m().startState, 1, &fault));
    EXPECT_EQ(fault.stage, 1);
    const std::string honest = std::string(kRecordMovesStart, '0') + "T-;#  ";
    EXPECT_TRUE(CheckStageReplay(*work, honest, m().startState, 1));
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// Over seeded positions, the case-table stages name the formula of their moves.
class FormulaNames : public ModelTest, public ::testing::WithParamInterface<int> {};

TEST_P(FormulaNames, CaseTableStagesNameTheirFormulaAtItsMoves) {
    m().methodChoice = GetParam();
    auto work = std::make_unique<CTarnexSource>(m());
    std::mt19937 rng(77);
    int tableStages = 0, named = 0, namedMoves = 0;
    for (int i = 0; i < 100; ++i) {
        m().ResetCube();
        for (int k = 0; k < 30; ++k) m().ApplyToken(kFaceTurns[rng() % 18]);
        m().moveRecord.Clear();
        m().ExecuteAndSolve();
        const std::string_view record = m().SolutionRecord.view();
        for (const RecordStage& s : ReadRecordStages(*work, record, m().startState, m().methodUsed)) {
            const bool table = (GetParam() == 1 && (s.lesson->marker == ",# " || s.lesson->marker == "")) ||
                               (GetParam() == 2 && (s.lesson->marker == " ##" || s.lesson->marker == ""));
            const std::string first = s.moves > 0 ? FormulaAt(m().methodUsed, record, s, s.firstMove) : "";
            if (!table) {
                EXPECT_EQ(first, "") << s.lesson->name;  // stages without a case table name none
                continue;
            }
            if (s.moves < 4) continue;  // a lone layer turn is no formula
            ++tableStages;
            for (std::string_view t : RecordTokens(record.substr(static_cast<std::size_t>(s.begin),
                                                                 static_cast<std::size_t>(s.end - s.begin))))
                if (!FormulaAt(m().methodUsed, record, s, static_cast<int>(t.data() - record.data())).empty())
                    ++namedMoves;
            if (!first.empty() || !FormulaAt(m().methodUsed, record, s, s.firstMove + 3).empty()) ++named;
        }
    }
    ASSERT_GT(tableStages, 50);
    EXPECT_GE(named * 10, tableStages * 9) << named << " of " << tableStages;
    EXPECT_GT(namedMoves, tableStages * 3);
}

INSTANTIATE_TEST_SUITE_P(Methods, FormulaNames, ::testing::Values(1, 2),
                         [](const auto& info) { return info.param == 1 ? "Group" : "EightCorner"; });

}  // namespace
}  // namespace velmora::test
