// Learn mode in the document: the lesson follows the demonstration, the commands obey
// their rules, and a user who only follows the hints finishes the stage practised.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "doc_fixture.h"
#include "document/lesson_plan.h"

namespace velmora::test {
namespace {

constexpr std::string_view kScramble = "F+;R-;T*;L+;P-;B+;F*;R+;T-;P+;L*;";

class LearnMode : public DocTest {
protected:
    void LearnOn() {
        if (!doc->LearnModeOn()) {
            ASSERT_TRUE(doc->OnCommand(cmd::kLearnMode));
        }
    }
    static int Count(const LessonView& v, StickerLight light) {
        return static_cast<int>(std::count(v.lights.begin(), v.lights.end(), light));
    }
    // Record index of the first move of the shown stage n; -1 when there is none.
    int StageStart(int n) {
        auto work = std::make_unique<CTarnexSource>(m());
        const auto stages = ReadRecordStages(*work, m().SolutionRecord.view(), m().startState, m().methodUsed);
        int shown = 0;
        for (const RecordStage& s : stages) {
            if (s.moves == 0) continue;
            if (shown++ == n) return s.firstMove;
        }
        return -1;
    }
};

TEST_F(LearnMode, CommandRulesFollowTheModeAndPractice) {
    DealAndSolve(kScramble);
    EXPECT_FALSE(doc->IsChecked(cmd::kLearnMode));
    EXPECT_FALSE(doc->IsEnabled(cmd::kPracticeStage));
    EXPECT_FALSE(doc->Lesson().active);
    LearnOn();
    EXPECT_TRUE(doc->IsChecked(cmd::kLearnMode));
    EXPECT_EQ(settings.learnMode, 1);  // kept in the settings the window stores
    EXPECT_TRUE(doc->IsEnabled(cmd::kPracticeStage));
    EXPECT_FALSE(doc->IsEnabled(cmd::kHint));
    EXPECT_FALSE(doc->IsEnabled(cmd::kShowDemo));
    EXPECT_FALSE(doc->OnCommand(cmd::kHint));
    ASSERT_TRUE(doc->OnCommand(cmd::kPracticeStage));
    EXPECT_TRUE(doc->IsEnabled(cmd::kHint));
    EXPECT_TRUE(doc->IsEnabled(cmd::kShowDemo));
    // A new deal is a new position: the practice is over.
    ASSERT_TRUE(doc->OnCommand(cmd::kFileNew));
    EXPECT_FALSE(doc->Practising());
    EXPECT_FALSE(doc->IsEnabled(cmd::kHint));
    // Turning learn mode off ends practice too.
    ASSERT_TRUE(doc->OnCommand(cmd::kPracticeStage));
    ASSERT_TRUE(doc->OnCommand(cmd::kLearnMode));
    EXPECT_FALSE(doc->Practising());
    EXPECT_FALSE(doc->IsEnabled(cmd::kPracticeStage));
}

TEST_F(LearnMode, MovesTypedAsADemonstrationHaveNoLesson) {
    LearnOn();
    // As the command-string dialog makes one: the solved cube and the typed moves.
    m().ResetCube();
    m().moveRecord.Assign("F+;B+;R+;");
    m().MakeDemoFromRecord();
    ASSERT_GT(m().SolutionRecord.size(), static_cast<std::size_t>(kRecordMovesStart));
    EXPECT_FALSE(doc->Lesson().active);
    EXPECT_FALSE(doc->IsEnabled(cmd::kPracticeStage));
    DealAndSolve(kScramble);
    EXPECT_TRUE(doc->Lesson().active);
}

TEST(LearnCommands, RowsSitInTheirMenusWithTheHintKey) {
    for (int id : {cmd::kPracticeStage, cmd::kHint, cmd::kShowDemo}) {
        const CommandRow* row = FindCommand(id);
        ASSERT_NE(row, nullptr) << id;
        EXPECT_EQ(row->menu, MenuId::Learn);
    }
    EXPECT_EQ(FindCommand(cmd::kLearnMode)->menu, MenuId::View);
    EXPECT_EQ(FindCommand(cmd::kLearnMode)->menuText, "讲解模式");
    EXPECT_EQ(FindCommand(cmd::kPracticeStage)->menuText, "自己做这一阶段");
    EXPECT_EQ(FindCommand(cmd::kHint)->menuText, "提示");
    EXPECT_EQ(FindCommand(cmd::kShowDemo)->menuText, "看演示");
    int hKeys = 0;
    for (const AcceleratorRow& a : AcceleratorTable())
        if (a.key == "H") {
            ++hKeys;
            EXPECT_EQ(a.id, cmd::kHint);
            EXPECT_EQ(a.modifiers, kNoModifier);
        }
    EXPECT_EQ(hKeys, 1);
    EXPECT_EQ(MenuTitle(MenuId::Learn), "讲解(&J)");
}

TEST_F(LearnMode, LessonFollowsStepsForwardAndBack) {
    DealAndSolve(kScramble);
    LearnOn();
    LessonView v = doc->Lesson();
    ASSERT_TRUE(v.active);
    EXPECT_EQ(v.stage, 0);
    EXPECT_EQ(v.name, "上边块");
    EXPECT_EQ(Count(v, StickerLight::Stage), 8);  // four edges, two stickers each
    EXPECT_EQ(Count(v, StickerLight::Home), 0);
    EXPECT_LT(v.piecesHome, v.piecesTotal);
    // The first move of the pair stage: the top edges are home and lit as such.
    const int pairs = StageStart(1);
    ASSERT_GT(pairs, 0);
    doc->StepSolutionTo(pairs);
    v = doc->Lesson();
    EXPECT_EQ(v.stage, 1);
    EXPECT_EQ(v.name, "上角块和中边块");
    EXPECT_EQ(v.stageBegin, pairs);
    EXPECT_EQ(Count(v, StickerLight::Home), 8);
    EXPECT_EQ(Count(v, StickerLight::Stage), 4 * 3 + 4 * 2);
    EXPECT_EQ(Count(v, StickerLight::Dimmed), 54 - 28);
    // One step back is the top edges' last move again.
    ASSERT_TRUE(doc->OnCommand(cmd::kStepBack));
    EXPECT_EQ(doc->Lesson().stage, 0);
    EXPECT_LT(doc->Lesson().piecesHome, 4);  // the last move is still to come
    // The bottom edges' one formula is named by its case.
    doc->StepSolutionTo(StageStart(v.stageCount - 1));
    ASSERT_EQ(doc->Lesson().name, "下边块");
    EXPECT_EQ(doc->Lesson().formula.rfind("下边块公式（第", 0), 0u) << doc->Lesson().formula;
    EXPECT_EQ(v.formula, "");  // the pairs have no case table
    // At the end every piece is home.
    while (m().demoPos < static_cast<int>(m().SolutionRecord.size())) m().StepSolution(+1);
    v = doc->Lesson();
    EXPECT_EQ(v.stage, v.stageCount - 1);
    EXPECT_EQ(v.piecesHome, v.piecesTotal);
    EXPECT_EQ(Count(v, StickerLight::Dimmed), 6);  // the centres belong to no stage
}

// A scripted user practises the second stage of each method with nothing but hints,
// and strays once with a turn of their own.
class PracticeLoop : public LearnMode, public ::testing::WithParamInterface<int> {};

TEST_P(PracticeLoop, HintsAloneReachTheStagesGoal) {
    settings.solve = GetParam();
    m().methodChoice = GetParam();
    DealAndSolve(kScramble);
    LearnOn();
    const int start = StageStart(1) > 0 ? StageStart(1) : StageStart(0);
    ASSERT_GT(start, 0);
    doc->StepSolutionTo(start);
    // Practice starts from within the stage too.
    ASSERT_TRUE(doc->OnCommand(cmd::kStepForward));
    if (doc->Lesson().stageBegin != start) {
        ASSERT_TRUE(doc->OnCommand(cmd::kStepBack));
    }
    ASSERT_TRUE(doc->OnCommand(cmd::kPracticeStage));
    ASSERT_TRUE(doc->Practising());
    EXPECT_EQ(m().demoPos, start);  // the demonstration stopped at the stage's start
    const std::string stageName = doc->Lesson().name;
    const std::string atStart = Code();
    int turns = 0;
    bool strayed = false;
    while (!doc->Lesson().goalReached && turns < 200) {
        if (turns == 2 && !strayed) {
            strayed = true;
            doc->RunTypedCommand("R+");
            continue;
        }
        ASSERT_TRUE(doc->OnCommand(cmd::kHint));
        const std::string hint = doc->Lesson().hint;
        ASSERT_FALSE(hint.empty()) << LastStatus();
        EXPECT_NE(LastStatus().find(hint), std::string::npos);
        doc->RunTypedCommand(hint);
        ++turns;
    }
    LessonView v = doc->Lesson();
    ASSERT_TRUE(v.goalReached) << "after " << turns << " hinted turns";
    EXPECT_EQ(v.name, stageName);  // still the stage practised
    EXPECT_EQ(v.piecesHome, v.piecesTotal);
    EXPECT_NE(LastStatus().find("这一阶段完成了"), std::string::npos) << LastStatus();
    EXPECT_FALSE(doc->OnCommand(cmd::kHint) && !doc->Lesson().hint.empty());
    // Undo takes back the user's last turn like any other.
    ASSERT_TRUE(doc->OnCommand(cmd::kUndo));
    EXPECT_FALSE(doc->Lesson().goalReached);
    EXPECT_TRUE(doc->Practising());
    // Back to the demonstration from the stage's start.
    ASSERT_TRUE(doc->OnCommand(cmd::kShowDemo));
    EXPECT_FALSE(doc->Practising());
    EXPECT_EQ(m().demoPos, start);
    EXPECT_EQ(Code(), atStart);
    EXPECT_EQ(doc->Lesson().name, stageName);
    // Undo takes the return back to the user's own cube.
    ASSERT_TRUE(doc->OnCommand(cmd::kUndo));
    EXPECT_NE(Code(), atStart);
}

INSTANTIATE_TEST_SUITE_P(Methods, PracticeLoop, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return info.param == 1 ? "Group" : info.param == 2 ? "EightCorner" : "Shortest"; });

TEST_F(LearnMode, PractiseTheNextStageFromTheUsersOwnCube) {
    DealAndSolve(kScramble);
    LearnOn();
    ASSERT_TRUE(doc->OnCommand(cmd::kPracticeStage));
    for (int i = 0; i < 200 && !doc->Lesson().goalReached; ++i) {
        ASSERT_TRUE(doc->OnCommand(cmd::kHint));
        doc->RunTypedCommand(doc->Lesson().hint);
    }
    ASSERT_TRUE(doc->Lesson().goalReached);
    // The solution shown is now the user's own; its first stage is the next one.
    ASSERT_TRUE(doc->OnCommand(cmd::kPracticeStage));
    const LessonView v = doc->Lesson();
    EXPECT_TRUE(v.practising);
    EXPECT_EQ(v.name, "上角块和中边块");
    EXPECT_EQ(v.stage, 0);
    // The user's own solution begins with this stage; the top edges are still home.
    EXPECT_EQ(Count(v, StickerLight::Home), 8);
}

}  // namespace
}  // namespace velmora::test
