// Eight-corner method, stage 6: the fourth upper edge together with middle edge 31.
//
// The corners, at least three upper edges and all bottom edges are correct. The free
// slot is the first upper edge slot that is not correct (column 1 when all four are);
// the missing upper edge is the one that belongs under the top corner above it. One
// formula, chosen by where these two edges stand, places both.
#include "solvers/eightcorner/ec_last_upper_edge.h"

#include "model/tarnex_source.h"
#include "solvers/eightcorner/ec_common.h"

namespace velmora {
namespace {

using last_upper_edge::KeyedFormula;
using last_upper_edge::kFormulas;

const KeyedFormula* Find(int key) {
    for (const KeyedFormula& f : kFormulas)
        if (f.key == key) return &f;
    return nullptr;
}

}  // namespace

void CTarnexSource::EightCornerLastUpperEdge() {
    const int free = ec::FreeSlotColumn(*this);
    const int missingCol = cube.pieces[2][free].homeCol;
    auto isMissingUpper = [&](const PieceSlot& p) { return p.homeRow == ec::kUpperEdgeRow && p.homeCol == missingCol; };
    auto isMiddle31 = [](const PieceSlot& p) { return p.homeRow == ec::kMiddleEdgeRow && p.homeCol == 1; };

    int e = 0, h = 0, a = 0, g = 0, mid = 0, b = 0;
    const PieceSlot& inFree = cube.pieces[1][free];
    if (isMissingUpper(inFree)) {
        e = 1; h = 1; a = inFree.twist;
    } else if (isMiddle31(inFree)) {
        g = 1; mid = 1; b = inFree.twist;
    }
    for (int x = 1; x <= 4; ++x) {
        const PieceSlot& p = cube.pieces[3][x];
        if (isMissingUpper(p)) {
            e = 3; h = x; a = p.twist;
        } else if (isMiddle31(p)) {
            g = 3; mid = x; b = p.twist;
        }
    }
    const int key = ((((e * 10 + h) * 10 + a) * 10 + g) * 10 + mid) * 10 + b;

    const KeyedFormula* f = Find(key);
    ec::AppendStageId(*this, 6, key, f != nullptr);
    if (f) ec::RunFromFreeSlot(*this, f->formula);
}

}  // namespace velmora
