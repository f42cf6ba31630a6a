// Stage 2 of the group method: the four top corners with their middle edges.
//
// The tool is a set of three or four tokens: a bottom turn, a side turn, a bottom turn
// and the side turn undone. A corner and its edge in the bottom layer in a matching
// arrangement go home with one set; the other classes bring a pair a step nearer to
// such an arrangement. Classes, tested in this order each iteration:
//   a  corner and edge in a one-set arrangement: one set takes them home;
//   b  a top corner in row 2 with its edge in row 5: the corner goes down beside it;
//   c  corner and edge both in the bottom layer otherwise: they are rearranged;
//   d  a middle edge in row 3 over its corner in row 4: the edge goes down;
//   e  an unflipped middle edge whose corner stands unturned in another top slot: a
//      top turn brings the corner over it, both go down, the top turns back;
//   f  otherwise the corner of the first unsolved pair's top slot goes down.
// Every class leaves row 1 as it found it.
#include <array>
#include <cstdint>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_pairs.h"

namespace velmora {
namespace group {
namespace {

constexpr int kPairIterations = 51;

// Class a, by bottom corner slot 41-44, sixteen arrangements each in the order tested.
constexpr auto kOneSet = std::to_array<OneSetRow>({
    { 41, 21, 0, 52, 31, 1, {"B-", "R-", "B+", "R+"} },
    { 41, 21, 0, 54, 31, 0, {"F+", "B+", "F-"} },
    { 41, 21, 2, 51, 31, 0, {"B+", "F+", "B-", "F-"} },
    { 41, 21, 2, 53, 31, 1, {"R-", "B-", "R+"} },
    { 41, 22, 0, 52, 32, 1, {"P-", "B+", "P+"} },
    { 41, 22, 0, 54, 32, 0, {"B+", "R+", "B+", "R-"} },
    { 41, 22, 2, 51, 32, 0, {"B-", "R+", "B*", "R-"} },
    { 41, 22, 2, 53, 32, 1, {"B+", "P-", "B-", "P+"} },
    { 41, 23, 0, 52, 33, 1, {"L-", "B*", "L+"} },
    { 41, 23, 0, 54, 33, 0, {"B*", "P+", "B+", "P-"} },
    { 41, 23, 2, 51, 33, 0, {"P+", "B*", "P-"} },
    { 41, 23, 2, 53, 33, 1, {"B*", "L-", "B-", "L+"} },
    { 41, 24, 0, 52, 34, 1, {"B+", "F-", "B*", "F+"} },
    { 41, 24, 0, 54, 34, 0, {"B-", "L+", "B+", "L-"} },
    { 41, 24, 2, 51, 34, 0, {"L+", "B-", "L-"} },
    { 41, 24, 2, 53, 34, 1, {"B-", "F-", "B-", "F+"} },
    { 42, 21, 0, 51, 31, 0, {"B-", "F+", "B+", "F-"} },
    { 42, 21, 0, 53, 31, 1, {"B+", "R-", "B*", "R+"} },
    { 42, 21, 2, 52, 31, 0, {"F+", "B-", "F-"} },
    { 42, 21, 2, 54, 31, 1, {"B-", "R-", "B-", "R+"} },
    { 42, 22, 0, 51, 32, 0, {"R+", "B+", "R-"} },
    { 42, 22, 0, 53, 32, 1, {"B-", "P-", "B+", "P+"} },
    { 42, 22, 2, 52, 32, 0, {"B+", "R+", "B-", "R-"} },
    { 42, 22, 2, 54, 32, 1, {"P-", "B-", "P+"} },
    { 42, 23, 0, 51, 33, 0, {"B+", "P+", "B+", "P-"} },
    { 42, 23, 0, 53, 33, 1, {"L-", "B+", "L+"} },
    { 42, 23, 2, 52, 33, 0, {"B-", "P+", "B*", "P-"} },
    { 42, 23, 2, 54, 33, 1, {"B+", "L-", "B-", "L+"} },
    { 42, 24, 0, 51, 34, 0, {"B*", "L+", "B+", "L-"} },
    { 42, 24, 0, 53, 34, 1, {"F-", "B*", "F+"} },
    { 42, 24, 2, 52, 34, 0, {"L+", "B*", "L-"} },
    { 42, 24, 2, 54, 34, 1, {"B*", "F-", "B-", "F+"} },
    { 43, 21, 0, 52, 31, 0, {"B*", "F+", "B+", "F-"} },
    { 43, 21, 0, 54, 31, 1, {"R-", "B*", "R+"} },
    { 43, 21, 2, 51, 31, 1, {"B*", "R-", "B-", "R+"} },
    { 43, 21, 2, 53, 31, 0, {"F+", "B*", "F-"} },
    { 43, 22, 0, 52, 32, 0, {"B-", "R+", "B+", "R-"} },
    { 43, 22, 0, 54, 32, 1, {"B+", "P-", "B*", "P+"} },
    { 43, 22, 2, 51, 32, 1, {"B-", "P-", "B-", "P+"} },
    { 43, 22, 2, 53, 32, 0, {"R+", "B-", "R-"} },
    { 43, 23, 0, 52, 33, 0, {"P+", "B+", "P-"} },
    { 43, 23, 0, 54, 33, 1, {"B-", "L-", "B+", "L+"} },
    { 43, 23, 2, 51, 33, 1, {"L-", "B-", "L+"} },
    { 43, 23, 2, 53, 33, 0, {"B+", "P+", "B-", "P-"} },
    { 43, 24, 0, 52, 34, 0, {"B+", "L+", "B+", "L-"} },
    { 43, 24, 0, 54, 34, 1, {"F-", "B+", "F+"} },
    { 43, 24, 2, 51, 34, 1, {"B+", "F-", "B-", "F+"} },
    { 43, 24, 2, 53, 34, 0, {"B-", "L+", "B*", "L-"} },
    { 44, 21, 0, 51, 31, 1, {"R-", "B+", "R+"} },
    { 44, 21, 0, 53, 31, 0, {"B+", "F+", "B+", "F-"} },
    { 44, 21, 2, 52, 31, 1, {"B+", "R-", "B-", "R+"} },
    { 44, 21, 2, 54, 31, 0, {"B-", "F+", "B*", "F-"} },
    { 44, 22, 0, 51, 32, 1, {"P-", "B*", "P+"} },
    { 44, 22, 0, 53, 32, 0, {"B*", "R+", "B+", "R-"} },
    { 44, 22, 2, 52, 32, 1, {"B*", "P-", "B-", "P+"} },
    { 44, 22, 2, 54, 32, 0, {"R+", "B*", "R-"} },
    { 44, 23, 0, 51, 33, 1, {"B+", "L-", "B*", "L+"} },
    { 44, 23, 0, 53, 33, 0, {"B-", "P+", "B+", "P-"} },
    { 44, 23, 2, 52, 33, 1, {"B-", "L-", "B-", "L+"} },
    { 44, 23, 2, 54, 33, 0, {"P+", "B-", "P-"} },
    { 44, 24, 0, 51, 34, 1, {"B-", "F-", "B+", "F+"} },
    { 44, 24, 0, 53, 34, 0, {"L+", "B+", "L-"} },
    { 44, 24, 2, 52, 34, 1, {"F-", "B-", "F+"} },
    { 44, 24, 2, 54, 34, 0, {"B+", "L+", "B-", "L-"} },
});
static_assert(kOneSet.size() == 64);

// Class b, by top slot 21-24 and the corner's twist.
constexpr auto kLowerCorner = std::to_array<LowerCornerRow>({
    { 21, 0, 54, {"R-", "B+", "R+"}, 53, {"F+", "B-", "F-"} },
    { 21, 1, 51, {"F+", "B+", "F-"}, 52, {"F+", "B+", "F-"} },
    { 21, 2, 51, {"R-", "B-", "R+"}, 52, {"R-", "B-", "R+"} },
    { 22, 0, 51, {"P-", "B+", "P+"}, 54, {"R+", "B-", "R-"} },
    { 22, 1, 52, {"R+", "B+", "R-"}, 53, {"R+", "B+", "R-"} },
    { 22, 2, 52, {"P-", "B-", "P+"}, 53, {"P-", "B-", "P+"} },
    { 23, 0, 52, {"L-", "B+", "L+"}, 51, {"P+", "B-", "P-"} },
    { 23, 1, 53, {"P+", "B+", "P-"}, 54, {"P+", "B+", "P-"} },
    { 23, 2, 53, {"L-", "B-", "L+"}, 54, {"L-", "B-", "L+"} },
    { 24, 0, 53, {"F-", "B+", "F+"}, 52, {"L+", "B-", "L-"} },
    { 24, 1, 54, {"L+", "B+", "L-"}, 51, {"L+", "B+", "L-"} },
    { 24, 2, 54, {"F-", "B-", "F+"}, 51, {"F-", "B-", "F+"} },
});
static_assert(kLowerCorner.size() == 12);

// Class c, edge twist 0, by pair and corner twist.
constexpr auto kBottomPairs0 = std::to_array<BottomPairRow>({
    { 1, 0, {{ { 44, {"F+", "B-", "F-"} }, { 42, {"R-", "B*", "R+"} }, { 42, {"R-", "B+", "R+"} }, { 41, {"F+", "B+", "F-"} } }} },
    { 1, 1, {{ { 41, {"F+", "B*", "F-"} }, { 42, {"R-", "B-", "P-", "B+", "P+", "R+"} }, { 43, {"F+", "B+", "F-"} }, { 42, {"F+", "B*", "F-"} } }} },
    { 1, 2, {{ { 0, {} }, { 41, {"R-", "B+", "R+"} }, { 44, {"F+", "B*", "F-"} }, { 44, {"F+", "B+", "F-"} } }} },
    { 2, 0, {{ { 41, {"R+", "B-", "R-"} }, { 43, {"P-", "B*", "P+"} }, { 43, {"P-", "B+", "P+"} }, { 42, {"R+", "B+", "R-"} } }} },
    { 2, 1, {{ { 42, {"R+", "B*", "R-"} }, { 43, {"P-", "B-", "L-", "B+", "L+", "P+"} }, { 44, {"R+", "B+", "R-"} }, { 43, {"R+", "B*", "R-"} } }} },
    { 2, 2, {{ { 0, {} }, { 42, {"P-", "B+", "P+"} }, { 41, {"R+", "B*", "R-"} }, { 41, {"R+", "B+", "R-"} } }} },
    { 3, 0, {{ { 42, {"P+", "B-", "P-"} }, { 44, {"L-", "B*", "L+"} }, { 44, {"L-", "B+", "L+"} }, { 43, {"P+", "B+", "P-"} } }} },
    { 3, 1, {{ { 43, {"P+", "B*", "P-"} }, { 44, {"L-", "B-", "F-", "B+", "F+", "L+"} }, { 41, {"P+", "B+", "P-"} }, { 44, {"P+", "B*", "P-"} } }} },
    { 3, 2, {{ { 0, {} }, { 43, {"L-", "B+", "L+"} }, { 42, {"P+", "B*", "P-"} }, { 42, {"P+", "B+", "P-"} } }} },
    { 4, 0, {{ { 43, {"L+", "B-", "L-"} }, { 41, {"F-", "B*", "F+"} }, { 41, {"F-", "B+", "F+"} }, { 44, {"L+", "B+", "L-"} } }} },
    { 4, 1, {{ { 44, {"L+", "B*", "L-"} }, { 41, {"F-", "B-", "R-", "B+", "R+", "F+"} }, { 42, {"L+", "B+", "L-"} }, { 41, {"L+", "B*", "L-"} } }} },
    { 4, 2, {{ { 0, {} }, { 44, {"F-", "B+", "F+"} }, { 43, {"L+", "B*", "L-"} }, { 43, {"L+", "B+", "L-"} } }} },
});
static_assert(kBottomPairs0.size() == 12);

// Class c, edge twist 1, by pair and corner twist.
constexpr auto kBottomPairs1 = std::to_array<BottomPairRow>({
    { 1, 0, {{ { 41, {"F+", "B-", "F-"} }, { 0, {} }, { 42, {"R-", "B-", "R+"} }, { 42, {"R-", "B*", "R+"} } }} },
    { 1, 1, {{ { 44, {"F+", "B+", "L+", "B-", "L-", "F-"} }, { 41, {"R-", "B*", "R+"} }, { 44, {"R-", "B*", "R+"} }, { 43, {"R-", "B-", "R+"} } }} },
    { 1, 2, {{ { 44, {"F+", "B*", "F-"} }, { 42, {"R-", "B+", "R+"} }, { 41, {"R-", "B-", "R+"} }, { 44, {"F+", "B-", "F-"} } }} },
    { 2, 0, {{ { 42, {"R+", "B-", "R-"} }, { 0, {} }, { 43, {"P-", "B-", "P+"} }, { 43, {"P-", "B*", "P+"} } }} },
    { 2, 1, {{ { 41, {"R+", "B+", "F+", "B-", "F-", "R-"} }, { 42, {"P-", "B*", "P+"} }, { 41, {"P-", "B*", "P+"} }, { 44, {"P-", "B-", "P+"} } }} },
    { 2, 2, {{ { 41, {"R+", "B*", "R-"} }, { 43, {"P-", "B+", "P+"} }, { 42, {"P-", "B-", "P+"} }, { 41, {"R+", "B-", "R-"} } }} },
    { 3, 0, {{ { 43, {"P+", "B-", "P-"} }, { 0, {} }, { 44, {"L-", "B-", "L+"} }, { 44, {"L-", "B*", "L+"} } }} },
    { 3, 1, {{ { 42, {"P+", "B+", "R+", "B-", "R-", "P-"} }, { 43, {"L-", "B*", "L+"} }, { 42, {"L-", "B*", "L+"} }, { 41, {"L-", "B-", "L+"} } }} },
    { 3, 2, {{ { 42, {"P+", "B*", "P-"} }, { 44, {"L-", "B+", "L+"} }, { 43, {"L-", "B-", "L+"} }, { 42, {"P+", "B-", "P-"} } }} },
    { 4, 0, {{ { 44, {"L+", "B-", "L-"} }, { 0, {} }, { 41, {"F-", "B-", "F+"} }, { 41, {"F-", "B*", "F+"} } }} },
    { 4, 1, {{ { 43, {"L+", "B+", "P+", "B-", "P-", "L-"} }, { 44, {"F-", "B*", "F+"} }, { 43, {"F-", "B*", "F+"} }, { 42, {"F-", "B-", "F+"} } }} },
    { 4, 2, {{ { 43, {"L+", "B*", "L-"} }, { 41, {"F-", "B+", "F+"} }, { 44, {"F-", "B-", "F+"} }, { 43, {"L+", "B-", "L-"} } }} },
});
static_assert(kBottomPairs1.size() == 12);

// Class d, by the middle slot of the edge.
constexpr auto kMiddleEdge = std::to_array<MiddleEdgeRow>({
    { 31, {{ { 42, {"R-", "B+", "R+"} }, { 41, {"B+", "F+", "B-", "F-"} }, { 44, {"R-", "B-", "R+"} }, { 42, {"R-", "B-", "R+"} }, { 41, {"R-", "B+", "R+"} }, { 44, {"F+", "B+", "F-"} } }} },
    { 32, {{ { 43, {"P-", "B+", "P+"} }, { 41, {"B-", "R+", "B*", "R-"} }, { 41, {"P-", "B-", "P+"} }, { 43, {"P-", "B-", "P+"} }, { 42, {"R+", "B-", "R-"} }, { 41, {"R+", "B+", "R-"} } }} },
    { 33, {{ { 44, {"L-", "B+", "L+"} }, { 41, {"P+", "B*", "P-"} }, { 42, {"L-", "B-", "L+"} }, { 44, {"L-", "B-", "L+"} }, { 43, {"L-", "B+", "L+"} }, { 42, {"P+", "B+", "P-"} } }} },
    { 34, {{ { 41, {"F-", "B+", "F+"} }, { 41, {"L+", "B-", "L-"} }, { 43, {"F-", "B-", "F+"} }, { 41, {"F-", "B-", "F+"} }, { 44, {"L+", "B-", "L-"} }, { 43, {"L+", "B+", "L-"} } }} },
});
static_assert(kMiddleEdge.size() == 4);

// Class e: the set that takes corner 2m and the edge at 3m down together, by 3m.
constexpr auto kPairTakeDown = std::to_array<TokenList>({
    {"R-", "B-", "R+"},
    {"R+", "B+", "R-"},
    {"L-", "B-", "L+"},
    {"L+", "B+", "L-"},
});

// Class f: the set that takes the corner of top slot 2m down, by that corner's twist.
constexpr auto kTakeDown = std::to_array<TakeDownRow>({
    { 21, {{ {"R-", "B+", "R+"}, {"R-", "B+", "R+"}, {"F+", "B-", "F-"} }} },
    { 22, {{ {"R+", "B-", "R-"}, {"P-", "B+", "P+"}, {"R+", "B-", "R-"} }} },
    { 23, {{ {"L-", "B+", "L+"}, {"L-", "B+", "L+"}, {"P+", "B-", "P-"} }} },
    { 24, {{ {"L+", "B-", "L-"}, {"F-", "B+", "F+"}, {"L+", "B-", "L-"} }} },
});

// Twists read from the cube index the tables; the model keeps them in range, and a
// slot outside it is passed over rather than read past a table's end.
bool CornerTwistOk(int t) { return t >= 0 && t <= 2; }
bool EdgeTwistOk(int t) { return t == 0 || t == 1; }

// The bottom turn that brings the corner now at bottom slot `from` to slot `target`.
void TurnCornerTo(CTarnexSource& m, int from, int target) {
    ApplyIf(m, BottomTurnFor(ColumnSteps(from % 10, target % 10)));
}

// Class a's rows by the piece in their bottom corner slot: for slot 4s, corner 2c and
// twist t, the rows that want exactly that, in the table's order. The table lists its
// rows slot by slot, so taking the slots in order keeps the first match first.
struct OneSetIndex {
    std::uint8_t count[4][4][3] = {};
    std::uint8_t rows[4][4][3][16] = {};
};

constexpr OneSetIndex BuildOneSetIndex() {
    OneSetIndex index;
    for (std::size_t i = 0; i < kOneSet.size(); ++i) {
        const OneSetRow& row = kOneSet[i];
        auto& n = index.count[row.cornerSlot - 41][row.corner - 21][row.cornerTwist];
        index.rows[row.cornerSlot - 41][row.corner - 21][row.cornerTwist][n++] = static_cast<std::uint8_t>(i);
    }
    return index;
}

constexpr bool RowsInSlotOrder() {
    for (std::size_t i = 1; i < kOneSet.size(); ++i)
        if (kOneSet[i].cornerSlot < kOneSet[i - 1].cornerSlot) return false;
    return true;
}
static_assert(RowsInSlotOrder(), "class a is searched slot by slot");

constexpr OneSetIndex kOneSetIndex = BuildOneSetIndex();

// Class a.
bool OneSetInsertion(CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c) {
        const PieceSlot& p = m.cube.pieces[4][c];
        if (p.homeRow != 2 || p.homeCol < 1 || p.homeCol > 4 || p.twist < 0 || p.twist > 2) continue;
        const int n = kOneSetIndex.count[c - 1][p.homeCol - 1][p.twist];
        for (int k = 0; k < n; ++k) {
            const OneSetRow& row = kOneSet[kOneSetIndex.rows[c - 1][p.homeCol - 1][p.twist][k]];
            if (Holds(m, row.edgeSlot, row.edge, row.edgeTwist)) {
                ApplyTokens(m, row.tokens);
                return true;
            }
        }
    }
    return false;
}

// Class b: the first top slot of an unsolved pair holding a top corner whose edge lies
// in the bottom row.
bool LowerTopCorner(CTarnexSource& m) {
    for (int s = 1; s <= 4; ++s) {
        const int slot = 20 + s;
        if (PairSolved(m, s) || !HoldsRow(m, slot, 2)) continue;
        const int edgeSlot = FindPiece(m, 30 + At(m, slot).homeCol);
        if (edgeSlot / 10 != 5) continue;
        const int tc = TwistAt(m, slot), te = TwistAt(m, edgeSlot);
        if (!CornerTwistOk(tc) || !EdgeTwistOk(te)) continue;
        for (const LowerCornerRow& row : kLowerCorner) {
            if (row.cornerSlot != slot || row.cornerTwist != tc) continue;
            const int target = te == 0 ? row.target0 : row.target1;
            ApplyIf(m, BottomTurnFor(ColumnSteps(edgeSlot % 10, target % 10)));
            ApplyTokens(m, te == 0 ? row.set0 : row.set1);
            return true;
        }
    }
    return false;
}

// Class c: the first pair whose corner and edge both lie in the bottom row.
bool PairInBottomRow(CTarnexSource& m) {
    for (int n = 1; n <= 4; ++n) {
        const int cornerSlot = FindPiece(m, 20 + n), edgeSlot = FindPiece(m, 30 + n);
        if (cornerSlot / 10 != 4 || edgeSlot / 10 != 5) continue;
        const int tc = TwistAt(m, cornerSlot), te = TwistAt(m, edgeSlot);
        if (!CornerTwistOk(tc) || !EdgeTwistOk(te)) continue;
        for (const BottomPairRow& row : te == 0 ? kBottomPairs0 : kBottomPairs1) {
            if (row.pair != n || row.cornerTwist != tc) continue;
            const BottomTurnCell& cell = row.byEdgeOffset[ColumnSteps(cornerSlot % 10, edgeSlot % 10)];
            if (cell.target == 0) break;  // a one-set arrangement: class a serves it
            TurnCornerTo(m, cornerSlot, cell.target);
            ApplyTokens(m, cell.tokens);
            return true;
        }
    }
    return false;
}

// Class d: the first middle slot holding a middle edge whose corner lies in the bottom
// row.
bool MiddleEdgeOverCorner(CTarnexSource& m) {
    for (int s = 1; s <= 4; ++s) {
        const int slot = 30 + s;
        if (!HoldsRow(m, slot, 3)) continue;
        const int cornerSlot = FindPiece(m, 20 + At(m, slot).homeCol);
        if (cornerSlot / 10 != 4) continue;
        const int te = TwistAt(m, slot), tc = TwistAt(m, cornerSlot);
        if (!CornerTwistOk(tc) || !EdgeTwistOk(te)) continue;
        const BottomTurnCell& cell = kMiddleEdge[s - 1].cells[te * 3 + tc];
        TurnCornerTo(m, cornerSlot, cell.target);
        ApplyTokens(m, cell.tokens);
        return true;
    }
    return false;
}

// Class e: an unflipped middle edge at 3m whose corner stands unturned in another top
// slot: the top is turned to bring the corner over 3m, both go down, the top goes back.
bool PairFromTopRow(CTarnexSource& m) {
    for (int s = 1; s <= 4; ++s) {
        const int slot = 30 + s;
        if (!HoldsRow(m, slot, 3) || TwistAt(m, slot) != 0) continue;
        const int cornerSlot = FindPiece(m, 20 + At(m, slot).homeCol);
        if (cornerSlot / 10 != 2 || cornerSlot % 10 == s || TwistAt(m, cornerSlot) != 0) continue;
        const int steps = ColumnSteps(s, cornerSlot % 10);
        m.ApplyToken(TopTurnFor(steps));
        ApplyTokens(m, kPairTakeDown[s - 1]);
        m.ApplyToken(TopTurnFor(4 - steps));
        return true;
    }
    return false;
}

// Class f: the corner of the first top slot of an unsolved pair goes down.
bool TakeCornerDown(CTarnexSource& m) {
    for (const TakeDownRow& row : kTakeDown) {
        if (PairSolved(m, row.slot % 10)) continue;
        const int tc = TwistAt(m, row.slot);
        if (!CornerTwistOk(tc)) return false;
        ApplyTokens(m, row.byTwist[tc]);
        return true;
    }
    return false;
}

}  // namespace

std::span<const OneSetRow> OneSetTable() { return kOneSet; }
std::span<const LowerCornerRow> LowerCornerTable() { return kLowerCorner; }
std::span<const BottomPairRow> BottomPairTable(int edgeTwist) {
    return edgeTwist == 0 ? std::span<const BottomPairRow>(kBottomPairs0) : std::span<const BottomPairRow>(kBottomPairs1);
}
std::span<const MiddleEdgeRow> MiddleEdgeTable() { return kMiddleEdge; }
std::span<const TokenList> PairTakeDownSets() { return kPairTakeDown; }
std::span<const TakeDownRow> TakeDownTable() { return kTakeDown; }

char PairsClassStep(CTarnexSource& m) {
    if (OneSetInsertion(m)) return 'a';
    if (LowerTopCorner(m)) return 'b';
    if (PairInBottomRow(m)) return 'c';
    if (MiddleEdgeOverCorner(m)) return 'd';
    if (PairFromTopRow(m)) return 'e';
    if (TakeCornerDown(m)) return 'f';
    return 0;
}

}  // namespace group

void CTarnexSource::GroupPairs() {
    for (int iteration = 1; iteration <= group::kPairIterations; ++iteration) {
        GroupFlipPairs();
        if (group::RowSolved(*this, 2) && group::RowSolved(*this, 3)) return;
        group::PairsClassStep(*this);
    }
}

}  // namespace velmora
