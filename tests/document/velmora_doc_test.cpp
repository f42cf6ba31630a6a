#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "doc_fixture.h"

namespace velmora::test {
namespace {

using Kind = ScriptedUser::Kind;

// Plays the record from the start position and tells whether that puts every piece
// home (and, with centres, turns every centre upright as well).
bool RecordSolves(CTarnexSource& m, bool centres = false) {
    m.StepSolution(0);
    m.RunMoveString(0, std::string_view(m.SolutionRecord.c_str() + kRecordMovesStart,
                                        m.SolutionRecord.size() - kRecordMovesStart));
    bool solved = PiecesSolved(m.cube);
    for (int k = 1; k <= 6 && centres; ++k) solved = solved && m.cube.centreTurns[k] % 4 == 0;
    m.StepSolution(0);
    return solved;
}

TEST_F(DocTest, StartsWithTheSavedMethodAndTheDefaultCamera) {
    settings.solve = 2;
    MakeDoc();
    EXPECT_EQ(m().methodChoice, 2);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_EQ(m().viewZoom, 1.0f);
    EXPECT_EQ(m().viewTilt, 27);
    EXPECT_EQ(m().viewTurn, -36);
    EXPECT_EQ(m().viewSpin, 0);
    EXPECT_EQ(doc->cmdCursor, 0);
    EXPECT_EQ(doc->inFloor, -1);
    EXPECT_EQ(doc->historyCapacity, 128);
}

class MethodChoice : public DocTest {
protected:
    void Deal() { DealAndSolve("F+;R-;T*;L+;P-;B+;F*;R+;T-;"); }
};

TEST_F(MethodChoice, RecordsThenSolvesTheSamePositionAgainByTheNewMethod) {
    Deal();
    const std::string start = Code();
    const std::string startCode(m().SolutionRecord.view().substr(0, kCodeLength));
    ASSERT_EQ(m().methodUsed, 1);
    ASSERT_TRUE(doc->OnCommand(cmd::kEightCornerMethod));
    EXPECT_EQ(PatternLog(), "SMRR");  // the recorded step marks the document
    EXPECT_EQ(Statuses(), std::vector<std::string>{"就绪"});
    EXPECT_EQ(m().methodChoice, 2);
    EXPECT_EQ(settings.solve, 2);
    EXPECT_EQ(m().methodUsed, 2);
    EXPECT_EQ(Code(), start);
    EXPECT_EQ(std::string(m().SolutionRecord.view().substr(0, kCodeLength)), startCode);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    EXPECT_TRUE(RecordSolves(m()));

    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus().rfind("已撤消执行选八角法", 0), 0u) << LastStatus();
    EXPECT_EQ(m().methodUsed, 1);
    EXPECT_EQ(m().methodChoice, 1);
}

TEST_F(MethodChoice, ChoosingTheChosenMethodStillRecordsAndSolves) {
    Deal();
    m().StepSolution(+1);
    m().StepSolution(+1);
    ASSERT_GT(m().demoPos, kRecordMovesStart);
    doc->OnCommand(cmd::kGroupMethod);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);  // solved afresh, back at the start
    EXPECT_EQ(m().methodUsed, 1);
    EXPECT_TRUE(RecordSolves(m()));
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus(), "已撤消执行选分组法，并演示完第 2转！");
}

TEST_F(DocTest, RestoreCentresSolvesOnlyTheCentresAndSwitchesTheModeBack) {
    ASSERT_TRUE(doc->OnCommand(cmd::kScrambleCentres));
    EXPECT_TRUE(PiecesSolved(m().cube));
    EXPECT_EQ(PatternLog().substr(0, 3), "SMR");
    EXPECT_EQ(m().methodUsed, 4);
    EXPECT_EQ(m().centreOnlyMode, 0);
    EXPECT_TRUE(RecordSolves(m(), true));
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus().rfind("已撤消执行复原中心", 0), 0u);
}

TEST_F(DocTest, NewDuringTheDemonstrationResumesTwoTicksLater) {
    doc->OnCommand(cmd::kAutoDemo);
    ASSERT_EQ(m().autoDemoCount, 1);
    const std::string before = Code();
    user.Clear();
    ASSERT_TRUE(doc->OnCommand(cmd::kFileNew));
    EXPECT_EQ(Statuses().front(), "将要演示新局！");
    EXPECT_EQ(m().autoDemoCount, 3);
    EXPECT_NE(Code(), before);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    EXPECT_EQ(doc->cmdCursor, 0);  // New records nothing

    doc->DemoTick();
    doc->DemoTick();
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    EXPECT_EQ(m().autoDemoCount, 1);
    user.Clear();
    doc->DemoTick();
    EXPECT_GT(m().demoPos, kRecordMovesStart);
    EXPECT_EQ(LastStatus().rfind("演示一步，执行了", 0), 0u) << LastStatus();
}

TEST_F(DocTest, DemonstrationDealsAfterItsCountdownAndKeepsTheDocumentClean) {
    m().autoDemoCount = 17;
    doc->DemoTick();
    EXPECT_EQ(m().autoDemoCount, 16);
    const std::string before = Code();
    doc->DemoTick();
    EXPECT_EQ(m().autoDemoCount, 15);
    EXPECT_NE(Code(), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(LastStatus(), "魔方被打乱！稍后继续演示...");
    // Paused in cube input.
    m().inputMode = -1;
    doc->DemoTick();
    EXPECT_EQ(m().autoDemoCount, 15);
}

// The demonstration's deal never drops the user's cube: unsaved changes are asked for,
// and the deal is a history step that undo takes back and redo replays.
TEST_F(DocTest, DemonstrationDealAsksToSaveAndIsUndone) {
    doc->RunTypedCommand("R+");
    const std::string mine = Code();
    m().autoDemoCount = 16;
    user.Clear();
    user.answers = {Answer::Cancel};
    doc->DemoTick();
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"是否保存对“无标题”的更改？"});
    EXPECT_EQ(Code(), mine);
    EXPECT_EQ(m().autoDemoCount, 0);
    EXPECT_TRUE(doc->IsModified());

    m().autoDemoCount = 16;
    user.answers = {Answer::No};
    doc->DemoTick();
    const std::string dealt = Code();
    EXPECT_NE(dealt, mine);
    EXPECT_EQ(m().autoDemoCount, 15);
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), mine);
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(Code(), dealt);
    EXPECT_EQ(LastStatus().rfind("已重复执行演示新局", 0), 0u) << LastStatus();
}

TEST_F(DocTest, ToggleDemonstrationEndsTheTurnAnimationAtOnce) {
    m().animAngle = 90;
    doc->OnCommand(cmd::kAutoDemo);
    EXPECT_EQ(m().animAngle, 0);
    EXPECT_EQ(m().autoDemoCount, 1);
    m().autoDemoCount = 20;
    doc->OnCommand(cmd::kAutoDemo);
    EXPECT_EQ(m().autoDemoCount, 0);
}

TEST_F(DocTest, NewInCubeInputGivesTheInputButtonBack) {
    m().inputMode = -1;
    m().autoDemoCount = 1;
    doc->OnCommand(cmd::kFileNew);
    auto swaps = user.CallsOf(Kind::SwapButton);
    ASSERT_EQ(swaps.size(), 1u);
    EXPECT_EQ(swaps[0].value, cmd::kEndInput);
    EXPECT_EQ(swaps[0].value2, cmd::kStartInput);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_EQ(m().autoDemoCount, 1);  // no countdown in this case
}

TEST_F(DocTest, ScramblesLeaveTheHistorySoUndoSavesTheDealFirst) {
    m().ApplyToken("F+");
    const std::string beforeCommand = Code();
    doc->HistoryOp(2, "F+");
    m().ApplyToken("R+");
    user.answers = {Answer::No};  // the recorded change is not saved before the first deal
    for (int id : {cmd::kScrambleTop, cmd::kScrambleEdges, cmd::kFileNew}) {
        const int cursor = doc->cmdCursor;
        doc->OnCommand(id);
        EXPECT_EQ(doc->cmdCursor, cursor) << id;
        EXPECT_FALSE(doc->IsModified()) << id;
    }
    const std::string dealt = Code();
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), beforeCommand);
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(Code(), dealt);
}

TEST_F(DocTest, ScrambleTopShufflesOnlyTheTopLayer) {
    doc->OnCommand(cmd::kScrambleTop);
    for (int r = 3; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c) {
            EXPECT_EQ(m().cube.pieces[r][c].homeRow, r);
            EXPECT_EQ(m().cube.pieces[r][c].twist, 0);
        }
    EXPECT_EQ(m().CheckAssembly(), 0);
}

TEST_F(DocTest, DefaultColoursAskFirst) {
    settings.colourSettings[0] = 1;
    settings.colourSettings[9] = 2;
    user.answers = {Answer::No};
    doc->OnCommand(cmd::kDefaultColours);
    EXPECT_EQ(settings.colourSettings[0], 1);
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"是否恢复为默认的颜色？"});
    user.answers = {Answer::Yes};
    doc->OnCommand(cmd::kDefaultColours);
    EXPECT_EQ(settings.colourSettings[0], 15780000);
    EXPECT_EQ(settings.colourSettings[7], 0);
    EXPECT_EQ(settings.colourSettings[8], 5921370);
    EXPECT_EQ(settings.colourSettings[9], 8421504);
    EXPECT_EQ(LastStatus(), "默认颜色设置成功！");
}

TEST_F(DocTest, StepsShowTheModelsStatusLine) {
    m().RunMoveString(0, "F+;R+;");
    m().MakeDemoFromRecord();
    user.Clear();
    doc->OnCommand(cmd::kStepForward);
    EXPECT_EQ(PatternLog(), "SR");
    EXPECT_EQ(LastStatus(), "演示一步，执行了 “F+”，已经完成了1转。");
    doc->OnCommand(cmd::kStepBack);
    EXPECT_EQ(LastStatus(), "后退一步，实际执行了 “F-”。");
    doc->OnCommand(cmd::kStepBack);
    EXPECT_EQ(user.Messages().back(), "已经退到开始图案！");
    EXPECT_EQ(LastStatus(), "现在是开始图案！");
}

TEST_F(DocTest, AboutGoesToTheAboutBox) {
    doc->OnCommand(cmd::kAbout);
    EXPECT_EQ(user.CallsOf(Kind::About).size(), 1u);
}

// ---- files ----

class DocFiles : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("velmora_doc_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        DocTest::TearDown();
    }
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

TEST_F(DocFiles, SaveAsThenOpenRestoresThePositionAndResetsTheHistory) {
    m().RunMoveString(0, "F+;R-;T*;L+;");
    m().ExecuteAndSolve();
    const std::string saved = Code();
    doc->SetModifiedFlag(true);
    user.paths = {PathOf("one")};  // the extension is added
    ASSERT_TRUE(doc->OnCommand(cmd::kFileSaveAs));
    EXPECT_EQ(doc->PathName(), PathOf("one.mf"));
    EXPECT_EQ(doc->Title(), "one.mf");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(LastStatus(), "文件保存完毕");
    ASSERT_TRUE(std::filesystem::exists(PathOf("one.mf")));

    doc->HistoryOp(2, "x");
    m().ApplyToken("B+");
    m().autoDemoCount = 4;
    user.paths = {PathOf("one.mf")};
    user.answers = {Answer::No};  // the change is not saved
    doc->OnCommand(cmd::kFileOpen);
    EXPECT_EQ(Code(), saved);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    EXPECT_EQ(m().autoDemoCount, 0);
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_EQ(LastStatus(), "文件打开成功");
    ASSERT_EQ(user.CallsOf(Kind::OpenDialog).size(), 1u);
    EXPECT_EQ(user.CallsOf(Kind::OpenDialog)[0].text, "魔方文件 (*.mf)");
    EXPECT_EQ(doc->recentFiles, std::vector<std::string>{PathOf("one.mf")});
}

TEST_F(DocFiles, AFileThatCannotBeReadKeepsTheHistoryAndTheDocument) {
    doc->HistoryOp(2, "x");
    m().ApplyToken("B+");
    const std::string before = Code();
    user.answers = {Answer::No};  // the change is not saved
    EXPECT_FALSE(doc->OpenDocumentFile(PathOf("missing.mf")));
    EXPECT_EQ(Code(), before);
    EXPECT_TRUE(doc->CanUndo());
    EXPECT_TRUE(doc->PathName().empty());
    EXPECT_EQ(LastStatus(), "文件打开失败");
    EXPECT_TRUE(doc->recentFiles.empty());
}

TEST_F(DocFiles, AnEmptyFileInCubeInputLeavesInputAsItWas) {
    std::ofstream(PathOf("empty.mf")).put('x');
    m().inputMode = -1;
    doc->HistoryOp(0, {});
    EXPECT_FALSE(doc->OpenDocumentFile(PathOf("empty.mf")));
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"文件中没有数据"});
    EXPECT_EQ(m().inputMode, -1);
    EXPECT_TRUE(user.CallsOf(Kind::SwapButton).empty());
}

TEST_F(DocFiles, OpeningInCubeInputEndsIt) {
    std::ofstream(PathOf("moves.mf")) << "F+;R+;";
    m().inputMode = -1;
    ASSERT_TRUE(doc->OpenDocumentFile(PathOf("moves.mf")));
    EXPECT_EQ(m().inputMode, 0);
    ASSERT_EQ(user.CallsOf(Kind::SwapButton).size(), 1u);
    EXPECT_FALSE(doc->CanUndo());
}

TEST_F(DocFiles, ModifiedDocumentAsksToSaveBeforeNewOpenAndExit) {
    doc->SetModifiedFlag(true);
    const std::string before = Code();
    user.answers = {Answer::Cancel};
    doc->OnCommand(cmd::kFileNew);
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"是否保存对“无标题”的更改？"});

    user.answers = {Answer::Cancel};
    doc->OnCommand(cmd::kExit);
    EXPECT_TRUE(user.CallsOf(Kind::Quit).empty());

    // Yes with a cancelled save dialog stays too.
    user.answers = {Answer::Yes};
    doc->OnCommand(cmd::kExit);
    EXPECT_TRUE(user.CallsOf(Kind::Quit).empty());
    EXPECT_EQ(user.CallsOf(Kind::SaveDialog).size(), 1u);
    EXPECT_EQ(user.CallsOf(Kind::SaveDialog)[0].heading, "无标题.mf");

    user.answers = {Answer::Yes};
    user.paths = {PathOf("kept.mf")};
    doc->OnCommand(cmd::kExit);
    EXPECT_EQ(user.CallsOf(Kind::Quit).size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(PathOf("kept.mf")));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocFiles, SaveWritesToTheDocumentsOwnFile) {
    user.paths = {PathOf("a.mf")};
    doc->OnCommand(cmd::kFileSave);  // untitled: asks for a name
    EXPECT_EQ(user.CallsOf(Kind::SaveDialog).size(), 1u);
    std::filesystem::remove(PathOf("a.mf"));
    doc->OnCommand(cmd::kFileSave);
    EXPECT_EQ(user.CallsOf(Kind::SaveDialog).size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(PathOf("a.mf")));
}

TEST_F(DocFiles, RecentFilesKeepEightNewestFirstAndDropUnreadableOnes) {
    for (int i = 0; i < 10; ++i) doc->AddToRecentFiles(PathOf("f" + std::to_string(i) + ".mf"));
    doc->AddToRecentFiles(PathOf("f5.mf"));
    ASSERT_EQ(doc->recentFiles.size(), 8u);
    EXPECT_EQ(doc->recentFiles[0], PathOf("f5.mf"));
    EXPECT_EQ(doc->recentFiles[1], PathOf("f9.mf"));
    EXPECT_TRUE(doc->IsEnabled(cmd::kRecentFile1 + 7));

    std::ofstream(PathOf("f9.mf")) << "T+;";
    doc->OnCommand(cmd::kRecentFile1 + 1);
    EXPECT_EQ(doc->PathName(), PathOf("f9.mf"));
    EXPECT_EQ(doc->recentFiles[0], PathOf("f9.mf"));
    doc->OnCommand(cmd::kRecentFile1 + 1);  // f5.mf does not exist
    EXPECT_EQ(doc->recentFiles.size(), 7u);
    EXPECT_FALSE(doc->IsEnabled(cmd::kRecentFile1 + 7));
    EXPECT_EQ(doc->PathName(), PathOf("f9.mf"));
}

}  // namespace
}  // namespace velmora::test
