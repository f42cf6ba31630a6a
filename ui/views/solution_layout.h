#pragma once
// The text of the solution pane, laid out without drawing: the method, the turn count
// and the solution's moves in lines of at most 78 characters (fewer in a narrow pane)
// with the "<=>" marker before the token the next step will demonstrate. Lines break
// only between moves: a move, its sign and the separators after it stay on one line,
// and the marker stays with the move it marks. All lines are laid out; the pane
// scrolls when they are taller than it. Plain C++ so that it can be checked on its own.
#include <array>
#include <utility>
#include <string_view>

#include "model/fixed_text.h"

namespace velmora {

// Where the move lines stand in the pane, in unscaled pane pixels: at x = 132 beside
// the method column, or below it at x = 14 when the pane is too narrow for that.
struct SolutionGeometry {
    int movesLeft = 132;
    int firstLineY = 9;
    int columns = 78;  // characters per line, the marker counted
};

struct SolutionLayout {
    static constexpr int kLineLength = 78;
    // Fewest characters a line gets however narrow the pane: the longest move with its
    // separators and the marker.
    static constexpr int kMinColumns = 12;
    static constexpr int kMaxLines = 1024;
    static constexpr int kFirstLineY = 9;
    static constexpr int kLinePitch = 20;
    // The move lines below the method column start here (after its three lines).
    static constexpr int kBelowHeaderY = 69;
    static constexpr int kHeaderLeft = 14;
    static constexpr int kBesideHeaderLeft = 132;

    // " 需要 %c%c 转" with the record's two count characters.
    FixedText<63> turns;
    // "  分组法", "  八角法", " 只处理中心" or "  其它法".
    std::string_view method;
    std::array<FixedText<kLineLength + 8>, kMaxLines> lines;
    int lineCount = 0;
    SolutionGeometry geometry;

    // Where the text came from, for clicks and the highlight: the record position of
    // each line's first move character, the marker's line and column (-1 when not
    // shown) and its record position, and per line the columns [begin, end) of the
    // token the next step will demonstrate (begin = end where it has none).
    std::array<int, kMaxLines> lineStart{};
    int markerLine = -1, markerColumn = -1;
    int markerPos = 0;
    std::array<std::pair<int, int>, kMaxLines> highlight{};

    // Top of line l in unscaled pane pixels.
    int LineTop(int l) const { return geometry.firstLineY + kLinePitch * l; }
    // Height of the whole text: the method column or the last move line, whichever
    // reaches lower, and a margin like the one above the first line.
    int ContentHeight() const;
};

// The geometry for a pane paneWidth unscaled pixels wide with characters charWidth
// pixels wide: beside the method column with as many characters as fit (at most 78),
// below it when fewer than 24 would fit there.
SolutionGeometry FitSolutionGeometry(int paneWidth, int charWidth);

// The line and column of pane point (x, y) for characters charWidth pixels wide;
// false left of the moves or above their first line.
bool SolutionCellAt(int x, int y, int charWidth, int& line, int& column);
bool SolutionCellAt(const SolutionGeometry& g, int x, int y, int charWidth, int& line, int& column);

// The record position shown at a line and column of the layout: the marker stands for
// the position it marks; -1 past a line's end or below the last line.
int SolutionRecordIndexAt(const SolutionLayout& layout, int line, int column);

// The line and column at which the character at record position i is shown (after the
// marker where it has one); false for a position the lines do not show.
bool SolutionPlaceOf(const SolutionLayout& layout, int i, int& line, int& column);

// The record position of the first character of the token shown at a line and column
// (a separator gives the token after it); -1 where there is none.
int SolutionTokenAt(std::string_view record, const SolutionLayout& layout, int line, int column);

// Lays out record (the solution record text) with the marker at demoPos and the name
// of methodUsed, in lines of geometry.columns characters. blankEndsTokens: the record
// is one in the international notation, whose moves end only at a blank (a prime
// belongs to its move).
void LayoutSolution(std::string_view record, int demoPos, int methodUsed, SolutionLayout& out,
                    bool blankEndsTokens = false, const SolutionGeometry& geometry = {});

}  // namespace velmora
