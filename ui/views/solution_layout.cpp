#include "ui/views/solution_layout.h"

#include <algorithm>

#include "model/tarnex_source.h"

namespace velmora {
namespace {

constexpr int kMovesStart = 76;
constexpr int kCountFirst = 73;
constexpr std::string_view kMarker = "<=>";
// Right margin of the move lines and the fewest characters worth keeping beside
// the method column.
constexpr int kRightMargin = 6;
constexpr int kFewestBeside = 24;

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
                    bool blankEndsTokens, const SolutionGeometry& geometry) {
    const int length = static_cast<int>(record.size());
    // Before the first solve the record is shorter than its header: blanks stand in
    // for the count.
    const char tens = length > kCountFirst ? record[kCountFirst] : ' ';
    const char units = length > kCountFirst + 1 ? record[kCountFirst + 1] : ' ';
    out.turns.Format(" 需要 %c%c 转", tens, units);
    out.method = MethodName(methodUsed);
    out.geometry = geometry;
    const int columns = std::clamp(geometry.columns, SolutionLayout::kMinColumns, SolutionLayout::kLineLength);
    out.geometry.columns = columns;
    for (int l = 0; l < out.lineCount; ++l) {
        out.lines[l].Clear();
        out.highlight[l] = {0, 0};
    }
    out.lineCount = 0;
    out.markerLine = out.markerColumn = -1;
    out.markerPos = demoPos;

    auto endsToken = [&](char c) { return blankEndsTokens ? c == ' ' : IsSeparatorChar(c); };
    const bool markerShown = demoPos >= kMovesStart && demoPos <= length;
    auto newLine = [&](int start) {
        if (out.lineCount >= SolutionLayout::kMaxLines) return false;
        out.lines[out.lineCount].Clear();
        out.highlight[out.lineCount] = {0, 0};
        out.lineStart[out.lineCount] = start;
        ++out.lineCount;
        return true;
    };

    // The moves go in pieces: a move with the separators after it, the marker in front
    // of the piece it marks. A piece starts a new line when it does not fit the rest
    // of the current one.
    int i = kMovesStart;
    bool full = false;
    while (!full && (i < length || (markerShown && i == demoPos && out.markerLine < 0))) {
        const bool marked = markerShown && i == demoPos && out.markerLine < 0;
        int end = i;
        while (end < length && !endsToken(record[end]) && (end == i || end != demoPos)) ++end;
        while (end < length && endsToken(record[end]) && (end == i || end != demoPos)) ++end;
        const int width = end - i + (marked ? static_cast<int>(kMarker.size()) : 0);
        int used = out.lineCount > 0 ? static_cast<int>(out.lines[out.lineCount - 1].size()) : columns;
        if (used > 0 && used + width > columns) {
            if (!newLine(i)) break;
            used = 0;
        }
        auto* line = &out.lines[out.lineCount - 1];
        if (marked) {
            out.markerLine = out.lineCount - 1;
            out.markerColumn = static_cast<int>(line->size());
            line->Append(kMarker);
        }
        // Only a piece wider than a whole line (a long run of separators) is cut.
        for (; i < end; ++i) {
            if (static_cast<int>(line->size()) >= columns) {
                if (!newLine(i)) {
                    full = true;
                    break;
                }
                line = &out.lines[out.lineCount - 1];
            }
            line->Append(record[i]);
        }
    }

    // The token after the marker.
    int end = demoPos;
    while (demoPos >= kMovesStart && end < length && !endsToken(record[end])) ++end;
    for (int l = 0; l < out.lineCount && end > demoPos; ++l) {
        const int shift = l == out.markerLine ? static_cast<int>(kMarker.size()) : 0;
        const int first = out.lineStart[l];
        const int last = first + static_cast<int>(out.lines[l].size()) - shift;  // one past
        const int from = demoPos > first ? demoPos : first;
        const int to = end < last ? end : last;
        if (from >= to) continue;
        out.highlight[l] = {from - first + shift, to - first + shift};
    }
}

int SolutionLayout::ContentHeight() const {
    return std::max(kBelowHeaderY, LineTop(lineCount)) + 4;
}

SolutionGeometry FitSolutionGeometry(int paneWidth, int charWidth) {
    SolutionGeometry g;
    if (charWidth <= 0) return g;
    const int beside = (paneWidth - SolutionLayout::kBesideHeaderLeft - kRightMargin) / charWidth;
    if (beside >= kFewestBeside) {
        g.columns = std::min(beside, SolutionLayout::kLineLength);
        return g;
    }
    g.movesLeft = SolutionLayout::kHeaderLeft;
    g.firstLineY = SolutionLayout::kBelowHeaderY;
    g.columns = std::clamp((paneWidth - SolutionLayout::kHeaderLeft - kRightMargin) / charWidth,
                           SolutionLayout::kMinColumns, SolutionLayout::kLineLength);
    return g;
}

bool SolutionCellAt(int x, int y, int charWidth, int& line, int& column) {
    return SolutionCellAt(SolutionGeometry{}, x, y, charWidth, line, column);
}

bool SolutionCellAt(const SolutionGeometry& g, int x, int y, int charWidth, int& line, int& column) {
    if (x < g.movesLeft || y < g.firstLineY || charWidth <= 0) return false;
    line = (y - g.firstLineY) / SolutionLayout::kLinePitch;
    column = (x - g.movesLeft) / charWidth;
    return true;
}

bool SolutionPlaceOf(const SolutionLayout& layout, int i, int& line, int& column) {
    const int marker = static_cast<int>(kMarker.size());
    for (int l = 0; l < layout.lineCount; ++l) {
        const int first = layout.lineStart[l];
        const int size = static_cast<int>(layout.lines[l].size()) - (l == layout.markerLine ? marker : 0);
        if (i < first || i >= first + size) continue;
        line = l;
        column = i - first;
        if (l == layout.markerLine && column >= layout.markerColumn) column += marker;
        return true;
    }
    return false;
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
