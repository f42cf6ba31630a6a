// Eight-corner method, stage 1: the four bottom corners into the bottom layer, each
// with twist 0 (which bottom corner stands in which bottom slot does not matter yet).
// Each pass tests the rules in their order and applies the single moves of the first
// that applies; the stage ends when the last rule finds no bottom corner to bring over.
#include "solvers/eightcorner/ec_common.h"
#include "solvers/eightcorner/ec_tables.h"

namespace velmora {
namespace ec {
namespace {

// Rule 3, tested in this order.
constexpr std::array<WaitingCornerCase, 8> kWaitingCornerCases{{
    { "3.1", 44, 2, 41, 0, {21, 22, 23, 24}, "F-;" },
    { "3.2", 41, 2, 42, 0, {22, 23, 24, 21}, "R-;" },
    { "3.3", 42, 2, 43, 0, {23, 24, 21, 22}, "P-;" },
    { "3.4", 43, 2, 44, 0, {24, 21, 22, 23}, "L-;" },
    { "3.5", 44, 1, 43, 1, {21, 22, 23, 24}, "L+;" },
    { "3.6", 41, 1, 44, 1, {22, 23, 24, 21}, "F+;" },
    { "3.7", 42, 1, 41, 1, {23, 24, 21, 22}, "R+;" },
    { "3.8", 43, 1, 42, 1, {24, 21, 22, 23}, "P+;" },
}};
// Top turns by the index of the waiting slot in a case's search order.
constexpr std::array<std::string_view, 4> kWaitingTopTurns{"T+", "T*", "T-", ""};

// Rule 4.2 to 4.5.
constexpr std::array<OverBadSlotCase, 4> kOverBadSlotCases{{
    { 21, 41, {{ {42, "R*;"}, {44, "F*;"}, {43, "F+;L-;T*;F+;"} }}, "F+;L-;T*;L+;F+;" },
    { 22, 42, {{ {43, "P*;"}, {41, "R*;"}, {44, "R+;F-;T*;R+;"} }}, "R+;F-;T*;F+;R+;" },
    { 23, 43, {{ {44, "L*;"}, {42, "P*;"}, {41, "P+;R-;T*;P+;"} }}, "P+;R-;T*;R+;P+;" },
    { 24, 44, {{ {41, "F*;"}, {43, "L*;"}, {42, "L+;P-;T*;L+;"} }}, "L+;P-;T*;P+;L+;" },
}};

// Rule 5.
constexpr std::array<TwistedBottomCase, 8> kTwistedBottomCases{{
    { 41, 1, 44, "F+;", "F+;R+;T-;R-;" },
    { 41, 2, 42, "R-;", "R-;F-;T+;F+;" },
    { 42, 1, 41, "R+;", "R+;P+;T-;P-;" },
    { 42, 2, 43, "P-;", "P-;R-;T+;R+;" },
    { 43, 1, 42, "P+;", "P+;L+;T-;L-;" },
    { 43, 2, 44, "L-;", "L-;P-;T+;P+;" },
    { 44, 1, 43, "L+;", "L+;F+;T-;F-;" },
    { 44, 2, 41, "F-;", "F-;L-;T+;L+;" },
}};

// Rule 6, in the order the top slots are examined (22, 23, 24, 21).
constexpr std::array<TopCornerCase, 8> kTopCornerCases{{
    { 22, 0, 42, 43, "P-;", "R-;T-;R+;", {{ {0, 43, "L+;T-;L-;"}, {0, 44, "F+;T*;F-;"}, {0, 41, "T+;F-;T-;F+;"} }}, 3 },
    { 22, 1, 42, 41, "R+;", "P+;T+;P-;", {{ {0, 43, "T+;P-;T*;P+;"}, {0, 44, "L-;T*;L+;"}, {0, 41, "F-;T+;F+;"} }}, 3 },
    { 23, 0, 43, 44, "L-;", "P-;T-;P+;", {{ {0, 44, "F+;T-;F-;"}, {0, 41, "R+;T*;R-;"}, {0, 42, "T+;R-;T-;R+;"} }}, 3 },
    { 23, 1, 43, 42, "P+;", "L+;T+;L-;", {{ {0, 44, "T+;L-;T*;L+;"}, {0, 41, "F-;T*;F+;"}, {0, 42, "R-;T+;R+;"} }}, 3 },
    { 24, 0, 44, 41, "F-;", "L-;T-;L+;", {{ {0, 41, "R+;T-;R-;"}, {0, 42, "P+;T*;P-;"}, {0, 43, "T+;P-;T-;P+;"} }}, 3 },
    { 24, 1, 44, 43, "L+;", "F+;T+;F-;", {{ {0, 41, "T+;F-;T*;F+;"}, {0, 42, "R-;T*;R+;"}, {0, 43, "P-;T+;P+;"} }}, 3 },
    { 21, 0, 41, 42, "R-;", "F-;T-;F+;", {{ {0, 42, "P+;T-;P-;"}, {0, 43, "L+;T*;L-;"}, {0, 44, "T+;L-;T-;L+;"} }}, 3 },
    { 21, 1, 41, 44, "F+;", "R+;T+;R-;", {{ {0, 42, "T+;R-;T*;R+;"}, {43, 44, "L-;T+;L+;"}, {43, 0, kGoToRule7}, {0, 43, "P-;T*;P+;"} }}, 4 },
}};

bool IsBc(const CTarnexSource& m, int slot) { return SlotAt(m, slot).homeRow == kBottomCornerRow; }
bool BcWithTwist(const CTarnexSource& m, int slot, int twist) {
    return IsBc(m, slot) && SlotAt(m, slot).twist == twist;
}
bool Good(const CTarnexSource& m, int slot) { return BottomSlotGood(m, slot % 10); }
bool Bad(const CTarnexSource& m, int slot) { return !Good(m, slot); }

// Applies the moves of a text such as "F+;L-;T*;" one by one.
void ApplySingles(CTarnexSource& m, std::string_view moves) {
    std::size_t i = 0;
    while (i < moves.size()) {
        std::size_t j = moves.find(';', i);
        if (j == std::string_view::npos) j = moves.size();
        if (j > i) m.ApplyToken(moves.substr(i, j - i));
        i = j + 1;
    }
}

// Rule 1: all four bottom slots hold bottom corners twisted the same way.
std::string_view AllTwistedAlike(const CTarnexSource& m) {
    for (int t : {1, 2}) {
        bool all = true;
        for (int s = 41; s <= 44; ++s) all = all && BcWithTwist(m, s, t);
        if (all) return t == 1 ? "F+;L+;P+;R+;" : "F-;R-;P-;L-;";
    }
    return {};
}

// Rule 2: two bottom corners with twist 2 side by side in the top layer.
std::string_view TwistTwoPair(const CTarnexSource& m) {
    auto g = [&](int s) { return Good(m, s); };
    auto b = [&](int s) { return Bad(m, s); };
    auto pair = [&](int s, int t) { return BcWithTwist(m, s, 2) && BcWithTwist(m, t, 2); };
    if (pair(21, 22)) {
        if (b(41) && b(42)) return "R*;";
        if (g(42) || g(43)) {
            if (g(43) || g(44)) return (g(44) || g(41)) ? "R*;" : "T+;F*;";
            return "T*;L*;";
        }
        return "T-;P*;";
    }
    if (pair(22, 23)) {
        if (g(42) || g(43)) {
            if (b(43) && b(44)) return "T-;L*;";
            if (b(44) && b(41)) return "T*;F*;";
            if (b(41) && b(42)) return "T+;R*;";
        }
        return "P*;";
    }
    if (pair(23, 24)) {
        if (g(43) || g(44)) {
            if (b(44) && b(41)) return "T-;F*;";
            if (b(41) && b(42)) return "T*;R*;";
            if (b(42) && b(43)) return "T+;P*;";
        }
        return "L*;";
    }
    if (pair(24, 21)) {
        if (b(44) && b(41)) return "F*;";
        if (b(41) && b(42)) return "T-;R*;";
        if (b(42) && b(43)) return "T*;P*;";
        if (g(43) || g(44)) return "F*;";
        return "T+;L*;";
    }
    return {};
}

// Rule 3: the first case with a waiting corner; applies its top turn and closing move.
bool WaitingCorner(CTarnexSource& m) {
    for (const WaitingCornerCase& c : kWaitingCornerCases) {
        if (!BcWithTwist(m, c.bottomSlot, c.bottomTwist) || !Bad(m, c.badSlot)) continue;
        for (int i = 0; i < 4; ++i) {
            if (!BcWithTwist(m, c.topOrder[i], c.waitTwist)) continue;
            if (!kWaitingTopTurns[i].empty()) m.ApplyToken(kWaitingTopTurns[i]);
            ApplySingles(m, c.closing);
            return true;
        }
    }
    return false;
}

// Rule 4: a twist-2 bottom corner in the top layer over a bad slot. With exactly one
// bad slot the first such corner is first turned over it.
bool OverBadSlot(CTarnexSource& m) {
    int badCount = 0, badCol = 0;
    for (int c = 1; c <= 4; ++c)
        if (!BottomSlotGood(m, c)) { ++badCount; badCol = c; }
    if (badCount == 1) {
        for (int x = 1; x <= 4; ++x) {
            if (!BcWithTwist(m, 20 + x, 2)) continue;
            int d = ((badCol - x) % 4 + 4) % 4;
            if (d == 1) m.ApplyToken("T-");
            else if (d == 2) m.ApplyToken("T*");
            else if (d == 3) m.ApplyToken("T+");
            break;
        }
    }
    for (const OverBadSlotCase& c : kOverBadSlotCases) {
        if (!BcWithTwist(m, c.topSlot, 2) || !Bad(m, c.badSlot)) continue;
        for (const OverBadSlotAlternative& a : c.alternatives) {
            if (Bad(m, a.bad)) {
                ApplySingles(m, a.moves);
                return true;
            }
        }
        ApplySingles(m, c.last);
        return true;
    }
    return false;
}

// Rule 5: the first twisted bottom corner in the bottom layer.
bool TwistedBottom(CTarnexSource& m) {
    for (int s = 41; s <= 44; ++s) {
        const PieceSlot& p = SlotAt(m, s);
        if (p.homeRow != kBottomCornerRow || p.twist == 0) continue;
        for (const TwistedBottomCase& c : kTwistedBottomCases) {
            if (c.slot == s && c.twist == p.twist) {
                ApplySingles(m, Bad(m, c.badSlot) ? c.closingOnly : c.otherwise);
                return true;
            }
        }
    }
    return false;
}

enum class Outcome { Applied, NotApplied, GoToRule7 };

// The twist-2 corner in slot 21 (41 is good then).
Outcome TwistTwoAt21(CTarnexSource& m) {
    if (Bad(m, 42)) {
        ApplySingles(m, Good(m, 43) ? "P+;T*;P-;R-;T-;R+;" : "T-;P*;");
        return Outcome::Applied;
    }
    if (Bad(m, 43)) {
        ApplySingles(m, Good(m, 44) ? "L+;T+;L-;P-;T-;P+;" : "T+;L*;");
        return Outcome::Applied;
    }
    if (Bad(m, 44)) {
        ApplySingles(m, "L-;T*;L+;F+;T+;F-;");
        return Outcome::Applied;
    }
    return Outcome::NotApplied;
}

// Rule 6: a bottom corner in the top layer goes down, examined slot by slot.
Outcome TopCornerDown(CTarnexSource& m) {
    for (int slot : {22, 23, 24, 21}) {
        if (!IsBc(m, slot)) continue;
        int twist = SlotAt(m, slot).twist;
        if (twist == 2) {
            if (slot != 21) continue;
            Outcome o = TwistTwoAt21(m);
            if (o != Outcome::NotApplied) return o;
            continue;
        }
        for (const TopCornerCase& c : kTopCornerCases) {
            if (c.slot != slot || c.twist != twist) continue;
            if (Bad(m, c.firstBad)) {
                ApplySingles(m, Bad(m, c.thenBad) ? c.thenMoves : c.thenElse);
                return Outcome::Applied;
            }
            for (int i = 0; i < c.otherwiseCount; ++i) {
                const TopCornerAlternative& a = c.otherwise[i];
                if ((a.good != 0 && !Good(m, a.good)) || (a.bad != 0 && !Bad(m, a.bad))) continue;
                if (a.moves == kGoToRule7) return Outcome::GoToRule7;
                ApplySingles(m, a.moves);
                return Outcome::Applied;
            }
            break;
        }
    }
    return Outcome::NotApplied;
}

// Rule 7: bring a bottom corner of the top layer to slot 21 for the next pass.
bool BringToFront(CTarnexSource& m) {
    if (IsBc(m, 22)) { m.ApplyToken("T+"); return true; }
    if (IsBc(m, 23)) { m.ApplyToken("T*"); return true; }
    if (IsBc(m, 24)) { m.ApplyToken("T-"); return true; }
    return false;
}

// One pass: applies the first rule that applies; false when nothing is left to do.
bool BottomCornerPass(CTarnexSource& m) {
    if (std::string_view moves = AllTwistedAlike(m); !moves.empty()) {
        ApplySingles(m, moves);
        return true;
    }
    if (std::string_view moves = TwistTwoPair(m); !moves.empty()) {
        ApplySingles(m, moves);
        return true;
    }
    if (WaitingCorner(m)) return true;
    if (OverBadSlot(m)) return true;
    if (TwistedBottom(m)) return true;
    if (TopCornerDown(m) == Outcome::Applied) return true;
    return BringToFront(m);
}

}  // namespace

std::span<const WaitingCornerCase> WaitingCornerCases() { return kWaitingCornerCases; }
std::span<const OverBadSlotCase> OverBadSlotCases() { return kOverBadSlotCases; }
std::span<const TwistedBottomCase> TwistedBottomCases() { return kTwistedBottomCases; }
std::span<const TopCornerCase> TopCornerCases() { return kTopCornerCases; }

}  // namespace ec

void CTarnexSource::EightCornerBottomCorners() {
    for (int pass = 0; pass < 51; ++pass)
        if (!ec::BottomCornerPass(*this)) return;
}

}  // namespace velmora
