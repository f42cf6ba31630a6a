// Stage 1 of the group method: the four top edges (row 1).
//
// The stage works in a frame S: top edges already placed sit S columns on from their
// homes (piece 1n at slot 1(n+S)), so that edges can be inserted beside one another
// before the top is turned back. A pending top turn R (quarter turns "T+", taken mod 4)
// moves the frame so that the next edge can go up with one turn of a side face. The
// steps of one iteration form a fixed decision list, tested in order.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_slots.h"

namespace velmora {
namespace {

using namespace group;

constexpr int kTopEdgeIterations = 51;

// Three top slots solved, the missing edge flipped in the bottom row away from its
// home column: a bottom turn (by the bottom slot 51-54 holding it) and a half turn.
struct LastEdgeRow {
    int missing;
    std::array<std::string_view, 4> bottomTurn;  // for slots 51, 52, 53, 54
    std::string_view halfTurn;
};

constexpr std::array<LastEdgeRow, 4> kLastEdgeFromBottom = {{
    { 14, {"B-", "B*", "B+", ""}, "L*" },
    { 11, {"", "B-", "B*", "B+"}, "F*" },
    { 12, {"B+", "", "B-", "B*"}, "R*" },
    { 13, {"B*", "B+", "", "B-"}, "P*" },
}};

// Frame of the placed top edges: the first slot holding its piece with twist 0.
struct FrameRow {
    int slot;
    int piece;
    int frame;
};

constexpr std::array<FrameRow, 15> kFrames = {{
    { 12, 11, 1 }, { 13, 11, 2 }, { 14, 11, 3 },
    { 12, 12, 0 }, { 13, 12, 1 }, { 14, 12, 2 }, { 11, 12, 3 },
    { 13, 13, 0 }, { 14, 13, 1 }, { 11, 13, 2 }, { 12, 13, 3 },
    { 14, 14, 0 }, { 11, 14, 1 }, { 12, 14, 2 }, { 13, 14, 3 },
}};

// No placed edge: bring a top edge up from the middle or bottom row.
struct BringUpRow {
    int slot;
    std::array<std::string_view, 2> flipped;    // twist 1
    std::array<std::string_view, 2> unflipped;  // twist 0
};

constexpr std::array<BringUpRow, 8> kBringUp = {{
    { 31, {"F-", ""}, {"R+", ""} },
    { 32, {"R-", ""}, {"P+", ""} },
    { 33, {"P-", ""}, {"L+", ""} },
    { 34, {"L-", ""}, {"F+", ""} },
    { 51, {"F*", ""}, {"F-", "R+"} },
    { 52, {"R*", ""}, {"R+", "F-"} },
    { 53, {"P*", ""}, {"P+", "R-"} },
    { 54, {"L*", ""}, {"L-", "F+"} },
}};

// One turn of a side face takes the edge straight home.
struct DirectRow {
    int slot;
    int piece;
    int twist;
    std::string_view token;
};

constexpr std::array<DirectRow, 12> kDirectOneToken = {{
    { 31, 11, 1, "F-" }, { 31, 12, 0, "R+" },
    { 32, 12, 1, "R-" }, { 32, 13, 0, "P+" },
    { 33, 13, 1, "P-" }, { 33, 14, 0, "L+" },
    { 34, 14, 1, "L-" }, { 34, 11, 0, "F+" },
    { 51, 11, 1, "F*" },
    { 52, 12, 1, "R*" },
    { 53, 13, 1, "P*" },
    { 54, 14, 1, "L*" },
}};

// An unflipped edge in the bottom row beside its home column: two turns, and a third
// that turns the first side face back when its top slot was solved.
struct TwoTokenRow {
    int slot;
    int piece;  // with twist 0
    std::string_view first, second;
    int keptSlot;
    std::string_view restore;
};

constexpr std::array<TwoTokenRow, 8> kDirectTwoTokens = {{
    { 51, 12, "F-", "R+", 11, "F+" }, { 51, 14, "F+", "L-", 11, "F-" },
    { 52, 13, "R-", "P+", 12, "R+" }, { 52, 11, "R+", "F-", 12, "R-" },
    { 53, 14, "P-", "L+", 13, "P+" }, { 53, 12, "P+", "R-", 13, "P-" },
    { 54, 11, "L-", "F+", 14, "L+" }, { 54, 13, "L+", "P-", 14, "L-" },
}};

// Clearing the way: a side face whose bottom or top slot holds a top edge while its
// top slot is unsolved is turned once.
struct ClearRow {
    int bottomSlot;
    int topSlot;
    std::string_view token;
};

constexpr std::array<ClearRow, 4> kClearTheWay = {{
    { 51, 11, "F+" }, { 52, 12, "R+" }, { 53, 13, "P+" }, { 54, 14, "L+" },
}};

// Aligning the bottom: a top edge in the bottom row is turned under a column from which
// a direct insertion takes it up. Slots in order 51-54.
struct AlignRow {
    int slot;
    int piece;
    int twist;
    std::string_view token;
};

constexpr std::array<AlignRow, 24> kAlignBottom = {{
    { 51, 11, 0, "B+" }, { 51, 12, 1, "B+" }, { 51, 13, 0, "B+" }, { 51, 13, 1, "B*" }, { 51, 14, 1, "B-" },
    { 52, 13, 1, "B+" }, { 52, 14, 1, "B*" }, { 52, 11, 1, "B-" }, { 52, 12, 0, "B-" }, { 52, 14, 0, "B-" },
    { 53, 14, 1, "B+" }, { 53, 11, 1, "B*" }, { 53, 12, 0, "B*" }, { 53, 14, 0, "B*" },
    { 53, 11, 0, "B-" }, { 53, 12, 1, "B-" }, { 53, 13, 0, "B-" },
    { 54, 11, 1, "B+" }, { 54, 12, 0, "B+" }, { 54, 14, 0, "B+" },
    { 54, 11, 0, "B*" }, { 54, 12, 1, "B*" }, { 54, 13, 0, "B*" }, { 54, 13, 1, "B-" },
}};

// Shifted insertion: for the side face X of top slot 1m, the middle slot A that X+
// takes up with its twist kept, the middle slot B that X- takes up flipped, and the
// bottom slot under it.
struct SideFace {
    std::string_view plus, minus, half;
    int a, b, bottom;
};

constexpr std::array<SideFace, 4> kSideFaces = {{
    { "F+", "F-", "F*", 34, 31, 51 },
    { "R+", "R-", "R*", 31, 32, 52 },
    { "P+", "P-", "P*", 32, 33, 53 },
    { "L+", "L-", "L*", 33, 34, 54 },
}};

// The last top edge, flipped in the bottom row: true when its two turns applied.
bool LastEdgeFromBottom(CTarnexSource& m) {
    for (const LastEdgeRow& row : kLastEdgeFromBottom) {
        bool othersSolved = true;
        for (int s = 11; s <= 14; ++s)
            if (s != row.missing && !SlotSolved(m, s)) othersSolved = false;
        if (!othersSolved) continue;
        for (int c = 1; c <= 4; ++c) {
            if (row.bottomTurn[c - 1].empty()) continue;
            if (Holds(m, 50 + c, row.missing, 1)) {
                m.ApplyToken(row.bottomTurn[c - 1]);
                m.ApplyToken(row.halfTurn);
                return true;
            }
        }
    }
    return false;
}

// The frame of the placed top edges, -1 when none of the listed slots holds its top
// edge unflipped. Slot 11 holding 11/0 is not listed: a solved slot 11 means frame 0
// only when no top turn is pending, which the iteration tests before this.
int FindFrame(const CTarnexSource& m) {
    for (const FrameRow& row : kFrames)
        if (Holds(m, row.slot, row.piece, 0)) return row.frame;
    return -1;
}

void BringUpTopEdge(CTarnexSource& m) {
    for (const BringUpRow& row : kBringUp) {
        if (row.slot == 54 && !HoldsRow(m, 54, 1)) break;
        if (!HoldsRow(m, row.slot, 1)) continue;
        const auto& tokens = TwistAt(m, row.slot) == 1 ? row.flipped : row.unflipped;
        ApplyIf(m, tokens[0]);
        ApplyIf(m, tokens[1]);
        return;
    }
    // Slot 54 holds no top edge either.
    if (!SlotSolved(m, 11)) {
        m.ApplyToken("R-");
        m.ApplyToken("F-");
    }
}

// Columns (1-3) by which the top must turn so that the next top edge can go up with
// one side turn; 0 when no such turn is due.
int ScheduleTopTurn(const CTarnexSource& m) {
    int target = 0, piece = 0;
    for (int c = 1; c <= 4 && target == 0; ++c) {
        int slot = 30 + c;
        if (!HoldsRow(m, slot, 1)) continue;
        piece = At(m, slot).homeCol;
        target = TwistAt(m, slot) == 1 ? c : CycleColumn(c, 1);
    }
    for (int c = 1; c <= 4 && target == 0; ++c) {
        int slot = 50 + c;
        if (!HoldsRow(m, slot, 1) || TwistAt(m, slot) != 1) continue;
        piece = At(m, slot).homeCol;
        target = c;
    }
    if (target == 0) return 0;
    return ColumnSteps(target, piece);
}

// Direct insertions of one or two side turns: true when one applied.
bool DirectInsertion(CTarnexSource& m) {
    for (const DirectRow& row : kDirectOneToken) {
        if (Holds(m, row.slot, row.piece, row.twist)) {
            m.ApplyToken(row.token);
            return true;
        }
    }
    for (const TwoTokenRow& row : kDirectTwoTokens) {
        if (Holds(m, row.slot, row.piece, 0)) {
            bool keep = SlotSolved(m, row.keptSlot);
            m.ApplyToken(row.first);
            m.ApplyToken(row.second);
            if (keep) m.ApplyToken(row.restore);
            return true;
        }
    }
    return false;
}

// Clears a side face, or aligns the bottom row; nothing when no rule applies.
void ClearTheWay(CTarnexSource& m) {
    for (const ClearRow& row : kClearTheWay) {
        if ((HoldsRow(m, row.bottomSlot, 1) || HoldsRow(m, row.topSlot, 1)) && !SlotSolved(m, row.topSlot)) {
            m.ApplyToken(row.token);
            return;
        }
    }
    for (const AlignRow& row : kAlignBottom) {
        if (Holds(m, row.slot, row.piece, row.twist)) {
            m.ApplyToken(row.token);
            return;
        }
    }
}

}  // namespace

void CTarnexSource::GroupTopEdges() {
    int pending = 0;  // R: quarter turns "T+" owed, 0-6
    int frame = 0;    // S: column shift of the placed top edges
    for (int iteration = 1; iteration <= kTopEdgeIterations; ++iteration) {
        if (LastEdgeFromBottom(*this)) continue;

        if (group::SlotSolved(*this, 11) && pending == 0) {
            frame = 0;
        } else {
            ApplyIf(*this, TopTurnFor(pending));
            int found = FindFrame(*this);
            if (found < 0) {
                BringUpTopEdge(*this);
                pending = 0;
                continue;
            }
            frame = found;
            if (frame != 0) GroupTopEdgesShifted(frame);
        }

        if (group::RowSolved(*this, 1)) return;

        int k = ScheduleTopTurn(*this);
        if (k != 0) {
            pending = frame + k;
            continue;
        }

        // Turn the placed edges back home.
        ApplyIf(*this, TopTurnFor(frame));
        pending = 0;

        if (DirectInsertion(*this)) continue;
        ClearTheWay(*this);
    }
}

void CTarnexSource::GroupTopEdgesShifted(int k) {
    for (int n = 1; n <= 4; ++n) {
        const int m = CycleColumn(n, k);
        const int top = 10 + m;
        const int piece = 10 + n;
        if (Holds(*this, top, piece, 0)) continue;
        const SideFace& x = kSideFaces[m - 1];
        if (Holds(*this, x.a, piece, 0)) {
            ApplyToken(x.plus);
        } else if (Holds(*this, x.b, piece, 1)) {
            ApplyToken(x.minus);
        } else if (Holds(*this, x.bottom, piece, 1)) {
            ApplyToken(x.half);
        } else if (!HoldsRow(*this, x.a, 1) && !HoldsRow(*this, x.b, 1) &&
                   ((HoldsRow(*this, x.bottom, 1) && TwistAt(*this, x.bottom) == 0) ||
                    (HoldsRow(*this, top, 1) && TwistAt(*this, top) == 1))) {
            ApplyToken(x.plus);
        } else if (!HoldsRow(*this, x.bottom, 1) && HoldsRow(*this, top, 1)) {
            ApplyToken(x.half);
        }
    }
}

}  // namespace velmora
