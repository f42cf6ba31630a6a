// Top-layer stage of the group method: finishes a cube whose rows 3-5 are solved.
//
// Step 7A fixes the twists of the top edges together with the ring order of the top
// corners; step 7B then fixes the twists of the top corners together with the order
// of the top edges; a last top turn aligns the layer. Each step classifies the layer
// into one case number and runs that case's formula. A formula that begins with a top
// move runs with a pre-turn, quarter turns of the top in the "-" direction merged into
// that move ("T0;" being a top move of no turn), which brings the layer into the
// formula's own orientation; a formula without one runs as it stands.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_cases.h"

namespace velmora {
namespace {

using TopLayerFormula = group::CaseFormula;

// Step 7A, case 10h + t: edge-twist case h, corner-order case t. Case 11 (edges at
// twist 0, corners in ring order) has no formula.
constexpr std::array<TopLayerFormula, 23> kEdgeTwistFormulas = {{
    {12, "T+;R+;T-;L-;T+;R-;T-;L+;"},
    {13, "T*;R+;T-;L-;T+;R-;T-;L+;"},
    {14, "T-;R+;T-;L-;T+;R-;T-;L+;"},
    {15, "T0;R+;T-;L-;T+;R-;T-;L+;"},
    {16, "L+;F*;R*;B+;R+;B-;R+;F*;L-;"},
    {21, "T-;F+;R+;P-;R+;P+;R*;F-;"},
    {22, "T0;R-;F+;R+;F-;T-;F-;T+;F+;"},
    {23, "T0;F+;R-;F-;L+;F*;R+;F*;L-;"},
    {24, "T0;L-;T*;L+;T*;L+;F-;L-;F+;"},
    {25, "T0;F+;R*;P-;R*;F-;R+;P+;R-;"},
    {26, "T0;F+;T+;R+;T-;R-;F-;"},
    {31, "T0;F+;T+;F-;R-;L+;B+;F-;B-;R+;L-;"},
    {32, "T0;R+;T+;R-;T-;R-;F+;R+;F-;"},
    {33, "T0;F+;P+;L+;F-;T+;F+;L-;F-;T-;P-;"},
    {34, "T0;L+;T+;L-;T-;L-;P+;L+;P-;"},
    {35, "T0;F+;T-;P-;T+;R+;T+;R-;T-;F-;P+;"},
    {36, "T0;F+;R+;T+;R-;T-;F-;"},
    {41, "T0;F*;P-;R+;F-;R+;P+;T*;P-;R+;F-;P+;"},
    {42, "T-;R-;T*;F+;R+;T+;R-;T-;F*;T*;F+;R+;"},
    {43, "T0;R-;T*;F+;R+;T+;R-;T-;F*;T*;F+;R+;"},
    {44, "T+;R-;T*;F+;R+;T+;R-;T-;F*;T*;F+;R+;"},
    {45, "T*;R-;T*;F+;R+;T+;R-;T-;F*;T*;F+;R+;"},
    {46, "T0;F+;L-;P*;R-;P+;R*;P-;R+;P*;L+;F-;"},
}};

// Step 7B, case 100i + 10j + k: corner-twist case i, edge offsets j and k. Case 101
// (corner twists 0, edges in the corners' order) has no formula.
constexpr std::array<TopLayerFormula, 95> kCornerTwistFormulas = {{
    {102, "T0;P*;T-;L-;R+;P*;L+;R-;T-;P*;"},
    {103, "T0;P*;T+;L-;R+;P*;L+;R-;T+;P*;"},
    {110, "R+;L-;T*;B*;R+;L-;B-;R*;L*;T+;F*;P*;"},
    {112, "T0;R*;T-;F+;P-;R*;F-;P+;T-;R*;"},
    {113, "T0;F*;T-;R-;L+;F*;R+;L-;T-;F*;"},
    {120, "T0;R*;T+;F+;P-;R*;F-;P+;T+;R*;"},
    {121, "T0;L*;T-;F-;P+;L*;F+;P-;T-;L*;"},
    {123, "F*;R*;L*;P*;B-;F*;R*;L*;P*;"},
    {130, "T0;F*;T+;R-;L+;F*;R+;L-;T+;F*;"},
    {131, "T+;P*;T+;R+;L-;P*;R-;L+;T+;P*;"},
    {132, "R+;L-;T*;B*;R+;L-;B+;R*;L*;T-;F*;P*;"},
    {201, "T-;L-;T+;R+;T-;B-;P*;B+;L*;T*;R-;T+;L-;"},
    {202, "T0;P-;T-;P+;T-;P-;T*;P+;"},
    {203, "T-;L+;T*;L*;T*;L*;T+;L*;T+;L*;T-;L-;"},
    {210, "T0;P+;L+;T+;L-;T-;P-;L-;T-;P-;T+;P+;L+;"},
    {212, "T*;R+;T*;R-;T-;R+;T-;R-;"},
    {213, "T*;R+;L-;B-;P*;B+;L*;T-;L-;T+;R-;"},
    {220, "T-;L-;T-;L*;T+;L*;T+;L*;T*;L*;T*;L+;"},
    {221, "T*;P-;T+;F-;T-;F*;B+;R*;B-;F-;P+;"},
    {223, "T*;R+;T*;R*;T-;R*;T-;R-;T+;R-;T+;R+;"},
    {230, "T0;L+;T+;L-;P*;T-;R-;T+;R+;P*;L+;T-;L-;"},
    {231, "T0;P-;T-;P+;L*;F+;T+;F-;T-;L*;P-;T+;P+;"},
    {232, "T-;R-;F+;L-;T*;R+;L+;P-;R+;L+;B*;L-;P+;R-;"},
    {301, "T0;R+;T-;L+;T*;R*;B-;F*;T+;B+;L-;T-;R+;"},
    {302, "T-;L*;P*;R+;B*;R+;B+;R-;B+;R-;P*;L*;"},
    {303, "T-;R-;T*;R+;T+;R-;T+;R+;"},
    {310, "T-;P-;R-;T-;R+;T+;P+;R+;T+;P+;T-;P-;R-;"},
    {312, "T-;F*;R*;P-;B+;P-;B+;P+;B*;P+;R*;F*;"},
    {313, "T-;P+;T+;P-;R*;F-;T-;F+;T+;R*;P+;T-;P-;"},
    {320, "T0;R+;T+;R-;T+;R+;T*;R-;"},
    {321, "T-;R-;T-;R+;P*;T+;L+;T-;L-;P*;R-;T+;R+;"},
    {323, "T+;L-;T*;L*;T+;L*;T+;L+;T-;L+;T-;L-;"},
    {330, "T+;P+;T-;F+;T+;F*;B-;L*;B+;F+;P-;"},
    {331, "T+;R+;L-;B+;P*;B-;R*;T+;R+;T-;L+;"},
    {332, "T*;R+;T+;R-;T-;L-;T*;F*;B-;L+;B+;F*;T*;L+;"},
    {401, "T+;F+;T+;R-;B-;L+;F*;L-;F+;B+;R+;F*;T*;F-;T*;F+;"},
    {402, "T0;R+;T*;R-;T-;R+;T+;R-;T-;R+;T-;R-;"},
    {403, "T0;L-;T*;L+;T+;L-;T-;L+;T+;L-;T+;L+;"},
    {410, "T-;F+;T*;F*;T*;F-;T*;F+;T*;F-;T*;F*;T*;F+;"},
    {412, "T0;P-;T-;P+;T-;P-;T+;P+;T-;P-;T*;P+;"},
    {413, "T0;L+;T*;L-;T-;L+;T+;L-;T-;L+;T-;L-;"},
    {420, "T0;F+;T+;F-;T+;F+;T-;F-;T+;F+;T*;F-;"},
    {421, "T0;F-;T-;F+;T-;F-;T+;F+;T-;F-;T*;F+;"},
    {423, "T0;R+;P*;R-;T-;R*;L-;B+;L-;B-;R*;L-;T-;L-;"},
    {430, "T0;R-;T*;R+;T+;R-;T-;R+;T+;R-;T+;R+;"},
    {431, "T0;P+;T+;P-;T+;P+;T-;P-;T+;P+;T*;P-;"},
    {432, "T+;F-;T*;F*;T*;F+;T*;F-;T*;F+;T*;F*;T*;F-;"},
    {501, "T-;F+;P-;B-;F*;T*;F-;B+;F*;T*;P+;T-;P*;R*;P*;"},
    {502, "T*;R-;L+;F*;B+;R*;T*;R+;B-;R*;T*;L+;F*;L*;"},
    {503, "T*;R-;F*;L+;B-;L+;B+;L-;B-;L+;B+;L*;F*;R+;"},
    {510, "T*;R+;T+;P+;T-;P-;R-;L+;F+;T+;F-;T-;L-;"},
    {512, "T+;R-;T*;R*;T+;R*;T+;R*;T*;R-;"},
    {513, "T*;L*;P*;L+;T*;R*;B-;R+;T*;R*;B+;P*;R-;L+;"},
    {520, "T*;R+;T+;P+;T-;P-;R*;F-;T-;F+;T+;R+;"},
    {521, "T*;L-;T-;P-;T+;P+;L*;F+;T+;F-;T-;L-;"},
    {523, "T-;R+;F-;B*;F+;R-;T+;R+;F-;B*;F+;R-;"},
    {530, "T*;R+;P*;L*;B+;L+;B-;L-;B+;L+;B-;L+;P*;R-;"},
    {531, "T0;P+;T*;P*;T-;P*;T-;P*;T*;P+;"},
    {532, "T*;L-;T-;P-;T+;P+;R-;L+;F-;T-;F+;T+;R+;"},
    {601, "T0;F+;B-;F*;T+;L*;T-;L*;F+;T-;F*;B+;F*;"},
    {602, "T-;L*;B+;F*;B-;L+;T*;L-;B+;F*;B-;L+;T*;L+;"},
    {603, "T*;R-;T-;F+;R-;B+;R-;B-;R*;F*;T+;F+;R+;"},
    {610, "T-;R+;T+;R-;T+;R+;T*;R*;T-;R+;T-;R-;T*;R+;"},
    {612, "T-;R-;T-;F-;T-;F+;T-;R+;P-;R+;P+;R*;T-;R+;"},
    {613, "T-;F+;T+;R-;F+;B-;F+;B+;F*;R*;T-;R-;F-;"},
    {620, "T-;R+;T+;P+;T-;L+;T-;L-;T+;L-;P+;L+;P*;R-;"},
    {621, "T+;F+;L-;P*;R*;P-;B+;P+;B-;R*;P*;L+;F-;"},
    {623, "T+;R*;F*;R-;P-;R+;F*;R*;F+;R+;P+;R-;F-;"},
    {630, "T-;R*;B-;F*;B+;R-;T*;R+;B-;F*;B+;R-;T*;R-;"},
    {631, "T+;F-;R+;P*;L*;P+;B-;P-;B+;L*;P*;R-;F+;"},
    {632, "T-;L-;T-;L+;T-;L-;T*;L*;T+;L-;T+;L+;T*;L-;"},
    {701, "T*;L*;T-;F+;L*;B-;L*;B+;F*;T-;F+;T+;L*;"},
    {702, "T+;F+;R*;P-;R-;P+;T-;P+;T+;P-;T+;R-;T-;F-;"},
    {703, "T+;F-;T+;F*;R-;F-;R+;F-;T+;L-;T+;L+;T+;F+;"},
    {710, "T+;P+;T*;P-;T-;P+;T-;P*;T*;P+;T+;P-;T+;P+;"},
    {712, "T+;F+;T*;F+;B-;L*;B+;F-;T*;F+;B-;L*;B+;F*;"},
    {713, "T-;R-;P+;L*;F*;B-;L+;B+;L-;F*;L*;P-;R+;"},
    {720, "T0;F+;R+;T+;R*;F*;B-;F-;B+;F-;R+;T-;F-;"},
    {721, "T-;R-;F-;T-;F*;R*;B+;R+;B-;R+;F-;T+;R+;"},
    {723, "T-;R+;P+;L-;P-;R-;P*;R*;P-;L+;P+;R*;P*;"},
    {730, "T-;R+;F-;L*;P*;B+;L-;B-;L+;P*;L*;F+;R-;"},
    {731, "T+;P-;T*;P-;B+;L*;B-;P+;T*;P-;B+;L*;B-;P*;"},
    {732, "T+;F-;T*;F+;T+;F-;T+;F*;T*;F-;T-;F+;T-;F-;"},
    {801, "T0;R+;F-;B*;F+;R-;T*;R+;F-;B*;F+;R-;"},
    {802, "T+;F*;P+;B+;L*;P-;R*;P+;L*;B-;F-;T*;F-;P-;"},
    {803, "T-;F-;L-;P+;L*;B*;F-;B-;F+;B-;L+;P-;L*;F+;"},
    {810, "T*;L+;F*;B-;L+;P*;B-;R*;B+;P*;L-;B+;F*;L-;"},
    {812, "T+;R-;L-;T*;L-;B-;F*;R+;P*;R-;F*;B+;R+;L*;"},
    {813, "T-;P-;R*;F+;R-;B+;P-;B+;P+;B*;R*;F-;R+;P+;"},
    {820, "T-;R+;P*;L*;B*;F-;B-;F+;B-;L+;P-;L+;P-;R-;"},
    {821, "T-;L+;F+;R-;F+;R-;B+;P-;B+;P+;B*;R*;F*;L-;"},
    {823, "T0;F-;T+;F*;R-;F+;B-;L+;F+;L-;F*;B+;F-;R+;"},
    {830, "T0;R-;F*;T*;P+;T-;F*;T+;F*;P-;T*;F*;T+;R+;"},
    {831, "T0;L+;T+;F*;T*;F*;P-;T+;F*;T-;P+;T*;F*;L-;"},
    {832, "T0;R+;T+;B*;F+;R-;T-;R+;F-;T-;B*;R-;F+;T+;F-;"},
}};

template <std::size_t N>
const TopLayerFormula* FindFormula(const std::array<TopLayerFormula, N>& table, int caseNumber) {
    for (const TopLayerFormula& f : table)
        if (f.caseNumber == caseNumber) return &f;
    return nullptr;
}

// Runs a formula with the pre-turn of its step; a formula that does not begin with a
// top move takes none.
void RunWithPreTurn(CTarnexSource& m, std::string_view formula, int preTurn) {
    m.RunMoveString(formula.starts_with('T') ? preTurn : 0, formula);
}

bool Holds(const PieceSlot& s, int row, int col) { return s.homeRow == row && s.homeCol == col; }

// True when the top layer needs nothing: top edges 11-13 and corners 21-22 home, the
// twists of 11-13 and 21-23 zero, and only top pieces in the top rows.
bool TopLayerSolved(const CTarnexSource& m) {
    const auto& p = m.cube.pieces;
    for (int c = 1; c <= 4; ++c)
        if (p[1][c].homeRow != 1 || p[2][c].homeRow != 2) return false;
    for (int c = 1; c <= 3; ++c)
        if (!Holds(p[1][c], 1, c) || p[1][c].twist != 0 || p[2][c].twist != 0) return false;
    return Holds(p[2][1], 2, 1) && Holds(p[2][2], 2, 2);
}

// Step 7A: top-edge twists and top-corner order.
void EdgeTwistStep(CTarnexSource& m) {
    const auto& p = m.cube.pieces;
    const int w = p[1][1].twist + p[1][2].twist + p[1][3].twist;
    const bool flipped[5] = {false, p[1][1].twist != 0, p[1][2].twist != 0,
                             p[1][3].twist != 0, w % 2 != 0};
    int h = 1, l = 0;
    if (w == 3) {
        h = 4;
    } else if (w != 0) {
        // Two edges flipped: adjacent ones name the first of the pair in ring order,
        // opposite ones the pair 11/13 (l = 0) or 12/14 (l = 1).
        h = 3;
        l = flipped[1] && flipped[3] ? 0 : 1;
        for (int n = 1; n <= 4; ++n) {
            if (flipped[n] && flipped[group::RingColumn(n, 1)]) {
                h = 2;
                l = n - 1;
                break;
            }
        }
    }
    const int t = group::RingOrderCase(p[2][group::RingColumn(1, l)].homeCol,
                                       p[2][group::RingColumn(1, l + 1)].homeCol,
                                       p[2][group::RingColumn(1, l + 2)].homeCol);
    const int caseNumber = 10 * h + t;
    const TopLayerFormula* f = FindFormula(kEdgeTwistFormulas, caseNumber);
    if (f == nullptr) {
        m.methodIdText.AppendCut(" ");
        return;
    }
    m.methodIdText.AppendCut("第七A阶段ID:");
    m.methodIdText.AppendInt(caseNumber);
    m.methodIdText.AppendCut("    ");
    RunWithPreTurn(m, f->formula, 4 - l);
}

// Step 7B: top-corner twists and top-edge order.
void CornerTwistStep(CTarnexSource& m) {
    const auto& p = m.cube.pieces;
    const group::TwistCase tc = group::TwistCaseOf(p[2][1].twist, p[2][2].twist, p[2][3].twist);
    const int i = tc.e, g = tc.d;
    const int c = p[2][1].homeCol;
    const int u = p[1][group::RingColumn(1, g)].homeCol;
    const int v = p[1][group::RingColumn(1, g + 1)].homeCol;
    const int j = ((u - c - g) % 4 + 8) % 4;
    const int k = ((v - c - g) % 4 + 8) % 4;
    const int caseNumber = 100 * i + 10 * j + k;
    const TopLayerFormula* f = FindFormula(kCornerTwistFormulas, caseNumber);
    if (f == nullptr) {
        m.methodIdText.AppendCut(" ");
        return;
    }
    m.methodIdText.AppendFormat("第七B阶段ID:%d%d%d %d%d% d%d%d%d %d%d%d%d %d%d%d   ", i, j, k, g, c,
                                p[1][1].homeCol, p[1][2].homeCol, p[1][3].homeCol,
                                p[1][4].homeCol, p[2][1].twist, p[2][2].twist, p[2][3].twist,
                                p[2][4].twist, c + g, u, v);
    RunWithPreTurn(m, f->formula, 4 - g);
}

}  // namespace

std::span<const group::CaseFormula> group::EdgeTwistFormulas() { return kEdgeTwistFormulas; }
std::span<const group::CaseFormula> group::CornerTwistFormulas() { return kCornerTwistFormulas; }

void CTarnexSource::GroupTopLayer() {
    if (TopLayerSolved(*this)) return;
    EdgeTwistStep(*this);
    moveRecord.Append("# #");
    CornerTwistStep(*this);
    // Turn the top so that corner 21 comes home.
    const auto& p = cube.pieces;
    if (p[2][2].homeCol == 1)
        ApplyToken("T+");
    else if (p[2][3].homeCol == 1)
        ApplyToken("T*");
    else if (p[2][4].homeCol == 1)
        ApplyToken("T-");
    moveRecord.Append("###");
}

}  // namespace velmora
