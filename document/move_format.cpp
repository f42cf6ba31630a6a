#include "document/move_format.h"

#include <vector>

namespace velmora {

MoveRenderings FormatMoves(std::string_view input) {
    MoveRenderings out;
    std::vector<NotationMove> moves;
    if (!ParseMoveNotation(input, moves, out.error)) return out;
    if (moves.empty()) {
        out.error.message.assign(kNoMoveMessage);
        return out;
    }
    const std::vector<NotationMove> reverse = InverseMoves(moves);
    out.ownForward = OwnMovesText(moves);
    out.ownReverse = OwnMovesText(reverse);
    out.internationalForward = InternationalMovesText(moves, "");
    out.internationalReverse = InternationalMovesText(reverse, "");
    out.ok = true;
    return out;
}

}  // namespace velmora
