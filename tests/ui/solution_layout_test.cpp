// The solution pane's text: method, count and move lines with the position marker.
#include <string>

#include "model/move_notation.h"
#include "model/tarnex_source.h"
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

// A record whose moves have signs of one and two characters, stage markers and, in the
// international form, primes: the characters a careless wrap splits from their move.
std::string MixedRecord(bool international) {
    const char* own[] = {"T+;", "F-;", "R*;", "P+;", "L-;#  ", "B*;", "T-;", "R+;"};
    std::string moves;
    for (int i = 0; i < 90; ++i) moves += own[i % 8];
    const std::string record = Record("99", moves);
    return international ? TranslateSolutionRecord(record).text : record;
}

struct WrapCase {
    int columns;
    bool international;
    int demoMove;  // index of the move the marker stands before; -1: at the end
};

class SolutionWrap : public ::testing::TestWithParam<WrapCase> {};

// Whatever the width and the notation: lines hold at most their columns, together they
// give every character once and in order, a line starts only where a move starts, and
// the marker stands right before the move it marks.
TEST_P(SolutionWrap, LinesBreakOnlyBetweenMovesAndKeepEveryCharacter) {
    const WrapCase c = GetParam();
    const std::string record = MixedRecord(c.international);
    auto ends = [&](char ch) { return c.international ? ch == ' ' : IsSeparatorChar(ch); };
    int demoPos = static_cast<int>(record.size());
    for (int i = 76, n = 0; c.demoMove >= 0 && i < static_cast<int>(record.size()); ++i) {
        if (ends(record[i]) || (i > 76 && !ends(record[i - 1]))) continue;
        if (n++ == c.demoMove) {
            demoPos = i;
            break;
        }
    }
    SolutionGeometry g;
    g.columns = c.columns;
    SolutionLayout out;
    LayoutSolution(record, demoPos, 2, out, c.international, g);

    std::string joined;
    for (int l = 0; l < out.lineCount; ++l) {
        std::string line(out.lines[l].view());
        EXPECT_LE(static_cast<int>(line.size()), c.columns) << l;
        if (l == out.markerLine) {
            ASSERT_EQ(line.substr(out.markerColumn, 3), "<=>");
            line.erase(out.markerColumn, 3);
        }
        EXPECT_EQ(out.lineStart[l], 76 + static_cast<int>(joined.size())) << l;
        const int at = out.lineStart[l];
        if (l > 0 && at < static_cast<int>(record.size())) {
            EXPECT_TRUE(ends(record[at - 1]) && !ends(record[at])) << "line " << l << " splits a move";
        }
        joined += line;
    }
    EXPECT_EQ(joined, record.substr(76));
    ASSERT_GE(out.markerLine, 0);
    int line = -1, column = -1;
    if (demoPos < static_cast<int>(record.size())) {
        ASSERT_TRUE(SolutionPlaceOf(out, demoPos, line, column));
        EXPECT_EQ(line, out.markerLine);
        EXPECT_EQ(column, out.markerColumn + 3);
        EXPECT_EQ(SolutionRecordIndexAt(out, line, column), demoPos);
        EXPECT_EQ(SolutionRecordIndexAt(out, line, out.markerColumn), demoPos);
    } else {
        EXPECT_EQ(out.markerLine, out.lineCount - 1);
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsAndNotations, SolutionWrap,
                         ::testing::Values(WrapCase{78, false, 0}, WrapCase{78, true, 0}, WrapCase{78, false, 24},
                                           WrapCase{78, true, 25}, WrapCase{41, false, 13}, WrapCase{41, true, 14},
                                           WrapCase{12, false, 60}, WrapCase{12, true, -1},
                                           WrapCase{25, false, -1}));

TEST(SolutionLayout, AllLinesOfALongSolutionAreLaidOutForScrolling) {
    const std::string moves = Moves(300);  // 900 characters
    SolutionLayout out;
    LayoutSolution(Record(":0", moves), 76, 1, out);
    EXPECT_EQ(out.lineCount, 12);
    EXPECT_EQ(out.lines[11].view(), moves.substr(75 + 78 * 10));
    EXPECT_EQ(out.turns.view(), " 需要 :0 转");
    EXPECT_EQ(out.ContentHeight(), out.LineTop(12) + 4);
}

// The pane's width decides the columns: 78 at the designed width, fewer beside the
// method column in a narrower pane, and below it when too few would fit beside.
TEST(SolutionLayout, GeometryFollowsThePaneWidth) {
    const SolutionGeometry wide = FitSolutionGeometry(790, 7);
    EXPECT_EQ(wide.columns, 78);
    EXPECT_EQ(wide.movesLeft, 132);
    EXPECT_EQ(wide.firstLineY, 9);
    const SolutionGeometry half = FitSolutionGeometry(500, 7);
    EXPECT_EQ(half.columns, (500 - 132 - 6) / 7);
    EXPECT_EQ(half.movesLeft, 132);
    const SolutionGeometry narrow = FitSolutionGeometry(280, 7);
    EXPECT_EQ(narrow.movesLeft, 14);
    EXPECT_EQ(narrow.firstLineY, 69);
    EXPECT_EQ(narrow.columns, (280 - 20) / 7);
    EXPECT_EQ(FitSolutionGeometry(40, 7).columns, SolutionLayout::kMinColumns);

    int line = -1, column = -1;
    ASSERT_TRUE(SolutionCellAt(narrow, 14 + 7 * 3, 69 + 20 * 2 + 5, 7, line, column));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(column, 3);
    EXPECT_FALSE(SolutionCellAt(narrow, 20, 60, 7, line, column));  // the method column
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
