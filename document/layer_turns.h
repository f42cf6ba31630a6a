#pragma once
// Turning one of the nine layers of the cube (six faces and three middle layers) as a
// move of the move table. A layer is named by its axis (0 x towards R, 1 y towards T,
// 2 z towards F) and its slice along it (-1, 0, 1); quarters count quarter turns,
// positive anticlockwise seen from the positive end of the axis, 2 or -2 a half turn.
//
// The face layers are face turns (T+ ...). The middle layer between T and B and the
// one between L and R are the table's composite tokens H and V (a whole-cube rotation
// and two face turns back). The middle layer between F and P has no token of its own;
// it runs as the move string of the same kind: the rotation about the front-back axis
// and the F and P turns back.
#include <string_view>

namespace velmora {

struct LayerMove {
    std::string_view text;  // a token, or a move string when token is false; empty: none
    bool token = true;
};

// The move of a layer turn; an empty text for an axis, slice or count out of range or
// quarters 0.
LayerMove LayerTurnMove(int axis, int slice, int quarters);

}  // namespace velmora
