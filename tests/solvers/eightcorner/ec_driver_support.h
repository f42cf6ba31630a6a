#pragma once
// Helpers of the eight-corner tests: what the stages promise, checked on the model.
#include <string>

#include "solvers/eightcorner/ec_common.h"
#include "support/model_fixture.h"

namespace velmora::test {

// Every corner slot holds a corner of its own layer with twist 0 and all eight
// neighbour pairs match: the corners are done up to turns of the two layers.
inline bool CornersDone(const CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c) {
        const PieceSlot& t = m.cube.pieces[2][c];
        const PieceSlot& b = m.cube.pieces[4][c];
        if (t.homeRow != 2 || t.twist != 0 || b.homeRow != 4 || b.twist != 0) return false;
    }
    return ec::CountMatchingPairs(m, 2) == 4 && ec::CountMatchingPairs(m, 4) == 4;
}

inline bool BottomCornersGood(const CTarnexSource& m) {
    for (int c = 1; c <= 4; ++c)
        if (!ec::BottomSlotGood(m, c)) return false;
    return true;
}

// Bit h set for each upper edge of home column h that stands correct.
inline int CorrectUpperEdgeSet(const CTarnexSource& m) {
    int set = 0;
    for (int c = 1; c <= 4; ++c)
        if (ec::UpperEdgeCorrect(m, c)) set |= 1 << m.cube.pieces[1][c].homeCol;
    return set;
}

// Turns the top and the bottom layer of the cube clockwise by kt and kb quarter turns.
inline void TurnLayers(CTarnexSource& m, int kt, int kb) {
    for (int i = 0; i < kt; ++i) m.ApplyToken("T+");
    for (int i = 0; i < kb; ++i) m.ApplyToken("B+");
}

// Starts a fresh record: the position stays, the moves and turns are forgotten.
inline void ForgetMoves(CTarnexSource& m) {
    m.moveRecord.Clear();
    m.turnCounter = 0;
    m.methodIdText.Assign("解法各阶段    ");
}

inline std::string Record(const CTarnexSource& m) { return std::string(m.moveRecord.view()); }

}  // namespace velmora::test
