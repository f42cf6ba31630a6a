// Stage 4 of the group method: the four bottom edges, by case number.
//
// It runs once rows 1-3 are solved and bottom corners 41-43 are home with twist 0. The
// case number is read as the digits c51, c52, w51, w52, w53: the home columns of the
// edges at slots 51 and 52 and the twists of slots 51-53. The rest of the bottom row
// follows from these on a legal cube (an even arrangement, an even sum of twists), so
// the 96 numbers cover every case; each but 12000 (solved) has one formula that puts
// the bottom edges home and leaves rows 1-4 as they were.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_cases.h"

namespace velmora {
namespace {

using BottomEdgeFormula = group::CaseFormula;

// Case 12000 (bottom row solved) has no formula.
constexpr std::array<BottomEdgeFormula, 95> kBottomEdgeFormulas = {{
    {12001, "R+;L+;B+;L-;B-;R-;P*;L+;P+;L+;P-;L*;P*;"},
    {12010, "R-;B+;R+;B+;R-;B*;R*;B+;T+;F+;B-;F-;T-;R-;"},
    {12011, "B-;R+;B+;T+;F*;B*;F-;B+;F+;B+;F*;T-;R-;"},
    {12100, "L-;B*;L*;B+;L-;B-;L-;B*;R+;F+;L+;F-;R-;"},
    {12101, "R+;F+;B+;F-;B+;R-;P-;L-;F-;B-;F+;B-;L+;P+;"},
    {12110, "B+;R+;T+;F*;B-;F-;B-;F+;B*;F*;B-;T-;R-;"},
    {12111, "R+;B+;F+;B-;L+;B*;L-;F-;B-;R-;B+;P-;B*;P+;"},
    {13000, "P*;B+;R-;L+;P*;R+;L-;B+;P*;"},
    {13001, "L+;B+;L-;F-;R-;P-;B-;P+;R+;F+;"},
    {13010, "F+;L+;P+;B-;P-;L-;F-;R-;B+;R+;"},
    {13011, "P-;T*;F*;R-;B*;F*;T*;L-;P-;"},
    {13100, "R+;F+;B+;F*;T+;B-;L+;F-;L-;T-;R-;B+;F+;"},
    {13101, "F-;B-;F+;R+;T+;F*;T-;F-;R-;B+;F*;B*;F-;"},
    {13110, "F-;B*;F*;B+;L-;F-;T-;F*;T+;L+;F+;B-;F-;"},
    {13111, "R-;P*;B-;R*;P-;R+;B+;R+;B+;F-;P*;R+;F+;"},
    {14000, "P*;B-;R-;L+;P*;R+;L-;B-;P*;"},
    {14001, "P+;T*;F*;R+;F*;T*;P*;L+;P+;"},
    {14010, "F-;R-;P-;B+;P+;R+;F+;L+;B-;L-;"},
    {14011, "R-;B-;R+;F+;L+;P+;B+;P-;L-;F-;"},
    {14100, "F+;B*;F*;B-;R+;F+;T+;F*;T-;R-;F-;B+;F+;"},
    {14101, "F+;B+;F-;L-;T-;F*;T+;F+;L+;B-;F*;B*;F+;"},
    {14110, "R+;T+;B+;F*;B-;F+;B+;F+;B-;F+;T-;R-;B-;"},
    {14111, "R*;P*;T+;R-;L-;F+;R+;L-;T-;P*;R*;B+;F*;"},
    {21000, "R+;L-;T*;B*;R+;L-;T+;R*;L*;B-;F*;P*;"},
    {21001, "L+;P+;B+;P-;B-;L*;F-;B-;F+;B+;L+;"},
    {21010, "R*;B+;F-;B-;R+;B+;R*;F+;R+;B-;R-;B+;R*;"},
    {21011, "F-;B-;R+;B*;P+;R+;P-;R-;B-;F+;R+;B-;R-;"},
    {21100, "R+;B+;R-;F-;B+;R+;P+;R-;P-;B*;R-;B+;F+;"},
    {21101, "R+;B*;F+;B*;L+;B*;L-;F-;B-;R-;P-;B-;P+;"},
    {21110, "R+;F+;B+;F-;B-;R*;P-;B-;P+;B+;R+;"},
    {21111, "R-;L-;F-;B*;R*;B*;R*;B*;R*;F+;L+;R+;"},
    {23000, "R*;B+;F-;P+;R*;F+;P-;B+;R*;"},
    {23001, "R-;L+;P+;T*;R*;F-;B*;R*;T*;P-;R+;L+;B-;"},
    {23010, "L-;B-;L+;F+;T+;L*;T-;L-;F-;B+;L*;B*;L-;"},
    {23011, "R-;T+;P-;T-;R+;L-;P+;B+;P-;L+;"},
    {23100, "L-;B*;L*;B+;P-;L-;T-;L*;T+;P+;L+;B-;L-;"},
    {23101, "R-;B-;R+;B+;R+;L-;F-;R-;F+;L+;"},
    {23110, "R-;T*;L*;F-;B*;L*;T*;P-;R-;"},
    {23111, "F-;R*;B-;F*;R-;F+;B+;F+;B+;R*;L-;F+;L+;"},
    {24000, "F*;B+;R+;L-;F*;R-;L+;B+;F*;"},
    {24001, "P-;B*;P*;B+;R-;P-;T-;P*;T+;R+;P+;B-;P-;"},
    {24010, "R+;F+;B-;F-;R-;P-;L-;B+;L+;P+;"},
    {24011, "R+;L+;F-;T*;R*;B*;P-;R*;T*;F+;R-;L+;B-;"},
    {24100, "F-;T*;P*;R-;P*;T*;F*;L-;F-;"},
    {24101, "P-;B-;P+;L+;T+;P*;T-;P-;L-;B+;P*;B*;P-;"},
    {24110, "R+;B+;R-;P-;L-;F-;B-;F+;L+;P+;"},
    {24111, "R*;F*;T-;R+;L+;P-;R-;L+;T+;F*;R*;B-;P*;"},
    {31000, "R*;B-;F-;P+;R*;F+;P-;B-;R*;"},
    {31001, "L+;B*;L*;B-;F+;L+;T+;L*;T-;F-;L-;B+;L+;"},
    {31010, "L+;B+;L-;P-;T-;L*;T+;L+;P+;B-;L*;B*;L+;"},
    {31011, "R+;T*;L*;F+;L*;T*;R*;P+;R+;"},
    {31100, "R+;L-;F-;T*;R*;F+;L*;B*;R*;P+;R-;L-;B+;"},
    {31101, "L-;F-;R-;B+;R+;F+;L+;P+;B-;P-;"},
    {31110, "R+;T+;F+;T-;R-;L+;F+;B-;F-;L-;"},
    {31111, "F*;R*;T+;F-;P-;L+;F+;P-;T-;R*;F*;B+;L*;"},
    {32000, "L*;B+;F+;P-;L*;F-;P+;B+;L*;"},
    {32001, "L-;T*;R*;F-;R*;T*;L*;P-;L-;"},
    {32010, "R-;B-;R+;P+;T+;R*;T-;R-;P-;B+;R*;B*;R-;"},
    {32011, "R-;B*;R*;B+;F-;R-;T-;R*;T+;F+;R+;B-;R-;"},
    {32100, "R+;F+;B+;F-;R-;P-;L-;B-;L+;P+;"},
    {32101, "R+;F+;L+;B-;L-;F-;R-;P-;B+;P+;"},
    {32110, "R+;T+;F-;B+;F-;B-;F-;B+;F*;T-;B-;R-;B+;"},
    {32111, "R+;F+;R-;L*;B+;F+;B+;F+;L-;F*;B-;L*;F-;"},
    {34000, "R+;L+;F*;T*;R+;L+;P*;T*;R*;F*;"},
    {34001, "R-;B*;R+;B+;F+;L+;B*;L-;B-;F-;"},
    {34010, "R+;B-;P+;T+;B+;R*;T-;B-;P*;B*;P+;B+;R-;"},
    {34011, "L+;B*;L-;B-;F-;R-;B*;R+;B+;F+;"},
    {34100, "R+;B*;R-;B-;P-;L-;B*;L+;B+;P+;"},
    {34101, "F+;B-;R+;B-;F*;B*;F*;B*;F*;B-;R-;B+;F-;"},
    {34110, "F+;B+;L+;B*;L-;F-;B-;R-;B*;R+;"},
    {34111, "R+;F+;B+;F-;R-;F+;P*;T-;L-;T+;F-;P*;"},
    {41000, "F*;B-;R+;L-;F*;R-;L+;B-;F*;"},
    {41001, "R*;B-;P+;R+;B+;R*;B-;P-;R+;B+;R*;B-;R+;"},
    {41010, "R+;B-;R-;F-;P+;T+;R+;T-;F+;P-;"},
    {41011, "P+;B*;P*;B-;L+;P+;T+;P*;T-;L-;P-;B+;P+;"},
    {41100, "L-;B-;L+;P+;R+;F+;B+;F-;R-;P-;"},
    {41101, "P+;B+;P-;R-;T-;P*;T+;P+;R+;B-;P*;B*;P+;"},
    {41110, "F+;T*;P*;R+;B*;P*;T*;L+;F+;"},
    {41111, "R+;F*;B+;R*;F+;R-;B-;R-;B-;F*;P+;R-;P-;"},
    {42000, "L*;B-;F+;P-;L*;F-;P+;B-;L*;"},
    {42001, "R-;L+;T+;P+;T-;R+;L-;P+;B-;P-;"},
    {42010, "R+;B+;R-;F-;T-;R*;T+;R+;F+;B-;R*;B*;R+;"},
    {42011, "R*;B-;F-;P+;R+;T-;P+;T+;F+;P-;R-;P-;R-;"},
    {42100, "L+;T*;R*;F+;B*;R*;T*;P+;L+;"},
    {42101, "R-;F+;B-;F-;R+;L-;T+;F+;T-;L+;"},
    {42110, "R+;B*;R*;B-;P+;R+;T+;R*;T-;P-;R-;B+;R+;"},
    {42111, "R*;T+;L*;P*;T-;R-;L+;F+;R-;L-;B+;L*;F*;"},
    {43000, "R+;L-;T*;B*;R+;L-;T-;R*;L*;B+;F*;P*;"},
    {43001, "R-;B-;R+;P+;B-;R-;F-;R+;F+;B*;R+;B-;P-;"},
    {43010, "R+;F+;R-;B*;R+;B+;F+;R+;F*;R-;B-;F*;R-;"},
    {43011, "R+;B+;F+;B-;F-;R*;B-;P-;B+;P+;R+;"},
    {43100, "F+;L+;B+;L-;B-;F*;R-;B-;R+;B+;F+;"},
    {43101, "R+;F*;B+;R+;F*;R-;F-;B-;R-;B*;R+;F-;R-;"},
    {43110, "L-;B-;F+;B*;R+;F+;R-;F-;B-;L+;F+;B-;F-;"},
    {43111, "R+;L+;F+;T*;R*;B*;R*;T*;L*;F-;R-;L-;"},
}};

const BottomEdgeFormula* FindBottomEdgeFormula(int caseNumber) {
    for (const BottomEdgeFormula& f : kBottomEdgeFormulas)
        if (f.caseNumber == caseNumber) return &f;
    return nullptr;
}

}  // namespace

std::span<const group::CaseFormula> group::BottomEdgeFormulas() { return kBottomEdgeFormulas; }

void CTarnexSource::GroupBottomEdges() {
    const auto& p = cube.pieces;
    const int caseNumber = 10000 * p[5][1].homeCol + 1000 * p[5][2].homeCol +
                           100 * p[5][1].twist + 10 * p[5][2].twist + p[5][3].twist;
    const BottomEdgeFormula* f = FindBottomEdgeFormula(caseNumber);
    if (f == nullptr) {
        methodIdText.AppendCut(" ");
        return;
    }
    methodIdText.AppendCut("第五阶段ID:");
    methodIdText.AppendInt(caseNumber);
    methodIdText.AppendCut("    ");
    RunMoveString(0, f->formula);
}

}  // namespace velmora
