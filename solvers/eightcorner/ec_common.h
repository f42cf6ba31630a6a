#pragma once
// Terms shared by the stages of the eight-corner method.
//
// Columns run 1-4 around the cube (F R P L); column 4 is followed by column 1. A top
// corner slot 2c carries stickers (T, side c, side c+1), a bottom corner slot 4c carries
// (side c, B, side c+1), so two neighbouring corners 2c/2(c+1) meet on side c+1 with
// sticker 3 of the first and sticker 2 of the second; 4c/4(c+1) with stickers 3 and 1.
//
// Edges are "correct" relative to the corners of their own layer: the top and bottom
// layers are turned home only when the whole cube is done.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora::ec {

// Home rows by kind of piece.
inline constexpr int kUpperEdgeRow = 1;
inline constexpr int kTopCornerRow = 2;
inline constexpr int kMiddleEdgeRow = 3;
inline constexpr int kBottomCornerRow = 4;
inline constexpr int kBottomEdgeRow = 5;

// The column after c (1-4, wrapping).
inline int NextColumn(int c) { return c % 4 + 1; }

inline const PieceSlot& SlotAt(const CTarnexSource& m, int slotCode) {
    return m.cube.pieces[slotCode / 10][slotCode % 10];
}

// Slot 4c holds a bottom corner with twist 0.
inline bool BottomSlotGood(const CTarnexSource& m, int c) {
    const PieceSlot& p = m.cube.pieces[4][c];
    return p.homeRow == kBottomCornerRow && p.twist == 0;
}

// Upper edge slot 1c holds an upper edge with twist 0 whose home column is that of the
// top corner now in slot 2c.
inline bool UpperEdgeCorrect(const CTarnexSource& m, int c) {
    const PieceSlot& e = m.cube.pieces[1][c];
    return e.homeRow == kUpperEdgeRow && e.twist == 0 && e.homeCol == m.cube.pieces[2][c].homeCol;
}

// Bottom edge slot 5c holds a bottom edge with twist 0 whose home column is that of the
// bottom corner now in slot 4c.
inline bool BottomEdgeCorrect(const CTarnexSource& m, int c) {
    const PieceSlot& e = m.cube.pieces[5][c];
    return e.homeRow == kBottomEdgeRow && e.twist == 0 && e.homeCol == m.cube.pieces[4][c].homeCol;
}

inline int CountCorrectUpperEdges(const CTarnexSource& m) {
    int n = 0;
    for (int c = 1; c <= 4; ++c) n += UpperEdgeCorrect(m, c) ? 1 : 0;
    return n;
}

inline int CountCorrectBottomEdges(const CTarnexSource& m) {
    int n = 0;
    for (int c = 1; c <= 4; ++c) n += BottomEdgeCorrect(m, c) ? 1 : 0;
    return n;
}

// The corners in columns c and c+1 of a corner row (2 top, 4 bottom) show the same
// colour on their common side face.
inline bool CornersMatch(const CTarnexSource& m, int row, int c) {
    int d = NextColumn(c);
    if (row == kTopCornerRow) return m.StickerColour(2, c, 3) == m.StickerColour(2, d, 2);
    return m.StickerColour(4, c, 3) == m.StickerColour(4, d, 1);
}

// Number of matching neighbour pairs (c, c+1) of a corner row, c = 1-4.
inline int CountMatchingPairs(const CTarnexSource& m, int row) {
    int n = 0;
    for (int c = 1; c <= 4; ++c) n += CornersMatch(m, row, c) ? 1 : 0;
    return n;
}

// Target column of an upper edge of home column h: the column of the top slot where it
// is correct, relative to the top corner in slot 21.
inline int UpperTargetColumn(const CTarnexSource& m, int h) {
    return ((h - m.cube.pieces[2][1].homeCol) & 3) + 1;  // & 3: the difference mod 4
}

// Target column of a bottom edge of home column h, relative to the corner in slot 41.
inline int BottomTargetColumn(const CTarnexSource& m, int h) {
    return ((h - m.cube.pieces[4][1].homeCol) & 3) + 1;
}

// Rules that each ask one slot to hold an edge of one kind with a given twist and
// target column, indexed by what they ask: for each slot (row * 5 + column) and each
// wanted twist * 8 + target, the place of the first such rule in table order, or N.
// The first rule the position satisfies is then the smallest place over the slots.
template <class Rule, std::size_t N>
struct FirstRuleIndex {
    static_assert(N < 255, "places are held in eight bits");
    std::uint8_t first[30][16] = {};
    constexpr explicit FirstRuleIndex(const std::array<Rule, N>& rules) {
        for (auto& slot : first)
            for (auto& cell : slot) cell = static_cast<std::uint8_t>(N);
        for (std::size_t i = N; i-- > 0;) {
            if (rules[i].slot / 10 % 2 == 0) throw "edge rules name edge slots";
            first[rules[i].slot / 10 * 5 + rules[i].slot % 10][rules[i].twist * 8 + rules[i].target] =
                static_cast<std::uint8_t>(i);
        }
    }
    // Place of the first rule satisfied by the edges of home row `kind`, whose target
    // columns are counted from the home column `origin` (of the corner in slot 21 or 41).
    std::size_t Find(const CTarnexSource& m, int kind, int origin) const {
        std::size_t best = N;
        for (int r = 1; r <= 5; r += 2)
            for (int c = 1; c <= 4; ++c) {
                const PieceSlot& e = m.cube.pieces[r][c];
                if (e.homeRow != kind || static_cast<unsigned>(e.twist) > 1) continue;
                const std::size_t at = first[r * 5 + c][e.twist * 8 + ((e.homeCol - origin) & 3) + 1];
                if (at < best) best = at;
            }
        return best;
    }
};

// Column of the free slot: the first upper edge slot that is not correct; column 1
// when all four are correct.
inline int FreeSlotColumn(const CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c)
        if (!UpperEdgeCorrect(m, c)) return c;
    return 1;
}

// The pending-turn argument of RunMoveString for a pre-turn of n clockwise quarter
// turns of the top (the engine counts owed turns anticlockwise).
inline int PendingForPreTurn(int n) { return ((4 - n) % 4 + 4) % 4; }

// A formula can take a pre-turn when it begins with a top move (T+, T*, T- or the
// carrier T0) that the engine merges the pre-turn into.
inline bool TakesPreTurn(std::string_view formula) {
    return formula.size() >= 2 && formula[0] == 'T' &&
           (formula[1] == '+' || formula[1] == '*' || formula[1] == '-' || formula[1] == '0');
}

// Runs a formula after n clockwise quarter turns of the top, merged into its leading
// top move. Returns the turns applied. A formula that does not begin with a top move
// is run without the pre-turn rather than have the engine merge it into a bottom move.
inline int RunWithPreTurn(CTarnexSource& m, int n, std::string_view formula) {
    if (n % 4 != 0 && !TakesPreTurn(formula)) return m.RunMoveString(0, formula);
    return m.RunMoveString(PendingForPreTurn(n), formula);
}

// Runs a formula with the free-slot pre-turn: the free slot comes to column 1.
inline int RunFromFreeSlot(CTarnexSource& m, std::string_view formula) {
    return RunWithPreTurn(m, FreeSlotColumn(m) - 1, formula);
}

// Appends a stage's ID line ("第N阶段ID:%d    ") or, when the ID has no table entry, a
// single blank.
inline void AppendStageId(CTarnexSource& m, int stage, int id, bool found) {
    if (found) {
        m.methodIdText.AppendCut("第");
        m.methodIdText.AppendInt(stage);
        m.methodIdText.AppendCut("阶段ID:");
        m.methodIdText.AppendInt(id);
        m.methodIdText.AppendCut("    ");
    } else {
        m.methodIdText.Append(' ');
    }
}

// True when every token of a formula is in the move table (used by the table checks).
inline bool FormulaUsesTableTokens(const CTarnexSource& m, std::string_view formula) {
    std::size_t i = 0;
    bool any = false;
    while (i < formula.size()) {
        std::size_t j = i;
        while (j < formula.size() && formula[j] != ';' && formula[j] != ',') ++j;
        std::string_view tok = formula.substr(i, j - i);
        if (tok.empty()) return false;
        // The carrier T0 stands only at the front, where the pre-turn merge consumes it.
        if (!(i == 0 && tok == "T0") && m.FindToken(tok) < 0) return false;
        any = true;
        if (j == formula.size()) return false;  // every token ends with its separator
        i = j + 1;
    }
    return any;
}

}  // namespace velmora::ec
