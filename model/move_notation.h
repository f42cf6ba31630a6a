#pragma once
// Reading a typed move text in the program's own notation or in the international one,
// and writing moves in either.
//
// A parsed move is an international letter with a count of clockwise quarter turns
// (1, 2 or 3, seen facing the turned face; for a slice the face it turns like, for a
// rotation the face R, U or F):
//   U D F B L R   face turns (own T B F P L R)
//   M E S         middle slices, turning like L, D and F
//   u d f b l r   wide turns: the face and the slice beside it
//   x y z         whole-cube rotations, turning like R, U and F
//
// The reader takes:
//   - international moves: a letter above (wide also as Uw ... Rw), then nothing, a
//     count 1-3 and/or a prime: ' and the typographic ’ ‘ ` ´ ′ (R2' is a half turn);
//   - own moves: a face letter T F R P L B (also U D, either case) with + - * (or = for
//     + and / for *); H and V with a sign are the own middle slices (H- is E, V- is M);
//     a rotation XY ended by "," (face X goes where face Y was);
//   - groups: "(...)" and "[...]" with an optional repeat count and prime after the
//     closing bracket, the commutator "[A, B]" (A B A' B') and conjugate "[A: B]"
//     (A B A'); a commutator or conjugate holds exactly one "," or ":" with moves on
//     both sides, and a repeat count is 1 to 99;
//   - blanks, line breaks, ";", "," and the stage marker "#" of a solution between
//     moves.
// A control character (other than a blank or a line break) is refused with its place,
// and a message quotes the text with such characters and bytes that are no UTF-8
// escaped (\x07).
// A bare T or P is a clockwise own face turn, a bare B the international back face.
// Anything else is refused with its place: nothing is skipped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct NotationMove {
    char move = 'U';    // one of "UDFBLRMESudfblrxyz"
    int quarters = 1;   // 1, 2 or 3 clockwise quarter turns
};

// Longest move sequence a text may expand to (repeat counts included).
inline constexpr std::size_t kMaxNotationMoves = 5000;

struct NotationError {
    // The text that was not understood (up to the next blank), its first character's
    // place counted in characters from 1, and the message for the user.
    std::string text;
    int position = 0;
    std::string message;
};

// Parses text into moves; false with error filled when any part of it is not
// understood. An empty text (or one of separators only) parses to no moves.
bool ParseMoveNotation(std::string_view text, std::vector<NotationMove>& moves, NotationError& error);

// The moves undone: reversed, each turned the other way.
std::vector<NotationMove> InverseMoves(const std::vector<NotationMove>& moves);

// One move as a move string the move engine runs ("R+;", "V-;", "TR,F-;P+;", "FT,").
std::string OwnMoveText(const NotationMove& move);
// One move in the international notation ("R", "M2", "Rw'", "x'").
std::string InternationalMoveText(const NotationMove& move);

// A sequence in the own notation (a move string) and in the international notation,
// moves joined by separator.
std::string OwnMovesText(const std::vector<NotationMove>& moves);
std::string InternationalMovesText(const std::vector<NotationMove>& moves, std::string_view separator);

// The international text of one own token of a solution record (a face turn "T+" or a
// rotation "FT"); empty for any other token.
std::string InternationalOfOwnToken(std::string_view token);

// A solution record with its moves written in the international notation, for showing
// it: the 76-character head as it is, then each own token's international text and a
// blank, stage markers "#" kept. ownIndex maps each character of text back to the record position it stands
// for (a token's characters to its first character, the blank to the separator after).
struct InternationalRecord {
    std::string text;
    std::vector<int> ownIndex;
    // The position in text of record position ownPos (the first text position that
    // stands for it or for a later one).
    int FromOwn(int ownPos) const;
};
InternationalRecord TranslateSolutionRecord(std::string_view record);

// The moves of a solution record (from its first move) as one line of international
// notation, moves separated by blanks.
std::string SolutionInInternational(std::string_view record);

}  // namespace velmora
