#pragma once
// Building the positions the edge stages of the eight-corner method start from, and
// the checks of what their formulas must keep. Positions are built on a cube whose top
// and bottom layers are turned as a whole, since every edge term is relative to the
// corners of its own layer.
#include <string>
#include <utility>

#include "solvers/eightcorner/ec_common.h"
#include "support/model_fixture.h"

namespace velmora::test::edges {

inline PieceSlot& SlotRef(CTarnexSource& m, int slot) { return m.cube.pieces[slot / 10][slot % 10]; }

inline void SwapSlots(CTarnexSource& m, int a, int b) { std::swap(SlotRef(m, a), SlotRef(m, b)); }

// The solved cube with the top turned by `top` and the bottom by `bottom` clockwise
// quarter turns; the move record and turn counter empty.
inline void StartLayered(CTarnexSource& m, int top, int bottom) {
    m.ResetCube();
    for (int i = 0; i < top; ++i) m.ApplyToken("T+");
    for (int i = 0; i < bottom; ++i) m.ApplyToken("B+");
    m.moveRecord.Clear();
    m.turnCounter = 0;
    m.methodIdText.Clear();
}

// Home columns of the upper edges (bit h) that stand correct, and likewise for the
// bottom edges.
inline unsigned CorrectUpperPieces(const CTarnexSource& m) {
    unsigned bits = 0;
    for (int c = 1; c <= 4; ++c)
        if (ec::UpperEdgeCorrect(m, c)) bits |= 1u << m.cube.pieces[1][c].homeCol;
    return bits;
}
inline unsigned CorrectBottomPieces(const CTarnexSource& m) {
    unsigned bits = 0;
    for (int c = 1; c <= 4; ++c)
        if (ec::BottomEdgeCorrect(m, c)) bits |= 1u << m.cube.pieces[5][c].homeCol;
    return bits;
}

// Every corner has twist 0 and every neighbour pair of both layers matches.
inline ::testing::AssertionResult CornersDone(const CTarnexSource& m) {
    for (int r : {2, 4})
        for (int c = 1; c <= 4; ++c)
            if (m.cube.pieces[r][c].homeRow != r || m.cube.pieces[r][c].twist != 0)
                return ::testing::AssertionFailure() << "corner slot " << r << c << " not right";
    if (ec::CountMatchingPairs(m, 2) != 4 || ec::CountMatchingPairs(m, 4) != 4)
        return ::testing::AssertionFailure() << "corner order changed";
    return ::testing::AssertionSuccess();
}

inline bool MiddleEdgeHome(const CTarnexSource& m, int c) {
    const PieceSlot& p = m.cube.pieces[3][c];
    return p.homeRow == 3 && p.homeCol == c && p.twist == 0;
}

// Turns both layers home by the columns of the corners in slots 21 and 41, as the
// method's last step does.
inline void TurnLayersHome(CTarnexSource& m) {
    static constexpr const char* kTop[5] = {"", "", "T-", "T*", "T+"};
    static constexpr const char* kBottom[5] = {"", "", "B+", "B*", "B-"};
    int t = m.cube.pieces[2][1].homeCol, b = m.cube.pieces[4][1].homeCol;
    if (t >= 2) m.ApplyToken(kTop[t]);
    if (b >= 2) m.ApplyToken(kBottom[b]);
}

// The record a formula leaves when n clockwise quarter turns of the top are merged
// into its leading top move.
inline std::string MergedRecord(std::string_view formula, int n) {
    int m = formula[1] == '+' ? 1 : formula[1] == '*' ? 2 : formula[1] == '-' ? 3 : 0;
    static constexpr const char* kTop[4] = {"", "T+;", "T*;", "T-;"};
    return std::string(kTop[(n + m) % 4]) + std::string(formula.substr(3));
}

// Pending-turn argument for n clockwise quarter turns of the top.
inline int Pending(int n) { return (4 - n % 4) % 4; }

}  // namespace velmora::test::edges
