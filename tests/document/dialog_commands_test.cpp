// The modify, patterns and command-string commands of the document: what they record
// in the history, what they report, and the position they leave.
#include <gtest/gtest.h>

#include <memory>

#include "document/command_string_form.h"
#include "document/cube_modifier.h"
#include "document/pattern_table.h"
#include "doc_fixture.h"

namespace velmora::test {
namespace {

class DialogCommands : public DocTest {
protected:
    // The position a move string gives from the solved cube, by the engine alone.
    std::string EngineCode(std::string_view moves) {
        CTarnexSource engine;
        SilentUser silent;
        engine.user = &silent;
        engine.InitCubeModel();
        engine.ResetCube();
        engine.RunMoveString(0, moves);
        return CodeOf(engine.cube);
    }
    std::string NewestHistoryName() const {
        return doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name;
    }
    void QueueCommand(std::string main, bool singleStep = false, std::string prefix = "", std::string suffix = "") {
        CommandStringForm form;
        form.input = std::move(main);
        form.prefix = std::move(prefix);
        form.suffix = std::move(suffix);
        form.singleStep = singleStep;
        CommandStringChoice c;
        ASSERT_TRUE(form.Accept(true, c));
        user.commandStrings.push_back(c);
    }
};

TEST_F(DialogCommands, AreEnabledOutsideInputModeOnly) {
    for (int id : {cmd::kModify, cmd::kPatterns, cmd::kCommandString}) {
        EXPECT_TRUE(doc->IsEnabled(id)) << id;
        m().inputMode = -1;
        EXPECT_FALSE(doc->IsEnabled(id)) << id;
        m().inputMode = 0;
    }
}

TEST_F(DialogCommands, CancelledDialogsChangeNothing) {
    const std::string before = Code();
    for (int id : {cmd::kModify, cmd::kPatterns, cmd::kCommandString}) EXPECT_TRUE(doc->OnCommand(id));
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->cmdCursor, 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(PatternLog(), "");
}

TEST_F(DialogCommands, CommandStringRunsTheTextAndCountsItsTurns) {
    m().autoDemoCount = 1;
    QueueCommand("R U R' U'");
    ASSERT_TRUE(doc->OnCommand(cmd::kCommandString));
    EXPECT_EQ(m().autoDemoCount, 0);
    EXPECT_EQ(Code(), EngineCode("R+;T+;R-;T-;"));
    EXPECT_EQ(NewestHistoryName(), "命令串1");
    EXPECT_EQ(LastStatus(), "已经执行命令串1，用了4转，并求出解法。");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(m().lastSolveResult, 1);
    // The information text of the next opening carries the moves that led here.
    user.Clear();
    doc->OnCommand(cmd::kCommandString);
    ASSERT_EQ(user.CallsOf(ScriptedUser::Kind::CommandStringDialog).size(), 1u);
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::CommandStringDialog)[0].text, "\r\nR+;T+;R-;T-;");
}

TEST_F(DialogCommands, PrefixAndSuffixAreUpperCasedAndSeparated) {
    QueueCommand("t+");
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(Code(), EngineCode("T+;"));
    QueueCommand("t+", true);
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(m().SolutionRecord.view().substr(kRecordMovesStart), ",T+; # T-;,");

    // A prefix of "reset" restores the cube first; "tf" turns the whole cube after.
    QueueCommand("F", false, "reset", "tf;");
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(Code(), EngineCode("F+;TF,"));
    EXPECT_EQ(LastStatus(), "已经执行命令串3，用了1转，并求出解法。");
}

TEST_F(DialogCommands, AnEmptyCommandDoesNothingAfterTheDialog) {
    const std::string before = Code();
    QueueCommand(" ;; ");
    EXPECT_TRUE(doc->OnCommand(cmd::kCommandString));
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->cmdCursor, 0);
    EXPECT_EQ(PatternLog(), "");
    QueueCommand("F");
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(NewestHistoryName(), "命令串1") << "the empty command did not count";
}

TEST_F(DialogCommands, TheCounterWrapsFrom999ToZero) {
    for (int i = 1; i <= 1001; ++i) {
        QueueCommand("T");
        doc->OnCommand(cmd::kCommandString);
        if (i == 999) {
            EXPECT_EQ(NewestHistoryName(), "命令串999");
        }
    }
    EXPECT_EQ(NewestHistoryName(), "命令串1");
    EXPECT_EQ(doc->commandRing[(doc->cmdCursor - 2) % kHistoryCapacity].name, std::string("命令串0"));
}

TEST_F(DialogCommands, SingleStepWaitsAtTheRestoredCubeWithTheSequenceReady) {
    m().ApplyToken("F+");
    QueueCommand("R U", true);
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(LastStatus(), "可以开始单步执行命令串1。");
    EXPECT_EQ(m().SolutionRecord.view().substr(72, 4), " 04 ");
    EXPECT_EQ(m().SolutionRecord.view().substr(kRecordMovesStart), ",R+;T+; # T-;R-;,");
    // The leading "," is a step of its own that turns nothing.
    for (int i = 0; i < 3; ++i) m().StepSolution(+1);
    EXPECT_EQ(Code(), EngineCode("R+;T+;"));
    for (int i = 0; i < 2; ++i) m().StepSolution(+1);
    EXPECT_EQ(Code(), kSolvedCode);
}

TEST_F(DialogCommands, ALongCommandIsCutTo600Characters) {
    CommandStringChoice c;
    c.secondCommand = std::string(300, ';') + "F+;" + std::string(300, ';') + "R+;";
    user.commandStrings.push_back(c);
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(Code(), EngineCode("F+;"));
    EXPECT_NE(LastStatus().find("只执行了前面的转动"), std::string::npos) << LastStatus();

    // A cut that would split a token falls back to the token before it.
    c.secondCommand = std::string(596, ';') + "R+;FT,";
    user.commandStrings.push_back(c);
    doc->OnCommand(cmd::kCommandString);
    EXPECT_EQ(Code(), EngineCode("F+;R+;"));
}

TEST_F(DialogCommands, PatternRunsOnTheRestoredCubeWhenAsked) {
    m().ApplyToken("L+");
    PatternForm form;
    PatternChoice c;
    ASSERT_TRUE(form.Accept(2, true, c));
    user.patterns.push_back(c);
    doc->OnCommand(cmd::kPatterns);
    EXPECT_EQ(Code(), EngineCode(kPatterns[2].moves));
    EXPECT_EQ(NewestHistoryName(), "六面十字");
    EXPECT_EQ(LastStatus(), "已经执行六面十字，并求出解法。");
    EXPECT_TRUE(doc->IsModified());

    // Without the option the pattern runs on the present position; entry 13 with the
    // option holds the reset twice and still ends restored.
    ASSERT_TRUE(form.Accept(1, false, c));
    user.patterns.push_back(c);
    doc->OnCommand(cmd::kPatterns);
    EXPECT_EQ(Code(), EngineCode(std::string(kPatterns[2].moves) + std::string(kPatterns[1].moves)));
    ASSERT_TRUE(form.Accept(13, true, c));
    user.patterns.push_back(c);
    doc->OnCommand(cmd::kPatterns);
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(NewestHistoryName(), "强制复原魔方");
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), EngineCode(std::string(kPatterns[2].moves) + std::string(kPatterns[1].moves)));
}

TEST_F(DialogCommands, ModifyTakesTheCopyBackAndSolvesIt) {
    CubeState s = m().cube;
    CubeModifier one(s);
    one.ExchangeEdges(0, 8);
    user.editedCubes.push_back(one.Cube());
    doc->OnCommand(cmd::kModify);
    EXPECT_EQ(NewestHistoryName(), "改装魔方");
    EXPECT_EQ(Statuses(), std::vector<std::string>({"就绪", "魔方改装完毕。"}));
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_TRUE(user.Messages()[0].ends_with("需要互换两块的位置！")) << user.Messages()[0];
    EXPECT_EQ(m().cube.pieces[5][1].homeRow, 1) << "the exchanged pieces stay where they were put";

    user.Clear();
    CubeModifier two(m().cube);
    two.ExchangeCorners(0, 5);
    user.editedCubes.push_back(two.Cube());
    doc->OnCommand(cmd::kModify);
    // Solvable again; the corner exchange by hand leaves the centres a quarter turn
    // the face turns cannot give, which the solve corrects on the bottom centre.
    EXPECT_EQ(m().CheckAssembly(), 0);
    EXPECT_EQ(m().lastSolveResult, 1);
    EXPECT_EQ(user.Messages(), std::vector<std::string>({"中心小块色向错误，被自动修正！"}));
    EXPECT_TRUE(doc->IsModified());

    CubeModifier restored(m().cube);
    restored.TurnCentre(1);
    restored.Restore();
    user.editedCubes.push_back(restored.Cube());
    doc->OnCommand(cmd::kModify);
    EXPECT_EQ(Code(), kSolvedCode);
}

TEST_F(DialogCommands, ModifyReportsABottomCentreTheSolveHadToCorrect) {
    CubeState s = m().cube;
    CubeModifier turned(s);
    turned.TurnCentre(6);
    user.editedCubes.push_back(turned.Cube());
    doc->OnCommand(cmd::kModify);
    EXPECT_EQ(user.Messages(), std::vector<std::string>({"中心小块色向错误，被自动修正！"}));
    EXPECT_NE(m().cube.centreTurns[6], 1);
    EXPECT_EQ(m().lastSolveResult, 1);
}

// A dialog that notes the copy it was given and is cancelled.
struct NotingUser : ScriptedUser {
    CubeState seen{};
    bool EditCube(CubeState& copy) override {
        seen = copy;
        return false;
    }
};

TEST(DialogCommandsModify, HandsTheDialogCentreTurnsInZeroToThree) {
    NotingUser noting;
    VelmoraSettings settings;
    auto doc = std::make_unique<CVelmoraDoc>(noting, settings);
    doc->model.cube.centreTurns[2] = -1;
    doc->model.cube.centreTurns[3] = 6;
    doc->OnCommand(cmd::kModify);
    EXPECT_EQ(noting.seen.centreTurns[2], 3);
    EXPECT_EQ(noting.seen.centreTurns[3], 2);
    EXPECT_EQ(doc->model.cube.centreTurns[2], -1) << "a cancelled dialog leaves the cube alone";
}

}  // namespace
}  // namespace velmora::test
