#pragma once
// Reading a typed move text as the move engine reads it, to tell the user which of
// its tokens the engine passes over.
#include <functional>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora {

// True when LoadPositionText takes text as a position code rather than as moves.
bool StartsAsCode(std::string_view text);

// True when text is meant as a position code: it starts as one, or it begins with six
// digits or more (no move begins with a digit). Such a text that is no sound code is
// refused by the callers that check codes, never run as moves.
bool LooksLikeCode(std::string_view text);

// Splits text into tokens exactly where RunMoveString does (separators, control
// codes, bytes of 128 and above) and reads each in capitals. Calls skipped with every
// token, as written, that names no move, rotation or command of the move table; a
// run of more characters than any token is skipped whole. leadingMerge: the text is
// run on its own, so that a leading bottom or top turn is merged as the engine
// merges it. Stops after STOP, as the engine does. Returns the number of tokens the
// engine acts on.
int ScanMoveText(const CTarnexSource& m, std::string_view text, bool leadingMerge,
                 const std::function<void(std::string_view)>& skipped);

}  // namespace velmora
