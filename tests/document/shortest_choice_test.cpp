// Choosing the shortest method: the menu row, the history entry, the setting, the
// solution it gives and the method name the cube file carries.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "doc_fixture.h"
#include "document/command_table.h"
#include "files/cube_file.h"
#include "files/gbk.h"

namespace velmora::test {
namespace {

TEST(ShortestCommand, IsTheThirdMethodRadioItemWithItsPrompt) {
    const CommandRow* row = FindCommand(cmd::kShortestMethod);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->menu, MenuId::Edit);
    EXPECT_EQ(row->menuText, "最少步解法(&3)");
    EXPECT_EQ(row->prompt, "用两阶段搜索求出不超过20转的复原解法。");
    EXPECT_EQ(row->mark, MarkRule::RadioMethod);
    EXPECT_EQ(row->markValue, 3);
}

TEST_F(DocTest, ChoosingTheShortestMethodRecordsSavesAndSolvesAgain) {
    m().RunMoveString(0, "F+;R-;T*;L+;P-;B+;F*;R+;T-;L*;P+;F-;");
    m().ExecuteAndSolve();
    ASSERT_EQ(m().methodUsed, 1);
    const int groupTurns = m().lastSolveTurns;
    user.Clear();

    ASSERT_TRUE(doc->OnCommand(cmd::kShortestMethod));
    EXPECT_EQ(m().methodChoice, 3);
    EXPECT_EQ(settings.solve, 3);
    EXPECT_EQ(m().methodUsed, 3);
    EXPECT_TRUE(doc->IsChecked(cmd::kShortestMethod));
    EXPECT_FALSE(doc->IsChecked(cmd::kEightCornerMethod));
    EXPECT_LE(m().lastSolveTurns, 20);
    EXPECT_LT(m().lastSolveTurns, groupTurns);

    std::ostringstream file;
    ASSERT_EQ(m().SaveCubeFile(file), 1);
    std::string name;
    ASSERT_TRUE(AppendGbk(name, "最少步法"));
    EXPECT_NE(file.str().find(name), std::string::npos);

    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus().rfind("已撤消执行选最少步法", 0), 0u) << LastStatus();
    EXPECT_EQ(m().methodChoice, 1);
}

TEST_F(DocTest, StartsWithTheShortestMethodWhenTheSettingSaysSo) {
    settings.solve = 3;
    MakeDoc();
    EXPECT_EQ(m().methodChoice, 3);
    doc->OnCommand(cmd::kFileNew);
    EXPECT_EQ(m().methodUsed, 3);
    EXPECT_LE(m().lastSolveTurns, 20);
}

}  // namespace
}  // namespace velmora::test
