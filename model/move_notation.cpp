#include "model/move_notation.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "model/shown_text.h"
#include "model/tarnex_source.h"

namespace velmora {
namespace {

// Deepest nesting of brackets read.
constexpr int kMaxDepth = 20;
// Largest repeat count after a closing bracket.
constexpr int kMaxRepeat = 99;
// Longest piece of text a message quotes.
constexpr std::size_t kQuoteBytes = 16;

constexpr std::string_view kFaceMoves = "UDFBLR";
constexpr std::string_view kWideMoves = "udfblr";
constexpr std::string_view kSliceMoves = "MES";
constexpr std::string_view kRotations = "xyz";

bool In(std::string_view set, char c) { return c != '\0' && set.find(c) != std::string_view::npos; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
int Inverse(int quarters) { return 4 - quarters; }

// Bytes of the prime mark at text[at]: ' ` and the UTF-8 marks ’ ‘ ´ ′; 0 for none.
std::size_t PrimeAt(std::string_view text, std::size_t at) {
    const std::string_view rest = text.substr(at);
    if (rest.empty()) return 0;
    if (rest[0] == '\'' || rest[0] == '`') return 1;
    for (std::string_view mark : {"\xE2\x80\x99", "\xE2\x80\x98", "\xC2\xB4", "\xE2\x80\xB2"})
        if (rest.substr(0, mark.size()) == mark) return mark.size();
    return 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The rotation an own token XY stands for, as a move; quarters 0 when XY is none.
NotationMove OwnRotation(char from, char to) {
    struct Family {
        std::array<std::string_view, 4> pairs;
        NotationMove move;
    };
    static constexpr std::array<Family, 8> kFamilies = {{
        {{"FT", "BF", "PB", "TP"}, {'x', 1}},
        {{"TF", "FB", "BP", "PT"}, {'x', 3}},
        {{"TB", "BT", "", ""}, {'x', 2}},
        {{"FL", "LP", "PR", "RF"}, {'y', 1}},
        {{"FR", "RP", "PL", "LF"}, {'y', 3}},
        {{"FP", "PF", "LR", "RL"}, {'y', 2}},
        {{"TR", "RB", "BL", "LT"}, {'z', 1}},
        {{"TL", "LB", "BR", "RT"}, {'z', 3}},
    }};
    const char pair[2] = {from, to};
    for (const Family& f : kFamilies)
        for (std::string_view p : f.pairs)
            if (p == std::string_view(pair, 2)) return f.move;
    return {'x', 0};
}

// Quarters of an own turn sign; 0 when c is none.
int OwnSignQuarters(char c) {
    switch (c) {
        case '+': case '=': return 1;
        case '*': case '/': return 2;
        case '-': return 3;
        default: return 0;
    }
}

class NotationReader {
public:
    NotationReader(std::string_view text, NotationError& error) : text_(text), error_(error) {}

    bool Read(std::vector<NotationMove>& out) {
        if (!Items(out, "", 0)) return false;
        if (at_ < text_.size()) return Fail(at_, "无法识别的转动");
        return true;
    }

private:
    // Reads moves and groups into out until a character of stops or the end; depth
    // counts the brackets open. rotations: an own rotation XY ended by "," is read (not
    // in the first part of a bracket, where "," splits a commutator). "#" is a stage
    // marker of a solution and stands between moves like a blank.
    bool Items(std::vector<NotationMove>& out, std::string_view stops, int depth, bool rotations = true) {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (In(stops, c)) return true;
            if (IsBlank(c) || c == ';' || c == ',' || c == '#') {
                ++at_;
                continue;
            }
            if (IsForbiddenControl(static_cast<unsigned char>(c))) return Fail(at_, "转动中不能有控制字符");
            if (c == '(' || c == '[') {
                if (!Group(out, depth)) return false;
                continue;
            }
            if (!Move(out, rotations)) return false;
        }
        return true;
    }

    bool Group(std::vector<NotationMove>& out, int depth) {
        const std::size_t open = at_;
        const char opener = text_[at_++];
        if (depth >= kMaxDepth) return Fail(open, "括号嵌套太深");
        std::vector<NotationMove> first, second;
        char kind = ')';
        if (opener == '(') {
            if (!Items(first, ")", depth + 1)) return false;
        } else {
            // [A], [A, B] or [A: B]: one "," or ":" at most, with moves on both sides.
            if (!Items(first, ",:]", depth + 1, false)) return false;
            if (at_ < text_.size() && (text_[at_] == ',' || text_[at_] == ':')) {
                const std::size_t split = at_;
                kind = text_[at_++];
                if (first.empty()) return Fail(split, "括号中逗号或冒号前面没有转动");
                if (!Items(second, ",:]", depth + 1)) return false;
                if (at_ < text_.size() && (text_[at_] == ',' || text_[at_] == ':'))
                    return Fail(at_, "括号中只能有一个逗号或冒号");
                if (second.empty() && at_ < text_.size()) return Fail(at_, "括号中逗号或冒号后面没有转动");
            }
        }
        const char closer = opener == '(' ? ')' : ']';
        if (at_ >= text_.size() || text_[at_] != closer) return Fail(open, "括号没有配对");
        ++at_;
        std::vector<NotationMove> body = first;
        if (kind == ',') {
            Append(body, second);
            Append(body, InverseMoves(first));
            Append(body, InverseMoves(second));
        } else if (kind == ':') {
            Append(body, second);
            Append(body, InverseMoves(first));
        }
        int count = 1;
        bool inverse = false;
        if (!Suffix(open, kMaxRepeat, count, inverse)) return false;
        if (inverse) body = InverseMoves(body);
        if (body.size() * static_cast<std::size_t>(count) + out.size() > kMaxNotationMoves)
            return Fail(open, "转动太多（最多5000个）");
        for (int k = 0; k < count; ++k) Append(out, body);
        return true;
    }

    // A count (1 to largest) and a prime after a move or group, in either order.
    bool Suffix(std::size_t start, int largest, int& count, bool& inverse) {
        bool counted = false;
        for (;;) {
            if (const std::size_t prime = PrimeAt(text_, at_); prime > 0 && !inverse) {
                inverse = true;
                at_ += prime;
            } else if (!counted && at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
                // The whole count is read; past the largest it stops growing, so no
                // number of digits overflows.
                const std::size_t digits = at_;
                int value = 0;
                while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
                    if (value <= largest) value = value * 10 + (text_[at_] - '0');
                    ++at_;
                }
                if (value < 1 || value > largest) {
                    // A count after a bracket is a repeat count; after a move, part of the move.
                    if (largest == kMaxRepeat) return Fail(digits, value < 1 ? "重复次数不能为0" : "重复次数太大（最多99次）");
                    return Fail(start, "无法识别的转动");
                }
                count = value;
                counted = true;
            } else {
                return true;
            }
        }
    }

    bool Move(std::vector<NotationMove>& out, bool rotationsAllowed) {
        const std::size_t start = at_;
        const char c = text_[at_];
        const char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
        // B with a sign of the own notation (+ - *) is the bottom face; with any other
        // sign it is the international back face, so B/ is the back face's half turn.
        if (Upper(c) == 'B' && next == '/') {
            at_ += 2;
            return Push(out, start, {'B', 2});
        }
        if (const int q = OwnSignQuarters(next); q > 0) {
            at_ += 2;
            switch (Upper(c)) {
                case 'T': case 'U': return Push(out, start, {'U', q});
                case 'B': case 'D': return Push(out, start, {'D', q});
                case 'P': return Push(out, start, {'B', q});
                case 'F': case 'R': case 'L': return Push(out, start, {Upper(c), q});
                case 'H': return Push(out, start, {'E', Inverse(q)});
                case 'V': return Push(out, start, {'M', Inverse(q)});
                default: return Fail(start, "无法识别的转动");
            }
        }
        if (rotationsAllowed && In("TFRPLB", c) && In("TFRPLB", next) && at_ + 2 < text_.size() &&
            text_[at_ + 2] == ',') {
            const NotationMove rotation = OwnRotation(c, next);
            if (rotation.quarters == 0) return Fail(start, "无法识别的转动");
            at_ += 3;
            return Push(out, start, rotation);
        }
        NotationMove move;
        if (In(kFaceMoves, c)) {
            move.move = c;
            if (next == 'w' || next == 'W') {
                move.move = Lower(c);
                ++at_;
            }
        } else if (c == 'T' || c == 't') {
            move.move = 'U';
        } else if (c == 'P' || c == 'p') {
            move.move = 'B';
        } else if (In(kWideMoves, c)) {
            move.move = c;
        } else if (In(kSliceMoves, Upper(c))) {
            move.move = Upper(c);
        } else if (In(kRotations, Lower(c))) {
            move.move = Lower(c);
        } else {
            return Fail(start, "无法识别的转动");
        }
        ++at_;
        int count = 1;
        bool inverse = false;
        if (!Suffix(start, 3, count, inverse)) return false;
        move.quarters = inverse ? Inverse(count) : count;
        return Push(out, start, move);
    }

    bool Push(std::vector<NotationMove>& out, std::size_t start, NotationMove move) {
        if (out.size() >= kMaxNotationMoves) return Fail(start, "转动太多（最多5000个）");
        out.push_back(move);
        return true;
    }

    static void Append(std::vector<NotationMove>& to, const std::vector<NotationMove>& from) {
        to.insert(to.end(), from.begin(), from.end());
    }

    // Fills the error for the text at byte start: a bracket alone, else up to the next
    // blank or bracket, never cutting a character.
    bool Fail(std::size_t start, std::string_view what) {
        std::size_t end = start + 1;
        const char first = text_[start];
        if (!In("()[],:", first) && !IsForbiddenControl(static_cast<unsigned char>(first))) {
            while (end < text_.size() && !IsBlank(text_[end]) && !In("()[];,:", text_[end]) &&
                   !IsForbiddenControl(static_cast<unsigned char>(text_[end])) && end - start < kQuoteBytes)
                ++end;
        }
        while (end < text_.size() && (static_cast<unsigned char>(text_[end]) & 0xC0) == 0x80) ++end;
        error_.text = ShownText(text_.substr(start, end - start));
        error_.position = CharacterPlace(text_, start);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "（第 %d 个字符）", error_.position);
        error_.message.assign(what);
        error_.message += "：“";
        error_.message += error_.text;
        error_.message += "”";
        error_.message += buffer;
        return false;
    }

    std::string_view text_;
    NotationError& error_;
    std::size_t at_ = 0;
};

}  // namespace

bool ParseMoveNotation(std::string_view text, std::vector<NotationMove>& moves, NotationError& error) {
    moves.clear();
    NotationReader reader(text, error);
    if (reader.Read(moves)) return true;
    moves.clear();
    return false;
}

std::vector<NotationMove> InverseMoves(const std::vector<NotationMove>& moves) {
    std::vector<NotationMove> out(moves.rbegin(), moves.rend());
    for (NotationMove& m : out) m.quarters = Inverse(m.quarters);
    return out;
}

std::string OwnMoveText(const NotationMove& move) {
    const int q = move.quarters;
    const char* sign = q == 1 ? "+" : q == 2 ? "*" : "-";
    auto face = [sign](char own) { return std::string(1, own) + sign + ";"; };
    auto pick = [q](std::string_view one, std::string_view two, std::string_view three) {
        return std::string(q == 1 ? one : q == 2 ? two : three);
    };
    switch (move.move) {
        case 'U': return face('T');
        case 'D': return face('B');
        case 'F': return face('F');
        case 'B': return face('P');
        case 'L': return face('L');
        case 'R': return face('R');
        // The middle layers as the layer turns run them: H and V, and for the layer
        // between F and P a rotation about the front-back axis with F and P turned back.
        case 'M': return pick("V-;", "V*;", "V+;");
        case 'E': return pick("H-;", "H*;", "H+;");
        case 'S': return pick("TR,F-;P+;", "RT,RT,F*;P*;", "RT,F+;P-;");
        case 'x': return pick("FT,", "TB,", "TF,");
        case 'y': return pick("FL,", "FP,", "FR,");
        case 'z': return pick("TR,", "TR,TR,", "TL,");
        // A wide turn is the opposite face turned the same way with the rotation about
        // their axis: r = L x, l = R x', u = D y, d = U y', f = B z, b = F z'.
        case 'r': return OwnMoveText({'L', q}) + OwnMoveText({'x', q});
        case 'l': return OwnMoveText({'R', q}) + OwnMoveText({'x', Inverse(q)});
        case 'u': return OwnMoveText({'D', q}) + OwnMoveText({'y', q});
        case 'd': return OwnMoveText({'U', q}) + OwnMoveText({'y', Inverse(q)});
        case 'f': return OwnMoveText({'B', q}) + OwnMoveText({'z', q});
        case 'b': return OwnMoveText({'F', q}) + OwnMoveText({'z', Inverse(q)});
        default: return {};
    }
}

std::string InternationalMoveText(const NotationMove& move) {
    std::string out;
    if (In(kWideMoves, move.move)) {
        out += Upper(move.move);
        out += 'w';
    } else {
        out += move.move;
    }
    if (move.quarters == 2) out += '2';
    if (move.quarters == 3) out += '\'';
    return out;
}

std::string OwnMovesText(const std::vector<NotationMove>& moves) {
    std::string out;
    for (const NotationMove& m : moves) out += OwnMoveText(m);
    return out;
}

std::string InternationalMovesText(const std::vector<NotationMove>& moves, std::string_view separator) {
    std::string out;
    for (const NotationMove& m : moves) {
        if (!out.empty()) out += separator;
        out += InternationalMoveText(m);
    }
    return out;
}

std::string InternationalOfOwnToken(std::string_view token) {
    if (token.size() != 2) return {};
    if (const int q = OwnSignQuarters(token[1]); q > 0 && token[1] != '=' && token[1] != '/') {
        constexpr std::string_view kOwn = "TBFPLR";
        const std::size_t k = kOwn.find(token[0]);
        return k == std::string_view::npos ? std::string{} : InternationalMoveText({kFaceMoves[k], q});
    }
    const NotationMove rotation = OwnRotation(token[0], token[1]);
    return rotation.quarters == 0 ? std::string{} : InternationalMoveText(rotation);
}

int InternationalRecord::FromOwn(int ownPos) const {
    for (std::size_t j = 0; j < ownIndex.size(); ++j)
        if (ownIndex[j] >= ownPos) return static_cast<int>(j);
    return static_cast<int>(text.size());
}

InternationalRecord TranslateSolutionRecord(std::string_view record) {
    InternationalRecord out;
    const std::size_t head = std::min<std::size_t>(record.size(), kRecordMovesStart);
    out.text.assign(record.substr(0, head));
    for (std::size_t k = 0; k < head; ++k) out.ownIndex.push_back(static_cast<int>(k));
    std::size_t i = head;
    while (i < record.size()) {
        if (IsSeparatorChar(record[i])) {
            // A stage marker stays in the text.
            if (record[i] == '#') {
                out.text += "# ";
                out.ownIndex.insert(out.ownIndex.end(), 2, static_cast<int>(i));
            }
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < record.size() && !IsSeparatorChar(record[j])) ++j;
        const std::string_view token = record.substr(i, j - i);
        std::string shown = InternationalOfOwnToken(token);
        if (shown.empty()) shown.assign(token);
        out.text += shown;
        out.text += ' ';
        out.ownIndex.insert(out.ownIndex.end(), shown.size(), static_cast<int>(i));
        out.ownIndex.push_back(static_cast<int>(j));
        i = j;
    }
    return out;
}

std::string SolutionInInternational(std::string_view record) {
    std::string out;
    std::size_t i = std::min<std::size_t>(record.size(), kRecordMovesStart);
    while (i < record.size()) {
        if (IsSeparatorChar(record[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < record.size() && !IsSeparatorChar(record[j])) ++j;
        const std::string shown = InternationalOfOwnToken(record.substr(i, j - i));
        if (!shown.empty()) {
            if (!out.empty()) out += ' ';
            out += shown;
        }
        i = j;
    }
    return out;
}

}  // namespace velmora
