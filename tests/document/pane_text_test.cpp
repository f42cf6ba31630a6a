// The panes in words: colour names of the default face colours, sticker names that
// follow the position, steps counted and announced as the demonstration moves.
#include "document/pane_text.h"

#include <set>

#include "document/settings.h"
#include "doc_fixture.h"

namespace velmora::test {

using PaneText = DocTest;

TEST(ColourNames, DefaultFaceColoursHaveSixDifferentNames) {
    const VelmoraSettings s;
    std::set<std::string_view> names;
    for (int face = 1; face <= 6; ++face) names.insert(ColourName(s.colourSettings[face]));
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(ColourName(0x0000ff), "红色");  // red is the lowest byte
    EXPECT_EQ(ColourName(0xffffff), "白色");
}

TEST_F(PaneText, CellNamesFollowFaceRowColumnAndTheTurnedPosition) {
    const int* colours = doc->settings.colourSettings;
    const std::string solvedFront = NetCellName(m(), 9 + 1, colours);
    EXPECT_EQ(solvedFront, std::string("前面 第1行第2列 ") + std::string(ColourName(colours[2])));
    EXPECT_EQ(NetCellName(m(), 53, colours).rfind("底面 第3行第3列 ", 0), 0u);
    EXPECT_TRUE(NetCellName(m(), 54, colours).empty());
    // A top turn brings another face's colour to the front's first row, not its
    // second; a quarter turn back restores it.
    m().RunMoveString(0, "T+;");
    EXPECT_NE(NetCellName(m(), 9 + 1, colours), solvedFront);
    EXPECT_EQ(NetCellColour(m(), 9 + 4), 2);
    m().RunMoveString(0, "T-;");
    EXPECT_EQ(NetCellName(m(), 9 + 1, colours), solvedFront);
}

TEST_F(PaneText, StepsAreCountedAndAnnouncedAsTheDemonstrationMoves) {
    DealAndSolve("F+;T+;R-;");
    const std::string_view record = m().SolutionRecord.view();
    const SolutionSteps start = CountSteps(record, m().demoPos);
    ASSERT_EQ(start.total, 3);
    EXPECT_EQ(start.done, 0);
    EXPECT_EQ(StepAnnouncement(record, m().demoPos), "开始图案，共 3 步");
    EXPECT_NE(CubeDescription(m()).find("魔方未复原"), std::string::npos);
    for (int step = 1; step <= 3; ++step) m().StepSolution(1);
    EXPECT_EQ(StepAnnouncement(record, m().demoPos), "第 3 步，共 3 步：F-");
    const SolutionSteps end = CountSteps(record, m().demoPos);
    EXPECT_EQ(end.nextBegin, end.nextEnd);
    EXPECT_EQ(CubeDescription(m()),
              "魔方已复原；建议复原方法：分组法，需要 3 转；演示到第 3 步，共 3 步");
    int offset = -1;
    const std::string text = SolutionPaneText(m(), &offset);
    EXPECT_EQ(text.substr(0, static_cast<std::size_t>(offset)), "建议复原方法：分组法，需要 3 转\n");
    EXPECT_EQ(text.substr(static_cast<std::size_t>(offset), 9), "R+;T-;F-;");
    EXPECT_EQ(StepAnnouncement("", kRecordMovesStart), "没有需要演示的步骤");
}

TEST_F(PaneText, CubeInputNamesUnpaintedStickersAndTellsWhatToDo) {
    m().BeginInput(1);
    m().inputMode = -1;
    EXPECT_EQ(NetCellColour(m(), 4), 1);  // a centre keeps its face colour
    m().facelets[0] = 9;
    EXPECT_EQ(NetCellName(m(), 0, doc->settings.colourSettings), "顶面 第1行第1列 未涂色");
    EXPECT_EQ(CubeDescription(m()).rfind("正在输入魔方", 0), 0u);
    int offset = 0;
    SolutionPaneText(m(), &offset);
    EXPECT_EQ(offset, -1);
}

}  // namespace velmora::test
