// The group method's driver: orients the cube as a whole, then runs one stage per pass
// in the order top edges, top corners with middle edges, bottom corners, bottom
// edges, with the top-layer stage whenever only row 1 and row 2 are out of place.
// Stage separators in the move record: "#  " after the top edges, "## " after the
// pairs, ",# " after the bottom corners.
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_slots.h"

namespace velmora {
namespace {

using namespace group;

constexpr int kMaxPasses = 10;
constexpr int kTurnBudget = 99;  // no new pass starts beyond this many turns

constexpr std::string_view kTopEdgesDone = "#  ";
constexpr std::string_view kPairsDone = "## ";
constexpr std::string_view kBottomCornersDone = ",# ";

// Whole-cube turns (no face turns) that bring centre 1 to the top, then centre 2 to the
// front; only the first matching token of each list is applied.
void OrientWholeCube(CTarnexSource& m) {
    static constexpr std::string_view kTopFrom[7] = {"", "", "FT", "RT", "PT", "LT", "BT"};
    static constexpr std::string_view kFrontFrom[7] = {"", "", "", "RF", "PF", "LF", ""};
    if (m.cube.centres[1] != 1) {
        for (int k = 2; k <= 6; ++k) {
            if (m.cube.centres[k] == 1) {
                m.ApplyToken(kTopFrom[k]);
                break;
            }
        }
    }
    if (m.cube.centres[2] != 2) {
        for (int k = 3; k <= 5; ++k) {
            if (m.cube.centres[k] == 2) {
                m.ApplyToken(kFrontFrom[k]);
                break;
            }
        }
    }
}

// Slots 41-43 hold the corners of columns 1-3 (twist 0 when asked).
bool BottomCornersInColumns(const CTarnexSource& m, bool untwisted) {
    for (int c = 1; c <= 3; ++c) {
        const PieceSlot& p = At(m, 40 + c);
        if (p.homeCol != c || (untwisted && p.twist != 0)) return false;
    }
    return true;
}

// What the bottom-corner stage must have reached before the bottom edges run: corners
// 41-43 in their columns, edges 51 and 52 in theirs, and 41-43, 51-53 untwisted.
bool BottomCornersFinished(const CTarnexSource& m) {
    if (!BottomCornersInColumns(m, true)) return false;
    if (At(m, 51).homeCol != 1 || At(m, 52).homeCol != 2) return false;
    for (int slot : {51, 52, 53})
        if (TwistAt(m, slot) != 0) return false;
    return true;
}

// Turns the bottom so that the corner at slot 41 comes under its own column.
void AlignBottomRing(CTarnexSource& m) {
    switch (At(m, 41).homeCol) {
        case 2: m.ApplyToken("B+"); break;
        case 3: m.ApplyToken("B*"); break;
        case 4: m.ApplyToken("B-"); break;
        default: break;
    }
}

// The final test after the bottom edges: at least two bottom edges in their own column
// and at most one flipped. On a legal cube this is only true when the cube is solved;
// on a cube with an assembly error it accepts the orderly pattern the method reaches.
bool BottomEdgesFinished(const CTarnexSource& m) {
    int inColumn = 0, twists = 0;
    for (int c = 1; c <= 4; ++c) {
        if (At(m, 50 + c).homeCol == c) ++inColumn;
        twists += TwistAt(m, 50 + c);
    }
    return twists <= 1 && inColumn >= 2;
}

}  // namespace

int CTarnexSource::GroupMethod() {
    for (int pass = 0; pass < kMaxPasses && turnCounter <= kTurnBudget; ++pass) {
        OrientWholeCube(*this);

        if (group::RowSolved(*this, 3) && group::RowSolved(*this, 4) && group::RowSolved(*this, 5))
            GroupTopLayer();

        if (!group::RowSolved(*this, 1)) {
            GroupTopEdges();
            moveRecord.Append(kTopEdgesDone);
            continue;
        }
        if (!group::RowSolved(*this, 2) || !group::RowSolved(*this, 3)) {
            GroupPairs();
            moveRecord.Append(kPairsDone);
            continue;
        }
        if (!BottomCornersFinished(*this)) {
            GroupBottomCorners();
            AlignBottomRing(*this);
            moveRecord.Append(kBottomCornersDone);
        }
        if (BottomCornersInColumns(*this, true)) {
            GroupBottomEdges();
            if (BottomEdgesFinished(*this)) return 1;
        }
    }
    return -1;
}

}  // namespace velmora
