#pragma once
// Rewriting a typed move sequence into the program's notation and the international
// one, forward and reversed. The input may be written in either notation, mixed, as
// model/move_notation.h reads it: face turns, slices, wide turns, rotations, brackets
// with repeat counts, commutators and conjugates.
//
// Own notation: T F R P L B with + - *, each turn ended by ";", each rotation XY by ","
// (the move engine reads it); slices and wide turns as the layer turns run them.
// International notation: U D F B L R, M E S, Uw ... Rw, x y z with nothing, ' or 2, no
// separators. A whole-cube rotation stays a rotation in both.
#include <string>
#include <string_view>

#include "model/move_notation.h"

namespace velmora {

struct MoveRenderings {
    std::string ownForward;
    std::string ownReverse;
    std::string internationalForward;
    std::string internationalReverse;
    // False when the input held something that is not a move (error says what and
    // where) or no move at all (error empty); the renderings are then empty.
    bool ok = false;
    NotationError error;
};

// The message for a rendering that failed: the parser's, or that nothing was typed.
inline constexpr std::string_view kNoMoveMessage = "没有可以执行的转动。";

// The four renderings of input.
MoveRenderings FormatMoves(std::string_view input);

}  // namespace velmora
