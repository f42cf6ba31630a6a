// Clicks on the solution pane's text: which token a line and column name, with the
// marker inserted and lines cut at 78 characters; the pixel grid of the move lines;
// and the highlight of the token the next step demonstrates.
#include <string>

#include "model/tarnex_source.h"
#include "ui/views/solution_layout.h"
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

constexpr const char* kStart = "110120130140210220230240310320330340410420430440510520530540123456000000";

std::string Record(const std::string& moves) { return std::string(kStart) + " 30 " + moves; }

// Thirty moves with a stage marker and a composite record in parentheses: 104
// characters, so the text runs over two lines.
std::string Moves() {
    std::string s;
    const char* tokens[] = {"T+;", "F-;", "R*;", "FT,", "L-;", "B*;"};
    for (int i = 0; i < 30; ++i) {
        s += tokens[i % 6];
        if (i == 9) s += "#  ";
        if (i == 20) s += "(LF,T+;B-;)";
    }
    return s;
}

int TokenAt(const std::string& record, int demoPos, int line, int column) {
    SolutionLayout layout;
    LayoutSolution(record, demoPos, 1, layout);
    return SolutionTokenAt(record, layout, line, column);
}

TEST(SolutionTokenAt, LinesAndColumnsNameTheTokenUnderThem) {
    const std::string r = Record(Moves());
    struct Case {
        int demoPos, line, column, token;  // token: record position, -1 none
    };
    const Case cases[] = {
        {76, 0, 0, 76},       // on the marker: the token it marks
        {76, 0, 2, 76},
        {76, 0, 3, 76},       // first character after the marker
        {76, 0, 4, 76},       // its second character
        {76, 0, 5, 79},       // its separator: the next token
        {76, 0, 6, 79},
        {79, 0, 0, 76},       // before the marker nothing shifts
        {79, 0, 3, 79},       // the marker at 79 stands on columns 3-5
        {79, 0, 6, 79},
        {79, 0, 9, 82},
        {76, 0, 33, 109},     // "#  " after the tenth move: the token after it
        {76, 0, 35, 109},
        {76, 5, 0, -1},       // below the last line
        {76, 0, 200, -1},     // past the line's end
        {76, -1, 0, -1},
    };
    for (const Case& c : cases) {
        const int got = TokenAt(r, c.demoPos, c.line, c.column);
        const int want = c.token;
        EXPECT_EQ(got, want) << "demoPos " << c.demoPos << " line " << c.line << " column " << c.column;
        if (got >= 0) {
            EXPECT_FALSE(r[static_cast<std::size_t>(got)] == ';' || r[static_cast<std::size_t>(got)] == ',');
        }
    }
    // The second line starts with a whole move, which its first column names.
    for (int demoPos : {76, 79}) {
        SolutionLayout layout;
        LayoutSolution(r, demoPos, 1, layout);
        ASSERT_GE(layout.lineCount, 2);
        const int start = layout.lineStart[1];
        EXPECT_TRUE(IsSeparatorChar(r[static_cast<std::size_t>(start - 1)]));
        EXPECT_EQ(SolutionTokenAt(r, layout, 1, 0), start);
    }
}

TEST(SolutionTokenAt, TheLastSeparatorNamesNoToken) {
    const std::string r = Record("T+;F-;");
    SolutionLayout layout;
    LayoutSolution(r, 82, 1, layout);  // marker at the end
    EXPECT_EQ(layout.lines[0].view(), "T+;F-;<=>");
    EXPECT_EQ(SolutionTokenAt(r, layout, 0, 5), -1);  // the final ';'
    EXPECT_EQ(SolutionTokenAt(r, layout, 0, 6), -1);  // the marker past the end
    EXPECT_EQ(SolutionTokenAt(r, layout, 0, 3), 79);
    EXPECT_EQ(SolutionRecordIndexAt(layout, 0, 6), 82);
}

TEST(SolutionTokenAt, PixelsMapToTheCharacterGrid) {
    int line = -1, column = -1;
    EXPECT_TRUE(SolutionCellAt(132, 9, 7, line, column));
    EXPECT_EQ(line, 0);
    EXPECT_EQ(column, 0);
    EXPECT_TRUE(SolutionCellAt(132 + 7 * 10 + 6, 9 + 20 * 3 + 19, 7, line, column));
    EXPECT_EQ(line, 3);
    EXPECT_EQ(column, 10);
    EXPECT_FALSE(SolutionCellAt(131, 50, 7, line, column));  // the method column
    EXPECT_FALSE(SolutionCellAt(200, 8, 7, line, column));   // above the first line
    EXPECT_FALSE(SolutionCellAt(200, 50, 0, line, column));
}

TEST(SolutionTokenAt, TheMarkedTokenMovesWholeToTheNextLine) {
    std::string moves;
    for (int i = 0; i < 24; ++i) moves += "T+;";
    moves += "(LF,T+;B-;)";
    moves += "F-;";
    const std::string r = Record(moves);
    SolutionLayout layout;
    LayoutSolution(r, 76, 1, layout);
    EXPECT_EQ(layout.highlight[0], std::make_pair(3, 5));  // T+ after "<=>"
    EXPECT_EQ(layout.highlight[1], std::make_pair(0, 0));

    // A token of 23 characters marked at column 60 does not fit the line's rest: it
    // starts the next line with its marker, and only there is it highlighted.
    std::string longMoves;
    for (int i = 0; i < 20; ++i) longMoves += "T+;";
    longMoves += "BFLPRTBFLPRTBFLPRTBFLPR;F-;";
    const std::string r2 = Record(longMoves);
    LayoutSolution(r2, 76 + 60, 1, layout);
    EXPECT_EQ(layout.lines[0].view(), longMoves.substr(0, 60));
    EXPECT_EQ(layout.markerLine, 1);
    EXPECT_EQ(layout.markerColumn, 0);
    EXPECT_EQ(layout.highlight[0], std::make_pair(0, 0));
    EXPECT_EQ(layout.highlight[1], std::make_pair(3, 26));
    EXPECT_EQ(SolutionTokenAt(r2, layout, 1, 10), 76 + 60);
    EXPECT_EQ(SolutionTokenAt(r2, layout, 1, 27), 76 + 84);

    // No highlight at the end of the solution or before the first solve.
    LayoutSolution(r2, static_cast<int>(r2.size()), 1, layout);
    for (const auto& h : layout.highlight) EXPECT_EQ(h.first, h.second);
    LayoutSolution("  ", 76, 1, layout);
    EXPECT_EQ(layout.markerLine, -1);
}

}  // namespace
}  // namespace velmora::test
