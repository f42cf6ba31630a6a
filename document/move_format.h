#pragma once
// Rewriting a typed move sequence into the program's notation and the international
// one, forward and reversed. The input may be written in either notation, with or
// without separators, in any case: face letters are B D F L P R T U, turn signs are
// ' * + - / 1 2 3, and every other character is skipped. A face letter without a sign
// is a clockwise quarter turn.
//
// Own notation: T F R P L B with + - *, each turn ended by ";" (the move engine reads
// it). International notation: U F R B L D with nothing, ' or 2, no separators.
// A "B" followed by + - or * is the own bottom face; followed by anything else it is
// the international back face.
#include <string>
#include <string_view>

namespace velmora {

struct MoveRenderings {
    std::string ownForward;
    std::string ownReverse;
    std::string internationalForward;
    std::string internationalReverse;
};

// The four renderings of input; all empty when it holds no face letter.
MoveRenderings FormatMoves(std::string_view input);

}  // namespace velmora
