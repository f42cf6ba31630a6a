#include "document/move_format.h"

#include <string>

namespace velmora {

namespace {

// The sign that stands for an implicit clockwise quarter turn after a bare letter.
constexpr char kImplicitTurn = '!';

constexpr bool IsFaceLetter(char c) {
    return c == 'B' || c == 'D' || c == 'F' || c == 'L' || c == 'P' || c == 'R' || c == 'T' || c == 'U';
}

constexpr bool IsTurnSign(char c) {
    return c == '\'' || c == '*' || c == '+' || c == '-' || c == '/' || c == '1' || c == '2' || c == '3';
}

constexpr char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Texts of one turn sign: own forward, own reverse, international forward and reverse.
struct SignTexts {
    std::string_view own, ownReverse, international, internationalReverse;
};

constexpr SignTexts kClockwise{"+", "-", "", "'"};
constexpr SignTexts kAnticlockwise{"-", "+", "'", ""};
constexpr SignTexts kHalfTurn{"*", "*", "2", "2"};

constexpr const SignTexts& TextsOf(char sign) {
    switch (sign) {
        case '\'': case '-': case '3': return kAnticlockwise;
        case '*': case '/': case '2': return kHalfTurn;
        default: return kClockwise;  // ! + 1
    }
}

// Own and international letter of an input face letter followed by sign.
struct FaceLetters {
    char own, international;
};

constexpr FaceLetters LettersOf(char face, char sign) {
    switch (face) {
        case 'B':
            if (sign == '*' || sign == '+' || sign == '-') return {'B', 'D'};
            return {'P', 'B'};
        case 'D': return {'B', 'D'};
        case 'P': return {'P', 'B'};
        case 'T': case 'U': return {'T', 'U'};
        default: return {face, face};  // F L R
    }
}

// The input as pairs of a face letter and a sign ("!" for a bare letter).
std::string NormalisedPairs(std::string_view input) {
    enum class Kind { None, Face, Sign };
    std::string pairs;
    pairs.reserve(input.size() * 2 + 1);
    Kind last = Kind::None;
    for (char raw : input) {
        const char c = Upper(raw);
        if (IsFaceLetter(c)) {
            if (last == Kind::Face) pairs += kImplicitTurn;
            pairs += c;
            last = Kind::Face;
        } else if (IsTurnSign(c)) {
            if (last == Kind::Face) pairs += c;
            last = Kind::Sign;
        }
    }
    if (last == Kind::Face) pairs += kImplicitTurn;
    return pairs;
}

}  // namespace

MoveRenderings FormatMoves(std::string_view input) {
    const std::string pairs = NormalisedPairs(input);
    MoveRenderings out;
    const std::size_t count = pairs.size() / 2;
    out.ownForward.reserve(count * 3);
    out.ownReverse.reserve(count * 3);
    out.internationalForward.reserve(count * 2);
    out.internationalReverse.reserve(count * 2);
    // The reverse renderings are built back to front and turned round at the end.
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
        const char face = pairs[i], sign = pairs[i + 1];
        const FaceLetters letters = LettersOf(face, sign);
        const SignTexts& texts = TextsOf(sign);

        out.ownForward += letters.own;
        out.ownForward += texts.own;
        out.ownForward += ';';
        out.internationalForward += letters.international;
        out.internationalForward += texts.international;

        out.ownReverse += ';';
        out.ownReverse.append(texts.ownReverse.rbegin(), texts.ownReverse.rend());
        out.ownReverse += letters.own;
        out.internationalReverse.append(texts.internationalReverse.rbegin(), texts.internationalReverse.rend());
        out.internationalReverse += letters.international;
    }
    out.ownReverse.assign(out.ownReverse.rbegin(), out.ownReverse.rend());
    out.internationalReverse.assign(out.internationalReverse.rbegin(), out.internationalReverse.rend());
    return out;
}

}  // namespace velmora
