// The solution pane's text: method, count and move lines with the position marker.
#include <string>

#include "ui/views/solution_layout.h"
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

constexpr const char* kStart = "110120130140210220230240310320330340410420430440510520530540123456000000";

// A record with the given count characters and moves.
std::string Record(const std::string& count, const std::string& moves) {
    return std::string(kStart) + " " + count + " " + moves;
}

std::string Moves(int n) {
    std::string s;
    const char* tokens[] = {"T+;", "F-;", "R*;", "P+;", "L-;", "B*;"};
    for (int i = 0; i < n; ++i) s += tokens[i % 6];
    return s;
}

TEST(SolutionLayout, MarkerAtTheStartBeginsTheFirstLine) {
    SolutionLayout out;
    LayoutSolution(Record("03", "T+;F-;R*;"), 76, 1, out);
    ASSERT_EQ(out.lineCount, 1);
    EXPECT_EQ(out.lines[0].view(), "<=>T+;F-;R*;");
    EXPECT_EQ(out.turns.view(), " 需要 03 转");
    EXPECT_EQ(out.method, "  分组法");
}

TEST(SolutionLayout, MarkerStandsBeforeTheNextTokenAndAtTheEnd) {
    SolutionLayout out;
    LayoutSolution(Record("03", "T+;F-;R*;"), 79, 2, out);
    EXPECT_EQ(out.lines[0].view(), "T+;<=>F-;R*;");
    EXPECT_EQ(out.method, "  八角法");
    LayoutSolution(Record("03", "T+;F-;R*;"), 85, 4, out);
    EXPECT_EQ(out.lines[0].view(), "T+;F-;R*;<=>");
    EXPECT_EQ(out.method, " 只处理中心");
}

TEST(SolutionLayout, LinesHoldSeventyEightCharactersWithTheMarkerCounted) {
    const std::string moves = Moves(60);  // 180 characters
    SolutionLayout out;
    LayoutSolution(Record("60", moves), 76 + 30, 1, out);
    ASSERT_EQ(out.lineCount, 3);
    EXPECT_EQ(out.lines[0].view(), moves.substr(0, 30) + "<=>" + moves.substr(30, 45));
    EXPECT_EQ(out.lines[1].view(), moves.substr(75, 78));
    EXPECT_EQ(out.lines[2].view(), moves.substr(153));
}

TEST(SolutionLayout, MarkerLateInALineEndsTheLineRightAfterIt) {
    const std::string moves = Moves(40);
    for (int at : {75, 76, 77}) {
        SolutionLayout out;
        LayoutSolution(Record("40", moves), 76 + at, 1, out);
        EXPECT_EQ(out.lines[0].view(), moves.substr(0, at) + "<=>") << at;
        EXPECT_EQ(out.lines[1].view(), moves.substr(at, 78)) << at;
    }
    // At 74 the marker fits within the 78 and one more character follows.
    SolutionLayout out;
    LayoutSolution(Record("40", moves), 76 + 74, 1, out);
    EXPECT_EQ(out.lines[0].view(), moves.substr(0, 74) + "<=>" + moves.substr(74, 1));
}

TEST(SolutionLayout, LongSolutionsShowOnlyTenLines) {
    const std::string moves = Moves(300);  // 900 characters
    SolutionLayout out;
    LayoutSolution(Record(":0", moves), 76, 1, out);
    EXPECT_EQ(out.lineCount, 10);
    EXPECT_EQ(out.lines[9].view(), moves.substr(75 + 78 * 8, 78));
    EXPECT_EQ(out.turns.view(), " 需要 :0 转");
}

TEST(SolutionLayout, StageMarkersAndOtherMethodsShowAsTheyAre) {
    SolutionLayout out;
    LayoutSolution(Record("02", "T+;#  F-;"), 76, 0, out);
    EXPECT_EQ(out.lines[0].view(), "<=>T+;#  F-;");
    EXPECT_EQ(out.method, "  其它法");
    LayoutSolution(Record("02", "T+;F-;"), 76, 7, out);
    EXPECT_EQ(out.method, "  其它法");
    LayoutSolution(Record("02", "T+;#  F-;"), 76, 3, out);
    EXPECT_EQ(out.method, "  最少步法");
}

TEST(SolutionLayout, RecordBeforeTheFirstSolveShowsNoMoves) {
    SolutionLayout out;
    LayoutSolution("  ", 76, 1, out);
    EXPECT_EQ(out.lineCount, 0);
    EXPECT_EQ(out.turns.view(), " 需要    转");
}

}  // namespace
}  // namespace velmora::test
