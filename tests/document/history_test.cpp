#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "doc_fixture.h"

namespace velmora::test {
namespace {

class CommandHistory : public DocTest {
protected:
    // Records a command named name, then turns the cube as that command would.
    void RecordAndTurn(const std::string& name, std::string_view token) {
        doc->HistoryOp(2, name);
        m().ApplyToken(token);
    }
};

TEST_F(CommandHistory, TwoHundredRecordsAllowExactly127Undos) {
    std::mt19937 rng(7);
    std::vector<std::string> before;  // the position each command started from
    for (int i = 0; i < 200; ++i) {
        before.push_back(Code());
        RecordAndTurn("c" + std::to_string(i), kFaceTurnTokens[rng() % 18]);
    }
    const std::string last = Code();
    for (int i = 0; i < 127; ++i) {
        ASSERT_TRUE(doc->IsEnabled(cmd::kUndo)) << "undo " << i + 1;
        ASSERT_TRUE(doc->OnCommand(cmd::kUndo));
        EXPECT_EQ(Code(), before[199 - i]) << "undo " << i + 1;
    }
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(doc->OnCommand(cmd::kUndo));
    EXPECT_EQ(Code(), before[73]);
    EXPECT_EQ(doc->cmdTop - doc->cmdFloor, 127);

    // Every entry on the way back up is intact: no slot was handed out twice.
    for (int i = 0; i < 127; ++i) ASSERT_TRUE(doc->OnCommand(cmd::kRedo));
    EXPECT_EQ(Code(), last);
    EXPECT_FALSE(doc->CanRedo());
}

TEST_F(CommandHistory, RecordAfterUndoDropsTheRedoBranch) {
    RecordAndTurn("a", "F+");
    RecordAndTurn("b", "R+");
    doc->HistoryOp(-1, {});
    EXPECT_TRUE(doc->CanRedo());
    RecordAndTurn("c", "T+");
    EXPECT_FALSE(doc->CanRedo());
    EXPECT_EQ(doc->cmdTop, doc->cmdCursor - 1);
    doc->HistoryOp(-1, {});
    doc->HistoryOp(-1, {});
    EXPECT_EQ(Code(), kSolvedCode);
}

TEST_F(CommandHistory, UndoAfterSteppingKeepsTheSteppedPositionForRedo) {
    const std::string start = Code();
    doc->HistoryOp(2, "甲");
    m().RunMoveString(0, "F+;R+;T-;L*;B+;");
    m().MakeDemoFromRecord();
    for (int i = 0; i < 3; ++i) doc->OnCommand(cmd::kStepForward);
    const std::string stepped = Code();
    const int steppedPos = m().demoPos;
    ASSERT_EQ(m().turnCounter, 3);

    user.Clear();
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), start);
    EXPECT_EQ(LastStatus(), "已撤消执行甲，并演示完第 0转！");
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(Code(), stepped);
    EXPECT_EQ(m().demoPos, steppedPos);
    EXPECT_EQ(LastStatus(), "已重复执行甲，并演示完第 3转！");
}

TEST_F(CommandHistory, UndoSavesStepsTakenSinceTheLastRecordAndShowsTheirTurns) {
    m().RunMoveString(0, "F+;R+;T-;L+;");
    m().MakeDemoFromRecord();
    doc->HistoryOp(2, "命令串1");
    for (int i = 0; i < 3; ++i) doc->OnCommand(cmd::kStepForward);
    const std::string stepped = Code();
    doc->HistoryOp(2, "T+");
    m().ApplyToken("T+");
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), stepped);
    EXPECT_EQ(LastStatus(), "已撤消执行T+，并演示完第 3转！");
    doc->OnCommand(cmd::kUndo);
    // The first entry was saved before the steps: its position is the start.
    EXPECT_EQ(m().turnCounter, 0);
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(Code(), stepped);
    EXPECT_EQ(LastStatus(), "已重复执行命令串1，并演示完第 3转！");
}

TEST_F(CommandHistory, RestoresTheWholeSnapshotAndLeavesTheRestAlone) {
    m().RunMoveString(0, "F+;R-;");
    m().MakeDemoFromRecord();
    m().commandText.Assign("F+;R-;");
    m().methodChoice = 2;
    const std::string record(m().SolutionRecord.view());
    doc->HistoryOp(2, "x");
    m().ResetCube();
    m().RunMoveString(0, "B*;");
    m().MakeDemoFromRecord();
    m().commandText.Assign("B*;");
    m().methodChoice = 1;
    m().viewZoom = 2.5f;
    m().showMethodIds = 1;
    doc->HistoryOp(-1, {});
    EXPECT_EQ(std::string(m().SolutionRecord.view()), record);
    EXPECT_EQ(m().commandText.view(), "F+;R-;");
    EXPECT_EQ(m().methodChoice, 2);
    EXPECT_EQ(m().viewZoom, 2.5f);
    EXPECT_EQ(m().showMethodIds, 1);
}

TEST_F(CommandHistory, UndoStopsTheDemonstrationAndRecordSaysReady) {
    doc->HistoryOp(2, "a");
    EXPECT_EQ(LastStatus(), "就绪");
    EXPECT_EQ(PatternLog(), "SM");  // no redraw on record; the document is marked
    m().autoDemoCount = 7;
    doc->HistoryOp(-1, {});
    EXPECT_EQ(m().autoDemoCount, 0);
}

TEST_F(CommandHistory, ResetForgetsEverything) {
    RecordAndTurn("a", "F+");
    RecordAndTurn("b", "F+");
    doc->HistoryOp(-1, {});
    doc->HistoryOp(0, {});
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(doc->CanRedo());
}

TEST(HistoryNames, AreCutToTwentyUnitsAndNeverInsideACharacter) {
    char field[kHistoryNameBytes];
    CutHistoryName("abcdefghijklmnopqrstuvwxyz", field);
    EXPECT_STREQ(field, "abcdefghijklmnopqrst");
    // Eleven Chinese characters: ten fit.
    CutHistoryName("一二三四五六七八九十百", field);
    EXPECT_STREQ(field, "一二三四五六七八九十");
    // 19 units used: the next two-unit character does not fit, the rest is dropped.
    CutHistoryName("abcdefghijklmnopqrs一", field);
    EXPECT_STREQ(field, "abcdefghijklmnopqrs");
    CutHistoryName("四个符号/（菱形）", field);
    EXPECT_STREQ(field, "四个符号/（菱形）");
    CutHistoryName("", field);
    EXPECT_STREQ(field, "");
}

class InputHistory : public DocTest {
protected:
    // Enters input mode as the input toggle does: the command history notes the
    // position, then the input history starts from the present net.
    void BeginPainting() {
        doc->HistoryOp(2, "输入魔方");
        m().inputMode = -1;
        for (int i = 0; i < kFaceletCount; ++i) m().facelets[i] = i / 9 + 1;
        doc->HistoryOp(0, {});
    }
    void Paint(int cell, int colour) {
        m().selectedColour = colour;
        m().facelets[cell] = colour;
        doc->HistoryOp(2, {});
    }
};

TEST_F(InputHistory, UndoAndRedoOfAPaintingStepNameItsColour) {
    m().ApplyToken("R+");
    BeginPainting();
    Paint(0, 2);
    Paint(1, 9);
    EXPECT_TRUE(doc->CanUndo());
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus(), "已撤消点U面颜色！");
    EXPECT_EQ(m().facelets[1], 1);
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus(), "已撤消点F面颜色！");
    EXPECT_EQ(m().facelets[0], 1);
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(LastStatus(), "已重复点F面颜色！");
    EXPECT_EQ(m().facelets[0], 2);
    EXPECT_EQ(m().inputMode, -1);
}

TEST_F(InputHistory, ToolStepsAreMarkedWithAHash) {
    BeginPainting();
    m().facelets[3] = 5;
    doc->HistoryOp(2, "#");
    doc->HistoryOp(-1, {});
    EXPECT_EQ(LastStatus(), "已撤消工具输入！");
    doc->HistoryOp(1, {});
    EXPECT_EQ(LastStatus(), "已重复工具输入！");
}

TEST_F(InputHistory, UndoWithNothingPaintedOffersToAbandonInput) {
    m().ApplyToken("R+");
    const std::string before = Code();
    BeginPainting();
    user.answers = {Answer::No};
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(m().inputMode, -1);
    EXPECT_TRUE(user.CallsOf(ScriptedUser::Kind::SwapButton).empty());

    user.Clear();
    user.answers = {Answer::Yes};
    doc->OnCommand(cmd::kUndo);
    ASSERT_EQ(user.Messages(), std::vector<std::string>{"是否放弃输入的魔方？"});
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_EQ(Code(), before);
    EXPECT_FALSE(doc->CanRedo());
    auto swaps = user.CallsOf(ScriptedUser::Kind::SwapButton);
    ASSERT_EQ(swaps.size(), 1u);
    EXPECT_EQ(swaps[0].value, cmd::kEndInput);
    EXPECT_EQ(swaps[0].value2, cmd::kStartInput);
}

TEST_F(InputHistory, IsIgnoredOnceInputEnds) {
    BeginPainting();
    Paint(0, 3);
    m().inputMode = 0;
    EXPECT_TRUE(doc->CanUndo());   // the command history's "输入魔方" entry
    EXPECT_FALSE(doc->CanRedo());
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus(), "已撤消执行输入魔方，并演示完第 0转！");
}

TEST_F(InputHistory, KeepsTheLast127StepsOfALongPainting) {
    BeginPainting();
    for (int i = 0; i < 200; ++i) Paint(i % 54 == 4 ? 5 : i % 54, 1 + i % 6);
    int undos = 0;
    while (doc->inFloor < doc->inCursor) {
        doc->HistoryOp(-1, {});
        ++undos;
    }
    EXPECT_EQ(undos, 127);
    EXPECT_EQ(m().inputMode, -1);
}

}  // namespace
}  // namespace velmora::test
