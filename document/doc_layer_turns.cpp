// Layer turns made on the 3D cube: the move of each of the nine layers, and the
// document handler that runs one the way a typed command runs.
#include <array>

#include "document/layer_turns.h"
#include "document/velmora_doc.h"

namespace velmora {
namespace {

// [axis][slice + 1][quarter anticlockwise, quarter clockwise, half], seen from the
// positive end of the axis. A face turn's "+" is clockwise seen facing that face, so
// the faces on the negative ends (L, B, P) take "+" for an anticlockwise turn here.
constexpr std::array<std::array<std::array<LayerMove, 3>, 3>, 3> kLayerMoves = {{
    // x: L, the middle layer between L and R, R
    {{{{{"L+"}, {"L-"}, {"L*"}}},
      {{{"V-"}, {"V+"}, {"V*"}}},
      {{{"R-"}, {"R+"}, {"R*"}}}}},
    // y: B, the middle layer between T and B, T
    {{{{{"B+"}, {"B-"}, {"B*"}}},
      {{{"H-"}, {"H+"}, {"H*"}}},
      {{{"T-"}, {"T+"}, {"T*"}}}}},
    // z: P, the middle layer between F and P, F
    {{{{{"P+"}, {"P-"}, {"P*"}}},
      {{{"RT,F+;P-;", false}, {"TR,F-;P+;", false}, {"RT,RT,F*;P*;", false}}},
      {{{"F-"}, {"F+"}, {"F*"}}}}},
}};

}  // namespace

LayerMove LayerTurnMove(int axis, int slice, int quarters) {
    if (axis < 0 || axis > 2 || slice < -1 || slice > 1) return {{}, true};
    switch (quarters) {
        case 1: return kLayerMoves[axis][slice + 1][0];
        case -1: return kLayerMoves[axis][slice + 1][1];
        case 2:
        case -2: return kLayerMoves[axis][slice + 1][2];
        default: return {{}, true};
    }
}

int CVelmoraDoc::TurnLayer(int axis, int slice, int quarters) {
    if (model.inputMode < 0) return -1;
    const LayerMove move = LayerTurnMove(axis, slice, quarters);
    if (move.text.empty()) return -1;
    // A turn made while the demonstration runs pauses it, as a typed command does.
    if (model.autoDemoCount > 0) model.autoDemoCount = 5;
    model.moveRecord.Clear();
    model.moveRecordFull = false;
    HistoryOp(2, move.text);
    const int turns = move.token ? model.ApplyToken(move.text) : model.RunMoveString(0, move.text);
    if (turns < 0) {
        Redraw();
        return -1;
    }
    FixedText<kRecordCapacity + 64> text;
    text.Format("执行了命令:(%s)，并求出解法。", model.moveRecord.c_str());
    Redraw();
    model.ExecuteAndSolve();
    ShowStatus(text);
    NotePracticeTurn();
    Redraw();
    return 1;
}

}  // namespace velmora
