// Eight-corner method, stage 3: the corners into their right order around each layer.
// With correct twists a layer has 0, 1 or 4 matching neighbour pairs; the two counts
// select single moves that bring a lone matching pair to a fixed place, then one
// formula that makes all eight pairs match.
#include "solvers/eightcorner/ec_common.h"
#include "solvers/eightcorner/ec_tables.h"

namespace velmora {
namespace ec {
namespace {

// Single moves by kb (bottom) and then by kt (top); an empty text is no move.
constexpr std::array<CornerPlaceCase, 8> kCornerPlaceCases{{
    { 11, {"", "", "", ""},       {"", "", "", ""},       "R*;F*;R*;" },
    { 12, {"", "B-", "B*", "B+"}, {"", "", "", ""},       "R-;T+;F-;L*;F+;T-;R+;" },
    { 15, {"", "", "", ""},       {"", "", "", ""},       "R-;F+;R+;T+;F*;T+;R-;F-;R+;T-;F*;" },
    { 21, {"", "", "", ""},       {"", "T+", "T*", "T-"}, "R+;B-;F+;L*;F-;B+;R-;" },
    { 22, {"B-", "B*", "B+", ""}, {"T+", "T*", "T-", ""}, "F*;T+;F*;B*;R*;T+;R*;" },
    { 25, {"", "", "", ""},       {"T+", "T*", "T-", ""}, "F-;T+;F-;R*;F+;T-;F-;R*;F*;" },
    { 51, {"", "", "", ""},       {"", "", "", ""},       "R+;F-;R-;T-;R*;T-;R+;T+;F-;T+;F*;" },
    { 52, {"B*", "B+", "", "B-"}, {"", "", "", ""},       "R-;T+;F-;L*;F+;T-;R-;F*;R*;" },
}};

// Where a single matching pair of a corner row lies: 0 for (4, 1), else 3 for (3, 4),
// 2 for (2, 3), 1 for (1, 2); 0 when none matches.
int LonePairPlace(const CTarnexSource& m, int row) {
    if (CornersMatch(m, row, 4)) return 0;
    if (CornersMatch(m, row, 3)) return 3;
    if (CornersMatch(m, row, 2)) return 2;
    if (CornersMatch(m, row, 1)) return 1;
    return 0;
}

}  // namespace

std::span<const CornerPlaceCase> CornerPlaceCases() { return kCornerPlaceCases; }

}  // namespace ec

void CTarnexSource::EightCornerCornerPlaces() {
    const int top = ec::CountMatchingPairs(*this, 2);
    const int bottom = ec::CountMatchingPairs(*this, 4);
    const int id = 10 * (top + 1) + (bottom + 1);
    const int kt = ec::LonePairPlace(*this, 2);
    const int kb = ec::LonePairPlace(*this, 4);
    for (const ec::CornerPlaceCase& c : ec::CornerPlaceCases()) {
        if (c.id != id) continue;
        ec::AppendStageId(*this, 3, id, true);
        if (!c.bottomMoves[kb].empty()) ApplyToken(c.bottomMoves[kb]);
        if (!c.topMoves[kt].empty()) ApplyToken(c.topMoves[kt]);
        RunMoveString(0, c.formula);
        return;
    }
    ec::AppendStageId(*this, 3, id, false);
}

}  // namespace velmora
