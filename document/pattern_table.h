#pragma once
// The named patterns offered by the patterns dialog, and what the dialog remembers
// between openings (the last confirmed entry and the reset-first option).
#include <array>
#include <string>
#include <string_view>

#include "model/user_port.h"

namespace velmora {

struct PatternRow {
    std::string_view name;   // at most 19 bytes in the cube file's encoding
    std::string_view moves;  // a move string of at most 169 characters
};

// In list order. Entry 3 keeps a blank after "T+;", which the move-string reader takes
// as a separator; the last entry is the reset token alone.
inline constexpr std::array<PatternRow, 14> kPatterns{{
    {"姓名TALWEN字母", "B+;R*;B-;P+;F*;B+;P+;T-;L+;T-;P*;R*;P*;F-;B-;L*;F*;"},
    {"流星", "T*;B*;R*;L*;F*;P*;"},
    {"六面十字", "T+;F+;P-;L*;T*;L*;F-;P+;T*;L*;T+;"},
    {"六个字母T", "T*;R*;F*;B-;T+; P*;L*;B-;T-;"},
    {"四个符号/（菱形）", "F+;P+;R+;L+;F+;P+;R+;L+;F+;P+;R+;L+;"},
    {"四个字母Z", "T+;R*;F+;B*;T*;P*;B*;T*;F-;R*;T-;"},
    {"六个字母U", "F+;T+;L-;F-;R-;P-;F+;T+;L+;B-;L-;R+;F*;R-;T-;"},
    {"六个字母O（盒子）", "L-;R+;T+;B-;F-;P+;L-;R+;"},
    {"四个字母O（盒子）", "F*;P*;T+;B-;R*;L*;T+;B-;"},
    {"六个字母H", "P*;B-;T+;P*;F*;B-;T+;F*;"},
    {"二层魔方(六个字母L)", "L*;B*;L-;B*;P*;L*;P*;L-;B*;L*;P*;L-;P*;"},
    {"三层魔方", "F-;T+;P-;R-;T+;F*;T*;F-;T-;F+;T*;B+;P-;B-;R*;P*;T-;"},
    {"交换顶点", "F*;R*;B+;R*;T+;B+;F*;B-;R-;B-;F+;L*;F-;B+;R+;T-;"},
    {"强制复原魔方", "RESET;"},
}};

inline constexpr std::string_view kPatternCommandHeading = "执行的命令：\r\n";

// The patterns dialog's state, kept for the whole run.
struct PatternForm {
    int selected = 0;
    bool resetFirst = true;

    // The read-only text shown for entry index (the heading alone for an index
    // outside the table).
    static std::string CommandShown(int index);
    // OK with entry index and the option: stores both and gives the choice. False for
    // an index outside the table (nothing stored).
    bool Accept(int index, bool reset, PatternChoice& choice);
};

}  // namespace velmora
