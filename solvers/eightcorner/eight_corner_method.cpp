// The eight-corner method: the corners first (bottom corners down, top twists, their
// order around both layers), then three upper edges, the bottom edges, the last upper
// edge with the first middle edge, and the remaining middle edges. The driver holds
// the cube upright, runs the stage that is due, marks where each stage's moves end in
// the move record and looks again, until the cube is restored or a limit is hit.
#include <array>

#include "solvers/eightcorner/ec_common.h"

namespace velmora {
namespace {

constexpr int kMaxPasses = 12;
// Above this many turns the method gives up.
constexpr int kTurnLimit = 123;
// Above this many turns each further pass tells the user.
constexpr int kTurnWarning = 99;
constexpr std::string_view kTurnWarningText = "转数超过99转！";

// Markers appended after stages 1 to 6 (stage 7 has none).
constexpr std::array<std::string_view, 7> kStageMarkers{"#  ", " # ", "  #", "## ", "# #", " ##", ""};

// Whole-cube rotations that bring the centre of face 1 to the top and then the centre
// of face 2 to the front. They cost no turns.
void HoldUpright(CTarnexSource& m) {
    const int* c = m.cube.centres;
    if (c[1] != 1) {
        if (c[2] == 1) m.ApplyToken("FT");
        else if (c[3] == 1) m.ApplyToken("RT");
        else if (c[4] == 1) m.ApplyToken("PT");
        else if (c[5] == 1) m.ApplyToken("LT");
        else if (c[6] == 1) m.ApplyToken("BT");
    }
    if (c[2] != 2) {
        if (c[3] == 2) m.ApplyToken("RF");
        else if (c[4] == 2) m.ApplyToken("PF");
        else if (c[5] == 2) m.ApplyToken("LF");
    }
}

bool BottomCornersDown(const CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c)
        if (!ec::BottomSlotGood(m, c)) return false;
    return true;
}

bool TopCornersTwisted(const CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c)
        if (m.cube.pieces[2][c].homeRow != ec::kTopCornerRow) return false;
    for (int c = 1; c <= 3; ++c)
        if (m.cube.pieces[2][c].twist != 0) return false;
    return true;
}

bool CornersInOrder(const CTarnexSource& m) {
    return ec::CornersMatch(m, 2, 1) && ec::CornersMatch(m, 2, 2) && ec::CornersMatch(m, 4, 1) &&
           ec::CornersMatch(m, 4, 2);
}

bool MiddleEdgeHome(const CTarnexSource& m, int c) {
    const PieceSlot& e = m.cube.pieces[3][c];
    return e.homeRow == ec::kMiddleEdgeRow && e.homeCol == c && e.twist == 0;
}

// Stage due now (1-7), or 0 when the cube is restored up to the turns of its top and
// bottom layers.
int StageDue(const CTarnexSource& m) {
    if (!BottomCornersDown(m)) return 1;
    if (!TopCornersTwisted(m)) return 2;
    if (!CornersInOrder(m)) return 3;
    const int upper = ec::CountCorrectUpperEdges(m);
    if (upper <= 2) return 4;
    if (ec::CountCorrectBottomEdges(m) < 4) return 5;
    if (upper == 4 && MiddleEdgeHome(m, 1)) {
        const PieceSlot& e32 = m.cube.pieces[3][2];
        if (e32.homeRow == ec::kMiddleEdgeRow && e32.homeCol == 2 && e32.twist == 0 &&
            m.cube.pieces[3][3].twist == 0)
            return 0;
        return 7;
    }
    return 6;
}

// Turns the top and bottom layers home by the corners in slots 21 and 41.
void TurnLayersHome(CTarnexSource& m) {
    switch (m.cube.pieces[2][1].homeCol) {
        case 2: m.ApplyToken("T-"); break;
        case 3: m.ApplyToken("T*"); break;
        case 4: m.ApplyToken("T+"); break;
        default: break;
    }
    switch (m.cube.pieces[4][1].homeCol) {
        case 2: m.ApplyToken("B+"); break;
        case 3: m.ApplyToken("B*"); break;
        case 4: m.ApplyToken("B-"); break;
        default: break;
    }
}

}  // namespace

int CTarnexSource::EightCornerMethod() {
    for (int pass = 1;; ++pass) {
        if (turnCounter > kTurnLimit || pass > kMaxPasses) return -1;
        if (turnCounter > kTurnWarning) user->Message(kTurnWarningText, Buttons::Ok, Icon::None);
        HoldUpright(*this);
        const int stage = StageDue(*this);
        switch (stage) {
            case 0:
                TurnLayersHome(*this);
                return 1;
            case 1: EightCornerBottomCorners(); break;
            case 2: EightCornerTopTwist(); break;
            case 3: EightCornerCornerPlaces(); break;
            case 4: EightCornerUpperEdges(); break;
            case 5: EightCornerLowerEdges(); break;
            case 6: EightCornerLastUpperEdge(); break;
            default: EightCornerMiddleEdges(); break;
        }
        moveRecord.Append(kStageMarkers[stage - 1]);
    }
}

}  // namespace velmora
