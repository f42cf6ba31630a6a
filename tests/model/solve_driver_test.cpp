#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/model_fixture.h"
#include "support/scoped_env.h"

namespace velmora::test {
namespace {

class SolveDriver : public ModelTest {
protected:
    // Makes the typed record the demonstration from the solved cube.
    void Demo(const char* moves) {
        m().ResetCube();
        m().moveRecord.Assign(moves);
        m().MakeDemoFromRecord();
    }
    std::string Moves() const { return std::string(model->SolutionRecord.view().substr(kRecordMovesStart)); }
};

TEST_F(SolveDriver, InitialisedModelHoldsTwoSpacesAndTheLetterTables) {
    EXPECT_EQ(m().SolutionRecord.view(), "  ");
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    EXPECT_EQ(m().keyLetters.substr(1), "TFRPLBA");
    EXPECT_EQ(m().exportLetters, " UFRBLD?@");
    EXPECT_EQ(m().separatorSet, ";,\r\n\t\v'\"\\ :.[]{}()#");
    EXPECT_EQ(std::string(m().talwenCodes[0]),
              "140110120530240210421430341521311541440410222230331131320510123456");
}

TEST_F(SolveDriver, LetteringPatternInEveryOrientationTakesTheFixedSequence) {
    for (int i = 0; i < 24; ++i) {
        m().ResetCube();
        // Rebuild the pattern: the orientation's rotation, then the lettering move.
        CubeState oriented;
        bool found = false;
        for (const char* a : {"", "TF", "FT", "TB", "TR", "TL"}) {
            for (const char* b : {"", "FR", "FL", "FP"}) {
                m().ResetCube();
                if (*a) m().ApplyToken(a);
                if (*b) m().ApplyToken(b);
                bool same = true;
                for (int k = 1; k <= 6; ++k) same = same && m().cube.centres[k] == m().OrientationTable[i][k];
                if (same && !found) { oriented = m().cube; found = true; }
            }
        }
        ASSERT_TRUE(found) << "orientation " << i;
        m().cube = oriented;
        m().moveRecord.Clear();
        m().turnCounter = 0;
        m().ApplyToken("TALWEN");
        ASSERT_EQ(Code().substr(0, 66), std::string(m().talwenCodes[i]));
        m().methodChoice = 2;
        m().ExecuteAndSolve();
        EXPECT_EQ(m().methodUsed, 0);
        EXPECT_EQ(m().lastSolveResult, 1);
        EXPECT_EQ(m().lastSolveTurns, 17);
        EXPECT_EQ(m().SolutionRecord.view().substr(72, 4), " 17 ");
        EXPECT_EQ(Moves(), "F*;L*;B+;F+;P*;R*;P*;T+;L-;T+;P-;B-;F*;P-;B+;R*;B-;");
        // The fixed sequence restores the cube in its orientation.
        m().RunMoveString(0, Moves());
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) {
                EXPECT_EQ(m().cube.pieces[r][c].homeRow, oriented.pieces[r][c].homeRow);
                EXPECT_EQ(m().cube.pieces[r][c].homeCol, oriented.pieces[r][c].homeCol);
                EXPECT_EQ(m().cube.pieces[r][c].twist, oriented.pieces[r][c].twist);
            }
    }
}

TEST_F(SolveDriver, RecordCountCharactersRunPastNine) {
    for (int count : {23, 105}) {
        m().ResetCube();
        for (int i = 0; i < count; ++i) m().moveRecord.Append("R+;");
        m().turnCounter = count;
        m().MakeDemoFromRecord();
        EXPECT_EQ(m().SolutionRecord.view().substr(72, 4), count == 23 ? " 23 " : " :5 ");
        EXPECT_EQ(m().SolutionRecord.view().substr(0, 72), kSolvedCode);
        EXPECT_EQ(m().turnCounter, 0);  // rewound to the start
    }
}

TEST_F(SolveDriver, ForwardThenBackReturnsTheSamePositionAndCount) {
    Demo("F+;TF,R-;A+;");
    std::string start = Code();
    m().StepSolution(1);
    EXPECT_EQ(m().statusText.view(), "演示一步，执行了 “F+”，已经完成了1转。");
    EXPECT_EQ(m().animAxis, 'F');
    EXPECT_EQ(m().animAngle, -90);
    std::string afterF = Code();
    m().StepSolution(1);
    EXPECT_EQ(m().statusText.view(), "演示一步，执行了 “TF”，已经完成了1转。");
    m().StepSolution(1);
    int counter = m().turnCounter;
    std::string afterR = Code();
    m().StepSolution(1);  // A+
    EXPECT_EQ(m().turnCounter, counter + 5);
    m().StepSolution(-1);
    EXPECT_EQ(m().statusText.view(), "后退一步，实际执行了 “A-”，已经完成了2转。");
    EXPECT_EQ(Code(), afterR);
    EXPECT_EQ(m().turnCounter, counter);
    m().StepSolution(-1);  // R- undone by R+
    EXPECT_EQ(m().statusText.view(), "后退一步，实际执行了 “R+”，已经完成了1转。");
    m().StepSolution(-1);  // TF undone by FT
    EXPECT_EQ(m().statusText.view(), "后退一步，实际执行了 “FT”，已经完成了1转。");
    EXPECT_EQ(Code(), afterF);
    m().StepSolution(-1);
    EXPECT_EQ(m().statusText.view(), "后退一步，实际执行了 “F-”。");
    EXPECT_EQ(Code(), start);
    EXPECT_EQ(m().turnCounter, 0);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
}

TEST_F(SolveDriver, BackOnNothingReplaysFromTheStart) {
    Demo("R+;nothing;T+;");
    m().StepSolution(1);
    m().StepSolution(1);
    std::string afterNothing = Code();
    m().StepSolution(1);
    m().StepSolution(-1);
    m().StepSolution(-1);
    EXPECT_EQ(m().statusText.view(), "后退一步成功！已经完成了1转。");
    EXPECT_EQ(Code(), afterNothing);
    EXPECT_EQ(m().turnCounter, 1);
}

TEST_F(SolveDriver, BackAtTheStartSaysSoAndChangesNothing) {
    Demo("R+;");
    m().StepSolution(-1);
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.Messages()[0], "已经退到开始图案！");
    EXPECT_EQ(m().statusText.view(), "现在是开始图案！");
    EXPECT_EQ(Code(), kSolvedCode);
}

TEST_F(SolveDriver, ForwardAtTheEndAsksToStartAgain) {
    Demo("R+;");
    m().StepSolution(1);
    user.answers.push_back(Answer::Cancel);
    m().StepSolution(1);
    EXPECT_EQ(m().statusText.view(), "现在是结束图案！");
    ASSERT_FALSE(user.calls.empty());
    EXPECT_EQ(user.calls.back().text, "执行完毕，是否重新开始？");
    EXPECT_EQ(user.calls.back().buttons, Buttons::OkCancel);
    EXPECT_EQ(user.calls.back().icon, Icon::Question);
    EXPECT_NE(Code(), kSolvedCode);
    user.answers.push_back(Answer::Ok);
    m().StepSolution(1);
    EXPECT_EQ(m().statusText.view(), "现在是开始图案！");
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
}

TEST_F(SolveDriver, AutomaticDemonstrationAtTheEndAsksNothing) {
    Demo("R+;");
    m().autoDemoCount = 5;
    m().StepSolution(1);
    m().StepSolution(1);
    EXPECT_EQ(m().autoDemoCount, 23);
    EXPECT_EQ(m().statusText.view(), "将要演示下一局！");
    EXPECT_TRUE(user.Messages().empty());
}

TEST_F(SolveDriver, StageMarkersAreSkippedWhileStepping) {
    Demo("R+;#  T+;## ");
    m().StepSolution(1);
    EXPECT_EQ(m().demoPos, kRecordMovesStart + 6);  // past "R+;#  "
    m().StepSolution(1);
    EXPECT_EQ(m().demoPos, static_cast<int>(m().SolutionRecord.size()));
    m().StepSolution(-1);
    EXPECT_EQ(m().statusText.view(), "后退一步，实际执行了 “T-”，已经完成了1转。");
}

TEST_F(SolveDriver, PartsErrorIsRefusedWithItsMessage) {
    m().cube.pieces[1][2] = m().cube.pieces[1][1];
    EXPECT_EQ(m().SolveDispatch(), -1);
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.Messages()[0], "魔方零件错误，不能复原！");
}

TEST_F(SolveDriver, AssemblyErrorsAreNamedAndHandedToTheGroupMethod) {
    struct Case { int row, col, twist; const char* tail; };
    const Case cases[] = {
        {2, 1, 1, "至少需要调换两次角块的色向！"},
        {2, 1, 2, "至少需要调换角块的色向！"},
        {3, 1, 1, "至少需要调换边块的色向！"},
    };
    for (const Case& c : cases) {
        user.Clear();
        m().ResetCube();
        m().cube.pieces[c.row][c.col].twist = c.twist;
        m().methodChoice = 2;
        m().SolveDispatch();
        EXPECT_EQ(m().methodUsed, 1);
        ASSERT_GE(user.Messages().size(), 1u);
        EXPECT_EQ(user.Messages()[0],
                  std::string("魔方装配错误，不能复原！只能用分组法复原成比较整齐的图案。\r\n              ") + c.tail);
    }
    user.Clear();
    m().ResetCube();
    std::swap(m().cube.pieces[1][1], m().cube.pieces[1][2]);
    m().SolveDispatch();
    EXPECT_EQ(user.Messages()[0],
              "魔方装配错误，不能复原！只能用分组法复原成比较整齐的图案。\r\n              需要互换两块的位置！");
}

TEST_F(SolveDriver, LogNameReplacesOnlyARealExtension) {
    FixedText<260> out;
    CTarnexSource::LogPathFor("/usr/bin/velmora", out);
    EXPECT_EQ(out.view(), "/usr/bin/velmora_log.mf");
    CTarnexSource::LogPathFor("C:\\Tools\\velmora.exe", out);
    EXPECT_EQ(out.view(), "C:\\Tools\\velmora_log.mf");
    CTarnexSource::LogPathFor("/opt/v1.2/velmora", out);
    EXPECT_EQ(out.view(), "/opt/v1.2/velmora_log.mf");
    CTarnexSource::LogPathFor("velmora", out);
    EXPECT_EQ(out.view(), "velmora_log.mf");
}

TEST_F(SolveDriver, UncreatableLogIsReportedAndTheModelGoesOn) {
    CTarnexSource fresh;
    fresh.programPath.Assign("/nonexistent-folder/velmora");
    // No state folder can be made under a file either.
    ScopedEnv state("XDG_STATE_HOME", "/dev/null/state");
    fresh.InitCubeModel();
    EXPECT_EQ(fresh.statusText.view(), "不能打开自动记录文件“/nonexistent-folder/velmora_log.mf”！");
    fresh.ApplyToken("R+");
    fresh.ExecuteAndSolve();  // no crash without a log
}

TEST_F(SolveDriver, LogGetsOneLinePerSolveOfMoreThanTwoTurns) {
    std::string path = ::testing::TempDir() + "velmora_driver_log.mf";
    m().logPath.Assign(path);
    ASSERT_TRUE(m().CreateLog());
    // The lettering pattern is solved by 17 turns: one line.
    m().ResetCube();
    m().ApplyToken("TALWEN");
    m().ExecuteAndSolve();
    std::string record(m().SolutionRecord.view());
    std::ifstream in(path);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, record);
    EXPECT_FALSE(std::getline(in, line));
    std::remove(path.c_str());
}

TEST_F(SolveDriver, OverlongSolutionIsCutAtATokenAndReported) {
    m().ResetCube();
    for (int i = 0; i < 3333; ++i) m().ApplyToken("R+");
    m().MakeDemoFromRecord();
    EXPECT_LE(m().SolutionRecord.size(), static_cast<std::size_t>(kRecordCapacity));
    m().moveRecord.Assign(std::string(9999, ';'));
    // The same cut applies to the record the solver leaves.
    m().ResetCube();
    for (int i = 0; i < 3333; ++i) m().ApplyToken("R+");
    m().centreOnlyMode = 0;
    m().ExecuteAndSolve();
    EXPECT_LE(m().SolutionRecord.size(), static_cast<std::size_t>(kRecordCapacity));
}

TEST(ScriptedUserTest, RecordsCallsAndCountsUnansweredQuestions) {
    ScriptedUser u;
    u.answers.push_back(Answer::No);
    EXPECT_EQ(u.Message("q1", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(u.Message("q2", Buttons::YesNoCancel, Icon::Question), Answer::Yes);
    EXPECT_EQ(u.unanswered, 1);
    EXPECT_EQ(u.Message("info", Buttons::Ok, Icon::Information), Answer::Ok);
    EXPECT_EQ(u.unanswered, 1);
    u.SetStatus("s");
    u.ShowCodeDialog("t", "h");
    ASSERT_EQ(u.calls.size(), 5u);
    EXPECT_EQ(u.calls[3].kind, ScriptedUser::Kind::Status);
    EXPECT_EQ(u.calls[4].heading, "h");
}

}  // namespace
}  // namespace velmora::test
