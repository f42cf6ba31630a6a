#pragma once
// Tables of the eight-corner method's stage 5 (bottom edges): the lines for bottom
// edges flipped in place, the formulas for exchanged pairs, and the rules E1-E98 with
// the flipped pairs. Kept in a header so the tests can check every row.
#include <array>
#include <string_view>

namespace velmora::lower_edges {

// Pre-turn of a formula: none, or the free-slot pre-turn.
enum PreTurn : int { kNone = 0, kFreeSlot = 1 };

// A rule: the slot holds a bottom edge with this twist and target column.
struct LowerEdgeRule {
    int id;  // the rule's number E1-E98
    int slot;
    int twist;
    int target;
    PreTurn preTurn;
    std::string_view formula;
};

// Two bottom slots each holding the bottom edge of its own column with twist 1.
struct FlippedPairRule {
    int id;
    int slotA;
    int slotB;
    std::string_view formula;
};

// Three or four bottom edges flipped in place. `correctSlot` is the bottom slot that
// must be correct for the line to apply; 0 means all four slots are flipped in place.
struct FlippedInPlaceLine {
    int correctSlot;
    PreTurn preTurn;
    std::string_view formula;
};

// An exchanged pair, chosen by the twists of its two slots (00, 01, 10, 11).
struct ExchangedPairFormula {
    int twistA;
    int twistB;
    PreTurn preTurn;
    std::string_view formula;
};

inline constexpr std::array<FlippedInPlaceLine, 5> kFlippedInPlace{{
    {51, kFreeSlot, "T+;F+;P+;R-;F+;P-;T-;L-;R+;F-;L-;R+;B-;P*;"},
    {52, kFreeSlot, "T0;R+;L+;P-;R+;L-;T-;F-;P+;R-;F-;P+;B-;L*;"},
    {53, kFreeSlot, "T-;P+;F+;L-;P+;F-;T-;R-;L+;P-;R-;L+;B-;F*;"},
    {54, kFreeSlot, "T*;L+;R+;F-;L+;R-;T-;P-;F+;L-;P-;F+;B-;R*;"},
    {0, kNone, "F*;L*;F*;B*;F+;P-;L+;F-;P+;B*;F*;L*;F*;"},
}};

// Pair 51/52 exchanged.
inline constexpr std::array<ExchangedPairFormula, 4> kExchangedNeighbours{{
    {0, 0, kFreeSlot, "T0;F+;B-;F-;L*;T-;F-;T+;F+;L*;"},
    {0, 1, kNone, "F+;R+;T+;F*;T-;F-;R-;B-;F*;"},
    {1, 0, kNone, "R-;F-;T-;R*;T+;R+;F+;T+;F*;"},
    {1, 1, kFreeSlot, "T0;R-;F+;T*;B*;P-;L+;"},
}};

// Pair 51/53 exchanged.
inline constexpr std::array<ExchangedPairFormula, 4> kExchangedOpposites{{
    {0, 0, kNone, "L*;T*;R*;T*;L*;"},
    {0, 1, kNone, "L+;B*;L-;F-;B-;L-;F*;L+;F+;"},
    {1, 0, kNone, "R+;B*;R-;P-;B-;R-;P*;R+;P+;"},
    {1, 1, kFreeSlot, "T+;F-;B+;L+;T*;B*;R-;B-;P+;"},
}};

// Rules E1-E98 in their order; the flipped pairs E21-E26 are tried where they stand,
// between E20 and E27.
inline constexpr std::array<LowerEdgeRule, 92> kRules{{
    {1, 11, 0, 1, kNone, "F+;T-;B+;R-;"},
    {2, 12, 0, 2, kNone, "R+;T-;B+;P-;"},
    {3, 13, 0, 3, kNone, "P+;T-;B+;L-;"},
    {4, 14, 0, 4, kNone, "L+;T-;B+;F-;"},
    {5, 31, 0, 3, kFreeSlot, "T*;P-;T*;B*;F+;"},
    {6, 31, 1, 3, kFreeSlot, "T*;P+;T+;B-;R-;"},
    {7, 31, 0, 4, kFreeSlot, "T+;L-;T-;B+;F+;"},
    {8, 31, 1, 4, kFreeSlot, "T+;L+;T*;B*;R-;"},
    {9, 32, 0, 1, kFreeSlot, "T0;F-;T-;B+;R+;"},
    {10, 32, 1, 1, kFreeSlot, "T0;F+;T*;B*;P-;"},
    {11, 32, 0, 4, kFreeSlot, "T+;L-;T*;B*;R+;"},
    {12, 32, 1, 4, kFreeSlot, "T+;L+;T+;B-;P-;"},
    {13, 33, 0, 1, kFreeSlot, "T0;F-;T*;B*;P+;"},
    {14, 33, 1, 1, kFreeSlot, "T0;F+;T+;B-;L-;"},
    {15, 33, 0, 2, kFreeSlot, "T-;R-;T-;B+;P+;"},
    {16, 33, 1, 2, kFreeSlot, "T-;R+;T*;B*;L-;"},
    {17, 34, 0, 2, kFreeSlot, "T-;R-;T*;B*;L+;"},
    {18, 34, 1, 2, kFreeSlot, "T-;R+;T+;B-;F-;"},
    {19, 34, 0, 3, kFreeSlot, "T*;P-;T-;B+;L+;"},
    {20, 34, 1, 3, kFreeSlot, "T*;P+;T*;B*;F-;"},
    {27, 11, 0, 2, kNone, "T-;R-;T+;B-;F+;"},
    {28, 11, 0, 4, kNone, "T+;L+;T-;B+;F-;"},
    {29, 12, 0, 1, kNone, "T+;F+;T-;B+;R-;"},
    {30, 12, 0, 3, kNone, "T-;P-;T+;B-;R+;"},
    {31, 13, 0, 2, kNone, "T+;R+;T-;B+;P-;"},
    {32, 13, 0, 4, kNone, "T-;L-;T+;B-;P+;"},
    {33, 14, 0, 1, kNone, "T-;F-;T+;B-;L+;"},
    {34, 14, 0, 3, kNone, "T+;P+;T-;B+;L-;"},
    {35, 51, 0, 3, kNone, "L*;T*;R*;T*;L*;"},
    {36, 52, 0, 4, kNone, "F*;T*;P*;T*;F*;"},
    {37, 53, 0, 1, kNone, "L*;T*;R*;T*;L*;"},
    {38, 54, 0, 2, kNone, "F*;T*;P*;T*;F*;"},
    {39, 31, 0, 1, kFreeSlot, "T+;B-;L-;T-;B+;F+;"},
    {40, 31, 1, 1, kFreeSlot, "T*;B*;P+;T+;B-;R-;"},
    {41, 31, 0, 2, kFreeSlot, "T+;B*;L-;T-;B+;F+;"},
    {42, 31, 1, 2, kFreeSlot, "T+;B*;L+;T*;B*;R-;"},
    {43, 32, 0, 2, kFreeSlot, "T0;B-;F-;T-;B+;R+;"},
    {44, 32, 1, 2, kFreeSlot, "T0;B-;F+;T*;B*;P-;"},
    {45, 32, 0, 3, kFreeSlot, "T0;B*;F-;T-;B+;R+;"},
    {46, 32, 1, 3, kFreeSlot, "T0;B*;F+;T*;B*;P-;"},
    {47, 33, 0, 3, kFreeSlot, "T0;B*;F-;T*;B*;P+;"},
    {48, 33, 1, 3, kFreeSlot, "T0;B*;F+;T+;B-;L-;"},
    {49, 33, 0, 4, kFreeSlot, "T0;B+;F-;T*;B*;P+;"},
    {50, 33, 1, 4, kFreeSlot, "T0;B+;F+;T+;B-;L-;"},
    {51, 34, 0, 1, kFreeSlot, "T*;B*;P-;T-;B+;L+;"},
    {52, 34, 1, 1, kFreeSlot, "T-;B+;R+;T+;B-;F-;"},
    {53, 34, 0, 4, kFreeSlot, "T*;B-;P-;T-;B+;L+;"},
    {54, 34, 1, 4, kFreeSlot, "T-;B*;R+;T+;B-;F-;"},
    {55, 11, 0, 3, kNone, "T+;B+;L+;T-;B+;F-;"},
    {56, 12, 0, 4, kNone, "T+;B+;F+;T-;B+;R-;"},
    {57, 13, 0, 1, kNone, "T+;B+;R+;T-;B+;P-;"},
    {58, 14, 0, 2, kNone, "T+;B+;P+;T-;B+;L-;"},
    {59, 51, 1, 3, kFreeSlot, "T0;F+;R-;L+;B-;R+;L-;"},
    {60, 51, 0, 4, kFreeSlot, "T0;L+;F+;T-;B+;R-;F-;"},
    {61, 52, 0, 1, kFreeSlot, "T-;F+;R+;T-;B+;P-;R-;"},
    {62, 52, 1, 4, kFreeSlot, "T-;R+;F+;P-;B-;F-;P+;"},
    {63, 53, 1, 1, kFreeSlot, "T0;R-;L+;B+;R+;L-;F-;"},
    {64, 53, 0, 4, kFreeSlot, "T*;L-;P-;T+;B-;R+;P+;"},
    {65, 54, 0, 1, kFreeSlot, "T+;F-;L-;T+;B-;P+;L+;"},
    {66, 54, 1, 2, kFreeSlot, "T-;F+;P-;B+;F-;P+;R-;"},
    {67, 11, 1, 1, kNone, "F+;T+;B-;L*;T-;B+;F+;"},
    {68, 12, 1, 2, kNone, "F+;L*;P*;R*;P*;L*;F+;"},
    {69, 13, 1, 3, kNone, "F+;R*;L*;P*;R*;L*;F+;"},
    {70, 14, 1, 4, kNone, "F+;L*;F*;L*;F*;L*;F+;"},
    {71, 51, 1, 1, kFreeSlot, "T0;F+;T*;B*;P*;T-;B+;L+;"},
    {72, 51, 0, 2, kFreeSlot, "T0;R*;P*;L*;B+;F*;L*;P*;"},
    {73, 52, 1, 2, kFreeSlot, "T-;R+;T*;B*;L*;T-;B+;F+;"},
    {74, 52, 0, 3, kFreeSlot, "T-;P*;L*;F*;B+;R*;F*;L*;"},
    {75, 53, 1, 3, kFreeSlot, "T*;P+;T*;B*;F*;T-;B+;R+;"},
    {76, 54, 0, 3, kFreeSlot, "T+;P*;R*;F*;B-;L*;F*;R*;"},
    {77, 54, 1, 4, kFreeSlot, "T+;L+;T*;B*;R*;T-;B+;P+;"},
    {78, 11, 1, 2, kNone, "B+;P*;L*;T*;L*;P*;B*;R*;"},
    {79, 11, 1, 3, kNone, "P*;T*;L*;T*;L*;T*;L*;P*;"},
    {80, 11, 1, 4, kNone, "B+;L*;T*;F*;L*;B*;R*;P*;"},
    {81, 12, 1, 1, kNone, "B+;F*;T*;R*;F*;B*;P*;L*;"},
    {82, 12, 1, 3, kNone, "B+;L*;F*;T*;F*;L*;B*;P*;"},
    {83, 12, 1, 4, kNone, "L*;T*;F*;T*;F*;T*;F*;L*;"},
    {84, 13, 1, 1, kNone, "F*;T*;L*;T*;L*;T*;L*;F*;"},
    {85, 13, 1, 2, kNone, "B+;L*;T*;P*;L*;B*;R*;F*;"},
    {86, 13, 1, 4, kNone, "B+;F*;L*;T*;L*;F*;B*;R*;"},
    {87, 14, 1, 1, kNone, "B+;R*;F*;T*;F*;R*;B*;P*;"},
    {88, 14, 1, 2, kNone, "R*;T*;F*;T*;F*;T*;F*;R*;"},
    {89, 14, 1, 3, kNone, "B+;F*;T*;L*;F*;B*;P*;R*;"},
    {90, 52, 1, 1, kNone, "F*;T-;R+;T+;B-;F-;B+;F*;"},
    {91, 52, 1, 3, kNone, "P*;T+;R-;T-;B+;P+;B-;P*;"},
    {92, 53, 1, 4, kNone, "L*;T+;P-;T-;B+;L+;B-;L*;"},
    {93, 54, 1, 1, kNone, "F*;T+;L-;T-;B+;F+;B-;F*;"},
    {94, 51, 1, 2, kFreeSlot, "T*;R*;T+;F-;T-;B+;R+;B-;R*;"},
    {95, 51, 1, 4, kFreeSlot, "T+;F+;T+;B-;P-;T-;B+;L+;F-;"},
    {96, 53, 0, 2, kFreeSlot, "T0;F-;R+;F+;R-;L+;B-;L-;F+;"},
    {97, 53, 1, 2, kFreeSlot, "T-;P+;T+;B-;F-;T-;B+;R+;P-;"},
    {98, 54, 1, 3, kFreeSlot, "T*;L+;T+;B-;R-;T-;B+;P+;L-;"},
}};

inline constexpr std::array<FlippedPairRule, 6> kFlippedPairs{{
    {21, 51, 52, "T-;F+;R+;T*;B*;L*;T-;B+;F+;L-;"},
    {22, 52, 53, "T-;P-;R+;T-;B+;P*;T*;B*;F+;R+;"},
    {23, 53, 54, "T+;P+;L-;T+;B-;P*;T*;B*;F-;L-;"},
    {24, 54, 51, "T+;F-;L-;T*;B*;R*;T+;B-;F-;R+;"},
    {25, 51, 53, "T0;F+;T*;P-;T-;B-;F*;B*;L-;T*;P*;R-;"},
    {26, 52, 54, "T0;L+;B-;F-;T+;B-;L*;T*;B*;R-;B+;F-;"},
}};

// The flipped pairs are tried just before the first rule numbered above them.
inline constexpr int kFirstRuleAfterPairs = 27;

}  // namespace velmora::lower_edges
