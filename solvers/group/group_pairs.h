#pragma once
// The pairs stage of the group method: top corner 2m with middle edge 3m, solved
// together as pair m (1 TFR with FR, 2 TRP with RP, 3 TPL with PL, 4 TLF with LF).
// Its tables are constexpr data in group_pairs.cpp and group_flip_pairs.cpp; the
// accessors below let the tests walk them row by row.
#include <array>
#include <span>
#include <string_view>

#include "solvers/group/group_slots.h"

namespace velmora::group {

// Pair m is solved when 2m holds 2m/0 and 3m holds 3m/0; flipped when 3m holds 3m/1.
inline bool PairSolved(const CTarnexSource& m, int pair) {
    return SlotSolved(m, 20 + pair) && SlotSolved(m, 30 + pair);
}
inline bool PairFlipped(const CTarnexSource& m, int pair) {
    return SlotSolved(m, 20 + pair) && Holds(m, 30 + pair, 30 + pair, 1);
}

// One-set insertion: corner slot 4x holds corner/cornerTwist and edgeSlot holds
// edge/edgeTwist; the tokens take both home.
struct OneSetRow {
    int cornerSlot;
    int corner;
    int cornerTwist;
    int edgeSlot;
    int edge;
    int edgeTwist;
    TokenList tokens;
};

// A top corner in the top row with its edge in the bottom row: the edge is turned to
// the target slot of its twist, then the set lowers the corner beside it.
struct LowerCornerRow {
    int cornerSlot;
    int cornerTwist;
    int target0;  // for an edge with twist 0
    TokenList set0;
    int target1;  // for an edge with twist 1
    TokenList set1;
};

// A bottom turn that brings a corner to `target` (a slot 41-44), then tokens. A target
// of 0 marks an arrangement that the one-set table serves.
struct BottomTurnCell {
    int target;
    TokenList tokens;
};

// Corner and edge of one pair both in the bottom row; cells by the edge's column
// counted on from the corner's (same column, +1, +2, +3).
struct BottomPairRow {
    int pair;
    int cornerTwist;
    std::array<BottomTurnCell, 4> byEdgeOffset;
};

// A middle edge whose corner lies in the bottom row; cells in the order (edge twist,
// corner twist) = (0,0), (0,1), (0,2), (1,0), (1,1), (1,2).
struct MiddleEdgeRow {
    int edgeSlot;
    std::array<BottomTurnCell, 6> cells;
};

// Taking the corner of top slot 2m down, by its twist.
struct TakeDownRow {
    int slot;
    std::array<TokenList, 3> byTwist;
};

std::span<const OneSetRow> OneSetTable();
std::span<const LowerCornerRow> LowerCornerTable();
std::span<const BottomPairRow> BottomPairTable(int edgeTwist);
std::span<const MiddleEdgeRow> MiddleEdgeTable();
std::span<const TokenList> PairTakeDownSets();  // by middle slot 31-34 (class e)
std::span<const TakeDownRow> TakeDownTable();

// Runs the first class (a-f) of one iteration that applies; returns its letter, or 0
// when none applied.
char PairsClassStep(CTarnexSource& m);

// Flip fixer rows. The condition names the pairs it looks at: for ThreeAndSolved and
// ThreeAndNotFlipped pairA is the one pair not flipped; for TwoFlipped pairA and pairB
// are the two flipped pairs.
enum class FlipCondition { AllFour, ThreeAndSolved, ThreeAndNotFlipped, TwoFlipped };

struct FlipRow {
    FlipCondition condition;
    int pairA;
    int pairB;
    std::string_view formula;
};

std::span<const FlipRow> FlipTable();

}  // namespace velmora::group
