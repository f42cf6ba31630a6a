#include "ui/views/solution_layout.h"

namespace velmora {
namespace {

constexpr int kMovesStart = 76;
constexpr int kCountFirst = 73;
constexpr std::string_view kMarker = "<=>";

std::string_view MethodName(int methodUsed) {
    switch (methodUsed) {
        case 1: return "  分组法";
        case 2: return "  八角法";
        case 3: return "  最少步法";
        case 4: return " 只处理中心";
        default: return "  其它法";
    }
}

}  // namespace

void LayoutSolution(std::string_view record, int demoPos, int methodUsed, SolutionLayout& out) {
    const int length = static_cast<int>(record.size());
    // Before the first solve the record is shorter than its header: blanks stand in
    // for the count.
    const char tens = length > kCountFirst ? record[kCountFirst] : ' ';
    const char units = length > kCountFirst + 1 ? record[kCountFirst + 1] : ' ';
    out.turns.Format(" 需要 %c%c 转", tens, units);
    out.method = MethodName(methodUsed);
    out.lineCount = 0;
    for (auto& line : out.lines) line.Clear();

    bool marked = false;
    int i = kMovesStart;
    const int maxLines = (SolutionLayout::kLastLineY - SolutionLayout::kFirstLineY) / SolutionLayout::kLinePitch + 1;
    while (out.lineCount < maxLines && i <= length) {
        auto& line = out.lines[out.lineCount];
        bool ended = false;
        while (!ended) {
            if (!marked && i == demoPos) {
                const bool lastOnLine = static_cast<int>(line.size()) >= SolutionLayout::kMarkerLineEnd;
                line.Append(kMarker);
                marked = true;
                if (lastOnLine) break;
            }
            if (i >= length) {
                i = length + 1;
                break;
            }
            line.Append(record[i++]);
            ended = static_cast<int>(line.size()) >= SolutionLayout::kLineLength;
        }
        if (!line.empty()) ++out.lineCount;
        if (i > length) break;
    }
}

}  // namespace velmora
