// Eight-corner method, stage 7: the middle edges 32, 33 and 34.
//
// Slot 31 is correct and everything else but the middle layer is done. The home column
// of the edge in slot 32 tells the arrangement of the three remaining middle edges (2:
// in place; 3 and 4: the two cycles), the twists of slots 32 and 33 fix that of slot 34.
#include "solvers/eightcorner/ec_middle_edges.h"

#include "model/tarnex_source.h"
#include "solvers/eightcorner/ec_common.h"

namespace velmora {

void CTarnexSource::EightCornerMiddleEdges() {
    const int key = 100 * cube.pieces[3][2].homeCol + 10 * cube.pieces[3][2].twist + cube.pieces[3][3].twist;
    for (const middle_edges::KeyedFormula& f : middle_edges::kFormulas) {
        if (f.key == key) {
            ec::AppendStageId(*this, 7, key, true);
            RunMoveString(0, f.formula);
            return;
        }
    }
    ec::AppendStageId(*this, 7, key, false);
}

}  // namespace velmora
