// The fewest-turns method in the document: the window's solve never waits (the shortest
// method's solution at once, the search on the worker), the searched solution arrives
// as one history step with its proof in the pane, Esc keeps what is shown, and a search
// for a cube no longer shown is dropped. The worker is waited for, never timed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "doc_fixture.h"
#include "document/command_table.h"
#include "document/pane_text.h"

namespace velmora::test {
namespace {

class OptimalDoc : public DocTest {
protected:
    void SetUp() override {
        ::setenv("XDG_CACHE_HOME", (std::filesystem::temp_directory_path() / "velmora-test-cache").c_str(), 1);
        DocTest::SetUp();
        m().optimalRequest.tableSize = 0;
    }
    // Lets the worker finish and the document take what it found.
    void FinishSearch() {
        doc->OptimalTick();
        doc->OptimalWorker().Wait();
        doc->OptimalTick();
    }
};

TEST(OptimalCommands, AreEditItemsBesideTheOtherMethodsWithEscToStop) {
    const CommandRow* method = FindCommand(cmd::kOptimalMethod);
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->menu, MenuId::Edit);
    EXPECT_EQ(method->mark, MarkRule::RadioMethod);
    EXPECT_EQ(method->markValue, 5);
    const CommandRow* find = FindCommand(cmd::kFindOptimal);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->menuText, "求最少步数解(&O)");
    const CommandRow* stop = FindCommand(cmd::kStopOptimal);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->keys, "Esc");
}

TEST_F(OptimalDoc, ChoosingTheMethodShowsAQuickSolutionThenTheProvenOneAsOneHistoryStep) {
    m().RunMoveString(0, "F+;R-;T*;L+;P-;B+;");
    m().ExecuteAndSolve();
    ASSERT_TRUE(doc->OnCommand(cmd::kOptimalMethod));
    EXPECT_EQ(m().methodUsed, 5);
    EXPECT_EQ(settings.solve, 5);
    const std::string quick = m().SolutionRecord.c_str();
    EXPECT_TRUE(m().optimalFigures.pending) << "the search is left to the worker";
    EXPECT_EQ(m().demoPos, kRecordMovesStart) << "the quick solution can be demonstrated at once";

    FinishSearch();
    EXPECT_FALSE(doc->OptimalSearching());
    EXPECT_TRUE(m().optimalFigures.proven);
    EXPECT_EQ(m().lastSolveTurns, 6);
    EXPECT_EQ(m().SolutionRecord.view().substr(0, kCodeLength), std::string_view(quick).substr(0, kCodeLength));
    EXPECT_NE(SolutionPaneText(m(), nullptr).find("最少 6 转（已证明）"), std::string::npos);
    EXPECT_EQ(LastStatus().rfind("最少 6 转（已证明）", 0), 0u) << LastStatus();

    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(std::string(m().SolutionRecord.c_str()), quick) << "undo gives the quick solution back";
}

TEST_F(OptimalDoc, FindOptimalSearchesTheShownCubeWhateverMethodIsChosen) {
    m().RunMoveString(0, "R+;T+;R-;T-;");
    m().ExecuteAndSolve();
    ASSERT_EQ(m().methodChoice, 1);
    ASSERT_TRUE(doc->OnCommand(cmd::kFindOptimal));
    EXPECT_EQ(m().methodChoice, 1) << "the chosen method stays";
    FinishSearch();
    EXPECT_EQ(m().methodUsed, 5);
    EXPECT_EQ(m().lastSolveTurns, 4);
    EXPECT_EQ(std::string(m().optimalFigures.note.view()), "最少 4 转（已证明）");
}

// Every edge flipped in place: twenty turns, so the search is still on its first
// lengths whenever the stop arrives.
constexpr const char* kSuperflip = "T+;R*;F+;P+;R+;P*;R+;T*;L+;P*;R+;T-;B-;R*;F+;R-;L+;P*;T*;F*;";

TEST_F(OptimalDoc, StopKeepsTheShownSolution) {
    m().RunMoveString(0, kSuperflip);
    ASSERT_TRUE(doc->OnCommand(cmd::kFindOptimal));
    const std::string shown = m().SolutionRecord.c_str();
    EXPECT_TRUE(doc->OptimalSearching());
    ASSERT_TRUE(doc->OnCommand(cmd::kStopOptimal));
    doc->OptimalWorker().Wait();
    doc->OptimalTick();
    EXPECT_FALSE(doc->OptimalSearching());
    EXPECT_EQ(std::string(m().SolutionRecord.c_str()), shown);
    EXPECT_FALSE(m().optimalFigures.searched);
}

TEST_F(OptimalDoc, ASearchForACubeNoLongerShownIsDropped) {
    m().RunMoveString(0, "R+;T+;R-;T-;");
    ASSERT_TRUE(doc->OnCommand(cmd::kFindOptimal));
    m().ResetCube();
    m().RunMoveString(0, "T+;F+;");
    m().ExecuteAndSolve();
    const std::string other = m().SolutionRecord.c_str();
    doc->OptimalWorker().Wait();
    doc->OptimalTick();
    EXPECT_EQ(std::string(m().SolutionRecord.c_str()), other);
}

}  // namespace
}  // namespace velmora::test
