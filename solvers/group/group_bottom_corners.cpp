// Stage 3 of the group method: the four bottom corners, by case number.
//
// With rows 1-3 solved, the bottom corners form a ring whose relative order and twists
// fall into 48 cases: twist case e (1-8, with rotation d) times ring-order case h
// (1-6), case number 10e + h. Each case but 11 has one formula; it runs with the
// pre-turn d + k (quarter turns of the bottom in the "-" direction, merged into a
// leading bottom move), which brings the ring into the formula's own orientation. The
// driver then turns the bottom so that corner 41 is home.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_cases.h"

namespace velmora {
namespace {

using group::BottomCornerFormula;

// Rows: case, offset k, formula. Case 11 (corners in ring order, all twists 0) has no formula.
constexpr std::array<BottomCornerFormula, 47> kBottomCornerFormulas = {{
    {12, 2, "F*;L*;F+;R+;F-;L*;F+;R-;F+;"},
    {13, 3, "F*;L*;F+;R+;F-;L*;F+;R-;F+;"},
    {14, 0, "F*;L*;F+;R+;F-;L*;F+;R-;F+;"},
    {15, 1, "F*;L*;F+;R+;F-;L*;F+;R-;F+;"},
    {16, 0, "F+;B-;F-;B-;R*;T-;L+;P+;L-;T+;R*;"},
    {21, 0, "R-;B-;R+;B-;R-;B*;R+;"},
    {22, 3, "F-;R+;B*;R-;F+;R+;F-;B*;F+;R-;"},
    {23, 0, "B-;L-;F+;L+;F-;B*;F-;B*;F+;"},
    {24, 0, "B+;F+;B*;F-;B*;F-;R+;F+;R-;"},
    {25, 0, "R-;B+;L+;B-;R+;B+;L-;"},
    {26, 0, "L-;B-;L+;B-;R+;B-;L-;B+;R-;B*;L+;"},
    {31, 0, "B*;R-;B*;R+;B+;R-;B+;R+;"},
    {32, 0, "B+;L+;B-;R-;B+;L-;B-;R+;"},
    {33, 0, "F-;B*;F+;B*;F+;L-;F-;L+;"},
    {34, 0, "B*;R+;F-;R-;F+;B*;F+;B*;F-;"},
    {35, 3, "R+;F-;B*;F+;R-;F-;R+;B*;R-;F+;"},
    {36, 3, "L-;B*;R+;B-;L+;B+;R-;B+;L-;B+;L+;"},
    {41, 0, "B-;R-;B*;R+;B+;R-;B-;R+;B+;R-;B+;R+;"},
    {42, 2, "L-;F-;B+;R-;B-;R*;F+;L+;F-;R-;F+;"},
    {43, 0, "F-;R+;F+;R-;B*;F*;L-;F-;L+;F-;"},
    {44, 0, "L-;F-;B+;R-;B-;R*;F+;L+;F-;R-;F+;"},
    {45, 2, "F-;R+;F+;R-;B*;F*;L-;F-;L+;F-;"},
    {46, 1, "F+;T-;F*;B+;R-;B*;R+;B-;F*;T+;F-;"},
    {51, 0, "B*;F+;L-;F*;L+;B*;L+;B*;L-;F+;"},
    {52, 1, "F-;R+;F+;L-;F-;R*;B+;R+;B-;F+;L+;"},
    {53, 0, "R*;T+;L-;F-;L+;T-;R*;B-;P-;B*;P+;"},
    {54, 0, "F+;L-;F+;L+;F*;B*;R+;F-;R-;F+;"},
    {55, 1, "P-;B*;P+;B+;R*;T+;L-;F+;L+;T-;R*;"},
    {56, 0, "B*;F-;B-;F+;B-;F-;B+;R-;B+;R+;F+;"},
    {61, 1, "F-;R+;F-;R*;B+;R+;B+;R-;B-;R+;F*;"},
    {62, 0, "R-;B-;R+;B+;R+;F-;R-;F+;"},
    {63, 1, "F-;R*;F-;L*;F+;R*;F-;L*;F*;"},
    {64, 0, "B*;L+;B+;L-;B-;L-;F+;L+;F-;"},
    {65, 0, "B-;L-;B+;L+;B*;R-;L-;B+;L+;B-;R+;"},
    {66, 0, "L*;F*;R+;F-;T-;F+;T+;R-;F*;L*;"},
    {71, 1, "F*;R-;B+;R+;B-;R-;B-;R*;F+;R-;F+;"},
    {72, 0, "B*;P+;B-;F-;B+;P-;B*;R-;B+;R+;F+;"},
    {73, 2, "R*;T+;L-;F*;L+;T-;R-;B*;R-;"},
    {74, 3, "F*;L*;F+;R*;F-;L*;F+;R*;F+;"},
    {75, 2, "L*;T-;R+;F*;R-;T+;L+;B*;L+;"},
    {76, 0, "B+;F-;B-;R-;B+;R+;F+;"},
    {81, 2, "F+;R-;T*;R+;F-;B*;F+;R-;T*;R+;F-;"},
    {82, 0, "B-;F+;L-;F-;L+;B+;L+;B-;L-;"},
    {83, 0, "F-;R+;F+;R-;B-;R-;B+;R+;"},
    {84, 2, "L-;B*;L-;T-;R+;F*;R-;T+;L*;"},
    {85, 3, "R+;B*;R+;T+;L-;F*;L+;T-;R*;"},
    {86, 1, "F+;B*;F-;R+;F-;R-;F*;B*;F-;"},
}};

const BottomCornerFormula* FindBottomCornerFormula(int caseNumber) {
    for (const BottomCornerFormula& f : kBottomCornerFormulas)
        if (f.caseNumber == caseNumber) return &f;
    return nullptr;
}

}  // namespace

std::span<const BottomCornerFormula> group::BottomCornerFormulas() { return kBottomCornerFormulas; }

void CTarnexSource::GroupBottomCorners() {
    const auto& p = cube.pieces;
    const group::TwistCase tc =
        group::TwistCaseOf(p[4][1].twist, p[4][2].twist, p[4][3].twist);
    const int x = p[4][group::RingColumn(1, tc.d)].homeCol;
    const int y = p[4][group::RingColumn(1, tc.d + 1)].homeCol;
    const int z = p[4][group::RingColumn(1, tc.d + 2)].homeCol;
    const int caseNumber = 10 * tc.e + group::RingOrderCase(x, y, z);

    const BottomCornerFormula* f = FindBottomCornerFormula(caseNumber);
    if (f == nullptr) {
        methodIdText.AppendCut(" ");
        return;
    }
    methodIdText.AppendCut("第四阶段ID:");
    methodIdText.AppendInt(caseNumber);
    methodIdText.AppendCut("    ");
    RunMoveString(tc.d + f->offset, f->formula);
}

}  // namespace velmora
