#pragma once
// Formulas of the centre-orientation method, in the order the method consults them.
// Tables chosen by a centre turn hold the formulas for turns 1, 2, 3 in that order.
#include <array>
#include <string_view>

namespace velmora::centre {

using ByTurn = std::array<std::string_view, 3>;

// Phase 1: both front and back centres at a half turn.
inline constexpr std::string_view kFrontBackHalf = "B*;R*;L*;T*;P*;B*;R*;L*;T*;F*;";

// Phase 1: the front, right and back centres, then what is owed to the left centre.
inline constexpr ByTurn kPhase1Front = {
    "R+;L-;F-;R-;L+;",
    "R+;L-;F*;R-;L+;",
    "R+;L-;F+;R-;L+;",
};
inline constexpr ByTurn kPhase1Right = {
    "P+;F-;R-;P-;F+;",
    "P+;F-;R*;P-;F+;",
    "P+;F-;R+;P-;F+;",
};
inline constexpr ByTurn kPhase1Back = {
    "L+;R-;P-;L-;R+;",
    "L+;R-;P*;L-;R+;",
    "L+;R-;P+;L-;R+;",
};
// Chosen by the quarter turns owed to the left centre, 1-3.
inline constexpr ByTurn kPhase1Left = {
    "F+;P-;L-;F-;P+;",
    "F+;P-;L*;F-;P+;",
    "F+;P-;L+;F-;P+;",
};

// Phase 2: the top and left centres together, then what is owed to the bottom centre.
inline constexpr ByTurn kPhase2Top = {
    "L+;R-;T-;L-;R+;",
    "L+;R-;T*;L-;R+;",
    "L+;R-;T+;L-;R+;",
};
inline constexpr ByTurn kPhase2Left = {
    "B+;T-;L-;B-;T+;",
    "B+;T-;L*;B-;T+;",
    "B+;T-;L+;B-;T+;",
};
// Chosen by the quarter turns owed to the bottom centre, 1-3.
inline constexpr ByTurn kPhase2Bottom = {
    "R+;L-;B-;R-;L+;",
    "R+;L-;B*;R-;L+;",
    "R+;L-;B+;R-;L+;",
};

// Phase 3, left centre by its turn 1-3: with the top centre at 0, and with it off.
struct LeftRow {
    int leftTurn;
    std::string_view topUpright;
    std::string_view topOff;
};
inline constexpr std::array<LeftRow, 3> kPhase3Left = {{
    { 1, "R-;L+;B+;R+;L-;P-;F+;B-;T+;L-;B+;T-;P+;F-;", "L+;R-;F-;P+;T+;B-;L-;T-;B+;F+;P-;L-;R+;T+;" },
    { 2, "L+;P+;F+;L*;P-;F-;L+;P+;F+;L*;P-;F-;", "L+;P+;F+;L*;P-;F-;L+;P+;F+;L*;P-;F-;" },
    { 3, "F+;P-;T+;B-;L+;T-;B+;F-;P+;L+;R-;B-;L-;R+;", "T-;R-;L+;P+;F-;B-;T+;L+;B+;T-;P-;F+;R+;L-;" },
}};

// Phase 3, top centre: a quarter turn either way, and the half turn by the bottom
// centre (0 or 1, or 2 or 3).
inline constexpr std::string_view kPhase3TopQuarter = "R+;L-;F*;P*;R+;L-;T-;R+;L-;F*;P*;R+;L-;B+;";
inline constexpr std::string_view kPhase3TopHalfBottomLow = "T+;R+;L+;T*;R-;L-;T+;R+;L+;T*;R-;L-;";
inline constexpr std::string_view kPhase3TopHalfBottomHigh = "F*;R*;L*;P*;B*;F*;R*;L*;P*;T*;";
inline constexpr std::string_view kPhase3TopThreeQuarters = "R+;L-;F*;P*;R+;L-;T+;R+;L-;F*;P*;R+;L-;B-;";

// Phase 3, bottom centre: a half turn.
inline constexpr std::string_view kPhase3BottomHalf = "B+;R+;L+;B*;R-;L-;B+;R+;L+;B*;R-;L-;";

// A paired turn of two opposite faces, as its two moves.
struct PairTurn { std::string_view first, second; };
// Top and bottom: T- B+, T* B*, T+ B- for 1, 2, 3 quarter turns back.
inline constexpr std::array<PairTurn, 3> kTopBottomBack = {{
    { "T-", "B+" },
    { "T*", "B*" },
    { "T+", "B-" },
}};
// Back and front: P- F+, P* F*, P+ F- for 1, 2, 3 quarter turns back.
inline constexpr std::array<PairTurn, 3> kBackFrontBack = {{
    { "P-", "F+" },
    { "P*", "F*" },
    { "P+", "F-" },
}};

}  // namespace velmora::centre
