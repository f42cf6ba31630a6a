#pragma once
// Positions with a single layer out of place, built piece by piece, for the tests of
// the group method's case-number stages.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_cases.h"

namespace velmora::group {
// Table rows print as their case and formula in test names and failures.
inline void PrintTo(const BottomCornerFormula& f, std::ostream* os) {
    *os << f.caseNumber << " k " << f.offset << " " << f.formula;
}
inline void PrintTo(const CaseFormula& f, std::ostream* os) { *os << f.caseNumber << " " << f.formula; }
}  // namespace velmora::group

namespace velmora::test {

// Fills the four slots of one row with the pieces of home columns cols[0..3] of the
// same row and twists twists[0..3].
inline void SetRow(CubeState& s, int row, const std::array<int, 4>& cols,
                   const std::array<int, 4>& twists) {
    for (int c = 1; c <= 4; ++c) s.pieces[row][c] = PieceSlot{row, cols[c - 1], twists[c - 1]};
}

// True when the arrangement of four columns is an odd permutation.
inline bool IsOdd(const std::array<int, 4>& cols) {
    int inversions = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (cols[i] > cols[j]) ++inversions;
    return inversions % 2 != 0;
}

inline bool SlotSolved(const CubeState& s, int row, int col) {
    const PieceSlot& p = s.pieces[row][col];
    return p.homeRow == row && p.homeCol == col && p.twist == 0;
}

inline bool RowSolved(const CubeState& s, int row) {
    for (int c = 1; c <= 4; ++c)
        if (!SlotSolved(s, row, c)) return false;
    return true;
}

// Column 1-4 reached n places after col, cyclically.
inline int After(int col, int n) { return ((col - 1 + n) % 4 + 4) % 4 + 1; }

// The column (1-4) missing from three distinct columns.
inline int Missing(int a, int b, int c) { return 10 - a - b - c; }

// Fails unless the formula is a sequence of move-table tokens, each ended by ";"; a
// leading "T0" (a top move of no turn, merged with a pre-turn) is allowed.
inline void ExpectTableTokens(const CTarnexSource& m, std::string_view formula) {
    ASSERT_FALSE(formula.empty());
    EXPECT_EQ(formula.back(), ';') << formula;
    std::size_t start = 0;
    bool first = true;
    while (start < formula.size()) {
        std::size_t end = formula.find(';', start);
        if (end == std::string_view::npos) end = formula.size();
        std::string_view token = formula.substr(start, end - start);
        if (!(first && token == "T0")) {
            EXPECT_GE(m.FindToken(token), 0) << "token " << token << " in " << formula;
        }
        first = false;
        start = end + 1;
    }
}

// The pattern of a twist case, as the ring reads it from its rotation's first slot.
inline constexpr std::array<std::array<int, 4>, 9> kCanonicalTwists = {{
    {}, {0, 0, 0, 0}, {2, 2, 2, 0}, {1, 1, 1, 0}, {1, 2, 1, 2},
    {1, 1, 2, 2}, {0, 0, 2, 1}, {2, 0, 0, 1}, {0, 2, 0, 1}}};
// Rotations under which each twist case is listed (its pattern repeats otherwise).
inline constexpr std::array<int, 9> kTwistRotations = {0, 1, 4, 4, 2, 4, 4, 4, 4};

// Twists in slot order whose ring, read from slot d+1 on, is the pattern of case e.
inline std::array<int, 4> TwistsOfCase(int e, int d) {
    std::array<int, 4> t{};
    for (int i = 0; i < 4; ++i) t[(d + i) % 4] = kCanonicalTwists[e][i];
    return t;
}

// (a, b) offsets of the second and third corner of the ring for order case h (1-6).
inline constexpr std::array<std::array<int, 2>, 7> kOrderOffsets = {{
    {}, {1, 2}, {2, 3}, {3, 1}, {2, 1}, {1, 3}, {3, 2}}};

// Columns in slot order with the ring read from slot d+1 on starting at column x and
// in order case h.
inline std::array<int, 4> ColumnsOfCase(int h, int d, int x) {
    std::array<int, 4> cols{};
    const int y = After(x, kOrderOffsets[h][0]), z = After(x, kOrderOffsets[h][1]);
    cols[d % 4] = x;
    cols[(d + 1) % 4] = y;
    cols[(d + 2) % 4] = z;
    cols[(d + 3) % 4] = Missing(x, y, z);
    return cols;
}

// The trailing entry a stage appended to methodIdText after the text it held before.
inline std::string EntryAfter(const CTarnexSource& m, std::size_t before) {
    return std::string(m.methodIdText.view().substr(before));
}

}  // namespace velmora::test
