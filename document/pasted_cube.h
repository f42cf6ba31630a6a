#pragma once
// The text of 文件 › 粘贴魔方: whatever describes a cube, recognised as one of three
// forms, with the line the dialog shows under its field.
//   - a 72-digit position code (a text that begins with six digits or more, or as a
//     code does); it must be a sound code, as a cube file's head must;
//   - a 54-letter facelet string of U R F D L B, read as the input tool reads it
//     (blanks, separators and case do not count);
//   - otherwise a scramble in either notation, read by the full move reader
//     (model/move_notation.h), which must hold at least one move and fit the move
//     record.
// A 54-letter text of U R F D L B written as runs of letters ("UUUUUUUUU RRR...") that
// is no valid facelet string is refused as one, never read as 54 moves.
#include <string>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora {

enum class PastedKind { None, Moves, Facelets, Code };

struct PastedCube {
    PastedKind kind = PastedKind::None;  // the form the text was taken as
    bool ok = false;                     // the text describes a cube that can be set
    std::string moves;                   // Moves: the own move string to run from solved
    int moveCount = 0;                   // Moves: moves read (repeats expanded)
    int turns = 0;                       // Moves: face turns as the move engine counts them
    std::string facelets;                // Facelets: the 54 letters in capitals
    std::string code;                    // Code: the text that holds the code
    std::string line;                    // what the text was recognised as, or what is wrong
};

// The history name of a pasted cube.
inline constexpr std::string_view kPasteHistoryName = "粘贴魔方";

PastedCube RecognisePastedText(const CTarnexSource& m, std::string_view text);

// What the paste dialog opens with when no text was handed to it: the clipboard's
// text when it describes a cube, else nothing.
std::string PasteDialogOpening(const CTarnexSource& m, std::string_view clipboard);

}  // namespace velmora
