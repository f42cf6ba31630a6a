// The panes in words: sticker names, demonstration steps, the solution text and the
// position's state, for the window's accessibility layer.
#include "document/pane_text.h"

#include <cstdio>

namespace velmora {
namespace {

struct NamedColour {
    std::string_view name;
    int r, g, b;
};

// Representative shades; a colour is named after the nearest one.
constexpr NamedColour kNamedColours[] = {
    {"红色", 230, 30, 40},    {"橙色", 255, 140, 0},   {"黄色", 250, 230, 20}, {"绿色", 20, 200, 40},
    {"青色", 0, 220, 230},    {"蓝色", 30, 80, 240},   {"紫色", 200, 40, 230}, {"粉色", 255, 160, 200},
    {"棕色", 140, 80, 30},    {"白色", 245, 245, 245}, {"灰色", 128, 128, 128}, {"黑色", 0, 0, 0},
};

constexpr std::string_view kFaceNames[7] = {"", "顶面", "前面", "右面", "后面", "左面", "底面"};

bool Separator(char c) { return IsSeparatorChar(c); }

std::string_view MethodName(int methodUsed) {
    switch (methodUsed) {
        case 1: return "分组法";
        case 2: return "八角法";
        case 3: return "最少步法";
        case 4: return "只处理中心";
        case 5: return "最少步数";
        default: return "其它法";
    }
}

// The solution's turn count as the record's header gives it; -1 before any solve.
int RecordTurns(std::string_view record) {
    if (record.size() < static_cast<std::size_t>(kRecordMovesStart) - 1) return -1;
    int turns = 0;
    bool digits = false;
    for (std::size_t i = kRecordMovesStart - 3; i < static_cast<std::size_t>(kRecordMovesStart) - 1; ++i) {
        if (record[i] >= '0' && record[i] <= '9') {
            turns = turns * 10 + (record[i] - '0');
            digits = true;
        }
    }
    return digits ? turns : -1;
}

// Every face shows one colour (the centre turns are not looked at).
bool ColoursRestored(const CTarnexSource& m) {
    for (int face = 0; face < 6; ++face) {
        const int first = NetCellColour(m, 9 * face);
        for (int i = 1; i < 9; ++i)
            if (NetCellColour(m, 9 * face + i) != first) return false;
    }
    return true;
}

}  // namespace

std::string_view ColourName(int colourRef) {
    const int r = colourRef & 0xff, g = (colourRef >> 8) & 0xff, b = (colourRef >> 16) & 0xff;
    std::string_view best = kNamedColours[0].name;
    long bestDistance = -1;
    for (const NamedColour& c : kNamedColours) {
        const long dr = r - c.r, dg = g - c.g, db = b - c.b;
        // Green weighs most in how different two colours look.
        const long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = c.name;
        }
    }
    return best;
}

std::string_view FaceName(int face) { return face >= 1 && face <= 6 ? kFaceNames[face] : std::string_view(); }

int NetCellColour(const CTarnexSource& m, int cell) {
    if (cell < 0 || cell >= kFaceletCount) return 0;
    if (m.inputMode < 0) return cell % 9 == 4 ? cell / 9 + 1 : m.facelets[cell];
    const FaceletRecord& r = m.FaceletTable[cell];
    return m.StickerColour(r.row, r.col, r.sticker);
}

std::string NetCellName(const CTarnexSource& m, int cell, const int colours[10]) {
    if (cell < 0 || cell >= kFaceletCount) return {};
    char place[48];
    std::snprintf(place, sizeof place, " 第%d行第%d列 ", (cell % 9) / 3 + 1, cell % 3 + 1);
    std::string name(FaceName(cell / 9 + 1));
    name += place;
    const int colour = NetCellColour(m, cell);
    if (colour >= 1 && colour <= 6)
        name += ColourName(colours[colour]);
    else
        name += "未涂色";
    return name;
}

SolutionSteps CountSteps(std::string_view record, int demoPos) {
    SolutionSteps s;
    const int length = static_cast<int>(record.size());
    int i = kRecordMovesStart;
    while (i < length) {
        while (i < length && Separator(record[i])) ++i;
        if (i >= length) break;
        const int begin = i;
        while (i < length && !Separator(record[i])) ++i;
        ++s.total;
        if (begin < demoPos) {
            ++s.done;
            s.lastBegin = begin;
            s.lastEnd = i;
        } else if (s.nextBegin == s.nextEnd) {
            s.nextBegin = begin;
            s.nextEnd = i;
        }
    }
    return s;
}

std::string StepAnnouncement(std::string_view record, int demoPos) {
    const SolutionSteps s = CountSteps(record, demoPos);
    char text[160];
    if (s.total == 0) return "没有需要演示的步骤";
    if (s.done == 0) {
        std::snprintf(text, sizeof text, "开始图案，共 %d 步", s.total);
        return text;
    }
    const std::string_view token = record.substr(static_cast<std::size_t>(s.lastBegin),
                                                 static_cast<std::size_t>(s.lastEnd - s.lastBegin));
    std::snprintf(text, sizeof text, "第 %d 步，共 %d 步：%.*s", s.done, s.total, static_cast<int>(token.size()),
                  token.data());
    return text;
}

std::string SolutionPaneText(const CTarnexSource& m, int* moveOffset) {
    std::string text;
    if (m.inputMode < 0) {
        if (moveOffset) *moveOffset = -1;
        for (std::string_view line : kInputInstructions) {
            text += line;
            text += '\n';
        }
        return text;
    }
    const std::string_view record = m.SolutionRecord.view();
    text = "建议复原方法：";
    text += MethodName(m.methodUsed);
    const int turns = RecordTurns(record);
    if (m.methodUsed == 5 && m.optimalFigures.searched) {
        text += "，";
        text += m.optimalFigures.note.view();
    } else if (turns >= 0) {
        char count[40];
        std::snprintf(count, sizeof count, "，需要 %d 转", turns);
        text += count;
    }
    text += '\n';
    if (moveOffset) *moveOffset = static_cast<int>(text.size());
    if (record.size() > static_cast<std::size_t>(kRecordMovesStart)) text += record.substr(kRecordMovesStart);
    return text;
}

std::string CubeDescription(const CTarnexSource& m) {
    if (m.inputMode < 0) return "正在输入魔方：按颜色涂好展开图的各小块后，再按输入按钮结束输入";
    std::string text = ColoursRestored(m) ? "魔方已复原" : "魔方未复原";
    const std::string_view record = m.SolutionRecord.view();
    const SolutionSteps s = CountSteps(record, m.demoPos);
    const int turns = RecordTurns(record);
    if (turns < 0) return text;
    char detail[200];
    std::snprintf(detail, sizeof detail, "；建议复原方法：%.*s，需要 %d 转", static_cast<int>(MethodName(m.methodUsed).size()),
                  MethodName(m.methodUsed).data(), turns);
    text += detail;
    if (s.total > 0 && s.done == 0) {
        std::snprintf(detail, sizeof detail, "；尚未演示，共 %d 步", s.total);
        text += detail;
    } else if (s.total > 0) {
        std::snprintf(detail, sizeof detail, "；演示到第 %d 步，共 %d 步", s.done, s.total);
        text += detail;
    }
    return text;
}

}  // namespace velmora
