#include "ui/views/solution_layout.h"

#include "model/tarnex_source.h"

namespace velmora {
namespace {

constexpr int kMovesStart = 76;
constexpr int kCountFirst = 73;
constexpr std::string_view kMarker = "<=>";
// Left edge of the move lines in the pane.
constexpr int kMovesLeft = 132;

std::string_view MethodName(int methodUsed) {
    switch (methodUsed) {
        case 1: return "  分组法";
        case 2: return "  八角法";
        case 3: return "  最少步法";
        case 4: return " 只处理中心";
        case 5: return "  最少步数";
        default: return "  其它法";
    }
}

}  // namespace

void LayoutSolution(std::string_view record, int demoPos, int methodUsed, SolutionLayout& out,
                    bool blankEndsTokens) {
    const int length = static_cast<int>(record.size());
    // Before the first solve the record is shorter than its header: blanks stand in
    // for the count.
    const char tens = length > kCountFirst ? record[kCountFirst] : ' ';
    const char units = length > kCountFirst + 1 ? record[kCountFirst + 1] : ' ';
    out.turns.Format(" 需要 %c%c 转", tens, units);
    out.method = MethodName(methodUsed);
    out.lineCount = 0;
    for (auto& line : out.lines) line.Clear();

    out.markerLine = out.markerColumn = -1;
    out.markerPos = demoPos;
    for (auto& h : out.highlight) h = {0, 0};

    bool marked = false;
    int i = kMovesStart;
    const int maxLines = (SolutionLayout::kLastLineY - SolutionLayout::kFirstLineY) / SolutionLayout::kLinePitch + 1;
    while (out.lineCount < maxLines && i <= length) {
        auto& line = out.lines[out.lineCount];
        out.lineStart[out.lineCount] = i;
        bool ended = false;
        while (!ended) {
            if (!marked && i == demoPos) {
                const bool lastOnLine = static_cast<int>(line.size()) >= SolutionLayout::kMarkerLineEnd;
                out.markerLine = out.lineCount;
                out.markerColumn = static_cast<int>(line.size());
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
    if (out.markerLine >= out.lineCount) out.markerLine = out.markerColumn = -1;

    // The token after the marker, possibly running on into the next line.
    int end = demoPos;
    auto endsToken = [&](char c) { return blankEndsTokens ? c == ' ' : IsSeparatorChar(c); };
    while (demoPos >= kMovesStart && end < length && !endsToken(record[end])) ++end;
    for (int l = 0; l < out.lineCount && end > demoPos; ++l) {
        const int shift = l == out.markerLine ? static_cast<int>(kMarker.size()) : 0;
        const int first = out.lineStart[l];
        const int last = first + static_cast<int>(out.lines[l].size()) - shift;  // one past
        const int from = demoPos > first ? demoPos : first;
        const int to = end < last ? end : last;
        if (from >= to) continue;
        const int offset = l == out.markerLine ? shift : 0;
        out.highlight[l] = {from - first + offset, to - first + offset};
    }
}

bool SolutionCellAt(int x, int y, int charWidth, int& line, int& column) {
    if (x < kMovesLeft || y < SolutionLayout::kFirstLineY || charWidth <= 0) return false;
    line = (y - SolutionLayout::kFirstLineY) / SolutionLayout::kLinePitch;
    column = (x - kMovesLeft) / charWidth;
    return true;
}

int SolutionRecordIndexAt(const SolutionLayout& layout, int line, int column) {
    if (line < 0 || line >= layout.lineCount || column < 0) return -1;
    const int size = static_cast<int>(layout.lines[line].size());
    if (column >= size) return -1;
    const int marker = static_cast<int>(kMarker.size());
    if (line == layout.markerLine) {
        if (column >= layout.markerColumn && column < layout.markerColumn + marker) return layout.markerPos;
        if (column >= layout.markerColumn + marker) column -= marker;
    }
    return layout.lineStart[line] + column;
}

int SolutionTokenAt(std::string_view record, const SolutionLayout& layout, int line, int column) {
    int i = SolutionRecordIndexAt(layout, line, column);
    const int length = static_cast<int>(record.size());
    if (i < kMovesStart || i >= length) return -1;
    if (IsSeparatorChar(record[i])) {
        while (i < length && IsSeparatorChar(record[i])) ++i;
        return i < length ? i : -1;
    }
    while (i > kMovesStart && !IsSeparatorChar(record[i - 1])) --i;
    return i;
}

}  // namespace velmora
