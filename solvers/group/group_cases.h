#pragma once
// Case numbers shared by the bottom-corner stage and the top-layer stage of the group
// method. Both classify a ring of four corners (slots r1-r4 of one corner row):
//  - the twist case e (1-8) with its rotation d (0-3): reading the four twists from
//    slot r(d+1) on, cyclically, gives the canonical pattern of case e;
//  - the ring-order case h (1-6) of three corners read from slot r(d+1) on.
#include <array>
#include <span>
#include <string_view>

namespace velmora::group {

// One twist case: its canonical pattern and, indexed by rotation d, the twist tuples
// (slot order r1, r2, r3, r4) that read as that pattern from slot r(d+1). Cases whose
// pattern repeats have fewer rotations; the first listed wins.
struct TwistCaseRow {
    int caseNumber;
    std::array<int, 4> pattern;
    int rotations;
    std::array<std::array<int, 4>, 4> tuples;
};

inline constexpr std::array<TwistCaseRow, 8> kTwistCases = {{
    {1, {0, 0, 0, 0}, 1, {{{0, 0, 0, 0}}}},
    {2, {2, 2, 2, 0}, 4, {{{2, 2, 2, 0}, {0, 2, 2, 2}, {2, 0, 2, 2}, {2, 2, 0, 2}}}},
    {3, {1, 1, 1, 0}, 4, {{{1, 1, 1, 0}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 0, 1}}}},
    {4, {1, 2, 1, 2}, 2, {{{1, 2, 1, 2}, {2, 1, 2, 1}}}},
    {5, {1, 1, 2, 2}, 4, {{{1, 1, 2, 2}, {2, 1, 1, 2}, {2, 2, 1, 1}, {1, 2, 2, 1}}}},
    {6, {0, 0, 2, 1}, 4, {{{0, 0, 2, 1}, {1, 0, 0, 2}, {2, 1, 0, 0}, {0, 2, 1, 0}}}},
    {7, {2, 0, 0, 1}, 4, {{{2, 0, 0, 1}, {1, 2, 0, 0}, {0, 1, 2, 0}, {0, 0, 1, 2}}}},
    {8, {0, 2, 0, 1}, 4, {{{0, 2, 0, 1}, {1, 0, 2, 0}, {0, 1, 0, 2}, {2, 0, 1, 0}}}},
}};

struct TwistCase {
    int e;  // 1-8
    int d;  // 0-3
};

// The twist case of the ring (t1, t2, t3) with t4 completing the sum to 0 mod 3. A
// tuple outside the table (twists out of range) counts as case 1, rotation 0.
constexpr TwistCase TwistCaseOf(int t1, int t2, int t3) {
    int t4 = ((-(t1 + t2 + t3)) % 3 + 3) % 3;
    const std::array<int, 4> tuple = {t1, t2, t3, t4};
    for (const TwistCaseRow& row : kTwistCases)
        for (int d = 0; d < row.rotations; ++d)
            if (row.tuples[d] == tuple) return {row.caseNumber, d};
    return {1, 0};
}

// The ring-order case of three corners with home columns x, y, z read in ring order:
// a = (y - x) mod 4 and b = (z - x) mod 4 name the case; any other pair is case 1.
constexpr int RingOrderCase(int x, int y, int z) {
    int a = ((y - x) % 4 + 4) % 4;
    int b = ((z - x) % 4 + 4) % 4;
    struct Pair { int a, b, h; };
    constexpr Pair kPairs[] = {{1, 2, 1}, {2, 3, 2}, {3, 1, 3}, {2, 1, 4}, {1, 3, 5}, {3, 2, 6}};
    for (const Pair& p : kPairs)
        if (p.a == a && p.b == b) return p.h;
    return 1;
}

// A formula of a case table. The bottom-corner table adds an offset k to the ring's
// rotation to form the pre-turn; the other tables carry none.
struct BottomCornerFormula {
    int caseNumber;
    int offset;
    std::string_view formula;
};
struct CaseFormula {
    int caseNumber;
    std::string_view formula;
};

// The case tables of the stages, in ascending case order; a case without a formula
// has no row.
std::span<const BottomCornerFormula> BottomCornerFormulas();
std::span<const CaseFormula> BottomEdgeFormulas();
std::span<const CaseFormula> EdgeTwistFormulas();    // top layer, step 7A
std::span<const CaseFormula> CornerTwistFormulas();  // top layer, step 7B

// Column 1-4 of the slot n places after column col, cyclically.
constexpr int RingColumn(int col, int n) { return (col - 1 + n) % 4 + 1; }

}  // namespace velmora::group
