#pragma once
// The text of the solution pane, laid out without drawing: the method, the turn count
// and the solution's moves in lines of 78 characters with the "<=>" marker before the
// token the next step will demonstrate. Plain C++ so that it can be checked on its own.
#include <array>
#include <utility>
#include <string_view>

#include "model/fixed_text.h"

namespace velmora {

struct SolutionLayout {
    static constexpr int kLineLength = 78;
    static constexpr int kMaxLines = 10;
    // Marker position in a line from which the line ends right after the marker.
    static constexpr int kMarkerLineEnd = 75;
    static constexpr int kFirstLineY = 9;
    static constexpr int kLinePitch = 20;
    static constexpr int kLastLineY = 208;  // no line starts below this

    // " 需要 %c%c 转" with the record's two count characters.
    FixedText<63> turns;
    // "  分组法", "  八角法", " 只处理中心" or "  其它法".
    std::string_view method;
    std::array<FixedText<kLineLength + 8>, kMaxLines> lines;
    int lineCount = 0;

    // Where the text came from, for clicks and the highlight: the record position of
    // each line's first move character, the marker's line and column (-1 when not
    // shown) and its record position, and per line the columns [begin, end) of the
    // token the next step will demonstrate (begin = end where it has none).
    std::array<int, kMaxLines> lineStart{};
    int markerLine = -1, markerColumn = -1;
    int markerPos = 0;
    std::array<std::pair<int, int>, kMaxLines> highlight{};
};

// The line and column of pane point (x, y) for characters charWidth pixels wide;
// false left of the moves or above their first line.
bool SolutionCellAt(int x, int y, int charWidth, int& line, int& column);

// The record position shown at a line and column of the layout: the marker stands for
// the position it marks; -1 past a line's end or below the last line.
int SolutionRecordIndexAt(const SolutionLayout& layout, int line, int column);

// The record position of the first character of the token shown at a line and column
// (a separator gives the token after it); -1 where there is none.
int SolutionTokenAt(std::string_view record, const SolutionLayout& layout, int line, int column);

// Lays out record (the solution record text) with the marker at demoPos and the name
// of methodUsed. blankEndsTokens: the record is one in the international notation,
// whose moves end only at a blank (a prime belongs to its move).
void LayoutSolution(std::string_view record, int demoPos, int methodUsed, SolutionLayout& out,
                    bool blankEndsTokens = false);

}  // namespace velmora
