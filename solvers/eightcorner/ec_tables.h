#pragma once
// Rows of the formula tables of the eight-corner method's corner stages and its
// three-upper-edges stage. Each table is constexpr data in its stage's translation
// unit; these accessors let the table checks read the rows in their listed order.
#include <array>
#include <span>
#include <string_view>

namespace velmora::ec {

// ---- stage 1: bottom corners ----

// Rule 3: a twisted bottom corner in bottomSlot next to the bad slot badSlot, and a
// bottom corner with waitTwist somewhere in the top layer. The top slots are searched
// in the order topOrder; the first found takes the top turn of the same index
// (T+, T*, T-, none), then the closing move runs.
struct WaitingCornerCase {
    std::string_view name;
    int bottomSlot;
    int bottomTwist;
    int badSlot;
    int waitTwist;
    std::array<int, 4> topOrder;
    std::string_view closing;
};

// Rule 5: the first bottom slot holding a twisted bottom corner. When badSlot is bad
// only the closing move runs, otherwise the moves of `otherwise`.
struct TwistedBottomCase {
    int slot;
    int twist;
    int badSlot;
    std::string_view closingOnly;
    std::string_view otherwise;
};

// Rule 6: a bottom corner with twist 0 or 1 in the top layer. When firstBad is bad:
// thenMoves if thenBad is bad, else thenElse. Otherwise the first alternative whose
// conditions hold (slot `good` good when nonzero, slot `bad` bad when nonzero) runs;
// an alternative with moves "rule 7" hands the pass to rule 7.
struct TopCornerAlternative {
    int good;
    int bad;
    std::string_view moves;
};
struct TopCornerCase {
    int slot;
    int twist;
    int firstBad;
    int thenBad;
    std::string_view thenMoves;
    std::string_view thenElse;
    std::array<TopCornerAlternative, 4> otherwise;
    int otherwiseCount;
};
inline constexpr std::string_view kGoToRule7 = "rule 7";

std::span<const WaitingCornerCase> WaitingCornerCases();
std::span<const TwistedBottomCase> TwistedBottomCases();
std::span<const TopCornerCase> TopCornerCases();

// Rule 4: a bottom corner with twist 2 in topSlot over the bad slot badSlot. The first
// alternative whose slot is bad runs; when none is, `last` runs.
struct OverBadSlotAlternative {
    int bad;
    std::string_view moves;
};
struct OverBadSlotCase {
    int topSlot;
    int badSlot;
    std::array<OverBadSlotAlternative, 3> alternatives;
    std::string_view last;
};
std::span<const OverBadSlotCase> OverBadSlotCases();

// ---- stage 2: top corner twists ----

struct TopTwistFormula {
    int id;
    std::string_view formula;
};
// Key: the twists of slots 21, 22, 23 as three decimal digits.
struct TopTwistKey {
    int key;
    int id;
    int preTurn;  // clockwise quarter turns of the top
};
std::span<const TopTwistFormula> TopTwistFormulas();
std::span<const TopTwistKey> TopTwistKeys();

// ---- stage 3: relative corner places ----

// Single moves before the formula: bottomMoves indexed by kb, then topMoves by kt
// (empty: no move).
struct CornerPlaceCase {
    int id;
    std::array<std::string_view, 4> bottomMoves;
    std::array<std::string_view, 4> topMoves;
    std::string_view formula;
};
std::span<const CornerPlaceCase> CornerPlaceCases();

// ---- stage 4: three upper edges ----

struct FlippedPairRule {
    int order;
    int slotA;
    int slotB;
    std::string_view formula;
};
// Matches when `slot` holds an upper edge with `twist` whose target column is `target`.
struct UpperEdgeRule {
    std::string_view name;
    int slot;
    int twist;
    int target;
    std::string_view formula;
};
std::span<const FlippedPairRule> FlippedPairRules();
std::span<const UpperEdgeRule> UpperEdgeRulesA();
std::span<const UpperEdgeRule> UpperEdgeRulesC();

}  // namespace velmora::ec
