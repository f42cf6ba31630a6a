// Eight-corner method, stage 5: the four bottom edges into their slots with twist 0.
//
// The corners are done and at least three upper edge slots are correct. The upper edge
// slot that is not correct (the free slot) is the working space: most formulas take a
// pre-turn that brings it to column 1, pass the bottom edge through it and leave the
// corners and the correct upper edges as they were.
//
// Target column of a bottom edge of home column h: ((h - h41) mod 4) + 1, where h41 is
// the home column of the bottom corner in slot 41; a bottom slot 5c is correct when it
// holds the bottom edge of target column c with twist 0.
#include "solvers/eightcorner/ec_lower_edges.h"

#include <cstddef>

#include "model/tarnex_source.h"
#include "solvers/eightcorner/ec_common.h"

namespace velmora {
namespace {

using namespace lower_edges;

constexpr int kMaxPasses = 51;

// The slot holds a bottom edge with this twist and target column.
bool HoldsBottomEdge(const CTarnexSource& m, int slot, int twist, int target) {
    const PieceSlot& e = ec::SlotAt(m, slot);
    return e.homeRow == ec::kBottomEdgeRow && e.twist == twist && ec::BottomTargetColumn(m, e.homeCol) == target;
}

bool FlippedInPlace(const CTarnexSource& m, int col) { return HoldsBottomEdge(m, 50 + col, 1, col); }

// Bottom slots 5x and 5y each hold the bottom edge that belongs over the other's corner.
bool ExchangedPair(const CTarnexSource& m, int x, int y) {
    const PieceSlot& ex = m.cube.pieces[5][x];
    const PieceSlot& ey = m.cube.pieces[5][y];
    return ex.homeRow == ec::kBottomEdgeRow && ey.homeRow == ec::kBottomEdgeRow && ex.homeCol == m.cube.pieces[4][y].homeCol &&
           ey.homeCol == m.cube.pieces[4][x].homeCol;
}

bool AllBottomSlotsHoldBottomEdges(const CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c)
        if (m.cube.pieces[5][c].homeRow != ec::kBottomEdgeRow) return false;
    return true;
}

// The line for the twists (0 or 1) of the two exchanged edges. Only the low bit of each
// is used, so a state with a stray twist still reads inside the table.
const ExchangedPairFormula& ByTwists(const std::array<ExchangedPairFormula, 4>& table, int a, int b) {
    return table[static_cast<std::size_t>(2 * (a & 1) + (b & 1))];
}

struct Selection {
    PreTurn preTurn = kNone;
    std::string_view formula;
};

// Step 1: three or four bottom edges flipped in place. When three are flipped and the
// fourth bottom slot holds an edge that is not a bottom edge, no line applies and the
// pass goes on to the later steps, which bring that edge home first.
bool SelectFlippedInPlace(const CTarnexSource& m, Selection& out) {
    int flipped = 0;
    for (int c = 1; c <= 4; ++c) flipped += FlippedInPlace(m, c) ? 1 : 0;
    if (flipped < 3) return false;
    for (const FlippedInPlaceLine& line : kFlippedInPlace) {
        bool applies = line.correctSlot == 0 ? flipped == 4 : ec::BottomEdgeCorrect(m, line.correctSlot % 10);
        if (applies) {
            out = {line.preTurn, line.formula};
            return true;
        }
    }
    return false;
}

// Step 2: exchanged pairs, brought to 51/52 or 51/53 by a bottom turn first.
bool SelectExchangedPair(CTarnexSource& m, Selection& out) {
    if (!AllBottomSlotsHoldBottomEdges(m)) return false;
    if (!ExchangedPair(m, 1, 2)) {
        if (ExchangedPair(m, 2, 3)) m.ApplyToken("B-");
        else if (ExchangedPair(m, 3, 4)) m.ApplyToken("B*");
        else if (ExchangedPair(m, 4, 1)) m.ApplyToken("B+");
    }
    if (ExchangedPair(m, 1, 2)) {
        const ExchangedPairFormula& f =
            ByTwists(kExchangedNeighbours, m.cube.pieces[5][1].twist, m.cube.pieces[5][2].twist);
        out = {f.preTurn, f.formula};
        return true;
    }
    if (!ExchangedPair(m, 1, 3) && ExchangedPair(m, 2, 4)) m.ApplyToken("B-");
    if (ExchangedPair(m, 1, 3)) {
        const ExchangedPairFormula& f =
            ByTwists(kExchangedOpposites, m.cube.pieces[5][1].twist, m.cube.pieces[5][3].twist);
        out = {f.preTurn, f.formula};
        return true;
    }
    return false;
}

bool FlippedPairMatches(const CTarnexSource& m, const FlippedPairRule& p) {
    return FlippedInPlace(m, p.slotA % 10) && FlippedInPlace(m, p.slotB % 10);
}

constexpr ec::FirstRuleIndex kRuleIndex(kRules);

// Place of the first rule that comes after the flipped pairs.
constexpr std::size_t PairsPlace() {
    for (std::size_t i = 0; i < kRules.size(); ++i)
        if (kRules[i].id == kFirstRuleAfterPairs) return i;
    return kRules.size();
}
constexpr std::size_t kPairsAt = PairsPlace();
static_assert(kPairsAt < kRules.size(), "the flipped pairs come before a rule of the list");

// Step 3: rules E1-E98 with the flipped pairs in their place.
bool SelectRule(const CTarnexSource& m, Selection& out) {
    const std::size_t best = kRuleIndex.Find(m, ec::kBottomEdgeRow, m.cube.pieces[4][1].homeCol);
    if (best >= kPairsAt) {
        for (const FlippedPairRule& pair : kFlippedPairs) {
            if (FlippedPairMatches(m, pair)) {
                out = {kFreeSlot, pair.formula};
                return true;
            }
        }
    }
    if (best == kRules.size()) return false;
    out = {kRules[best].preTurn, kRules[best].formula};
    return true;
}

}  // namespace

void CTarnexSource::EightCornerLowerEdges() {
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        Selection chosen;
        bool found = SelectFlippedInPlace(*this, chosen) || SelectExchangedPair(*this, chosen) ||
                     SelectRule(*this, chosen);
        if (!found) return;
        if (chosen.preTurn == kFreeSlot) ec::RunFromFreeSlot(*this, chosen.formula);
        else RunMoveString(0, chosen.formula);
    }
}

}  // namespace velmora
