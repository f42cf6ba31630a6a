#pragma once
// The text of the solution pane, laid out without drawing: the method, the turn count
// and the solution's moves in lines of 78 characters with the "<=>" marker before the
// token the next step will demonstrate. Plain C++ so that it can be checked on its own.
#include <array>
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
};

// Lays out record (the solution record text) with the marker at demoPos and the name
// of methodUsed.
void LayoutSolution(std::string_view record, int demoPos, int methodUsed, SolutionLayout& out);

}  // namespace velmora
