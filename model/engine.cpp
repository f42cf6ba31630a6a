// The move engine: applying named moves, reading move strings, sticker colours and the
// assembly check.
#include <cctype>
#include <cstring>

#include "model/tarnex_source.h"

namespace velmora {
namespace {

// Characters that end a move token.
constexpr std::string_view kSeparators = ";,\r\n\t\v'\"\\ :.[]{}()#";
// Characters a token is made of.
constexpr std::string_view kTokenChars = "*+-BFLPRT";
constexpr std::string_view kFaceLetters = "TFRPLB";
constexpr int kMaxTokenLength = 23;

bool IsSeparator(char c) { return c != '\0' && kSeparators.find(c) != std::string_view::npos; }

}  // namespace

bool IsMoveSeparator(char c) { return c == '\0' || IsSeparator(c); }

SilentUser& DefaultUser() {
    static SilentUser silent;
    return silent;
}

CTarnexSource::CTarnexSource() : user(&DefaultUser()) {
    std::memset(tokenIndex2, -1, sizeof tokenIndex2);
    cube.SetSolved();
    startState.SetSolved();
}

int CTarnexSource::FindToken(std::string_view token) const {
    if (token.size() == 2) {
        unsigned char a = static_cast<unsigned char>(token[0]);
        unsigned char b = static_cast<unsigned char>(token[1]);
        if (a < 128 && b < 128) return tokenIndex2[a][b];
        return -1;
    }
    for (int i = 0; i < MoveCount(); ++i)
        if (Move(i).token.size() != 2 && Move(i).token == token) return i;
    return -1;
}

int CTarnexSource::ApplyToken(std::string_view token) {
    int index = FindToken(token);
    if (index < 0) {
        if (token == "RESET") {
            ResetCube();
            return 0;
        }
        return -1;
    }
    const MoveEntry& entry = Move(index);
    // A full move record refuses the move: the record always replays to the position.
    if (entry.record.size() > kRecordCapacity - moveRecord.size()) {
        moveRecordFull = true;
        statusText.Assign("动作记录已满，没有执行“");
        statusText.AppendCut(token);
        statusText.AppendCut("”！");
        return -1;
    }
    const DecodedMove& m = decoded[index];
    const CubeState old = cube;
    for (int i = 0; i < 20; ++i) {
        int src = m.slotSource[i];
        const PieceSlot& from = old.pieces[SlotRow(src)][SlotCol(src)];
        PieceSlot& to = cube.pieces[SlotRow(i)][SlotCol(i)];
        int mod = IsCornerRow(SlotRow(i)) ? 3 : 2;
        to.homeRow = from.homeRow;
        to.homeCol = from.homeCol;
        to.twist = (from.twist + m.twistAdd[i]) % mod;
    }
    for (int k = 1; k <= 6; ++k) {
        int src = m.centreSource[k];
        cube.centres[k] = old.centres[src];
        cube.centreTurns[k] = (old.centreTurns[src] + m.centreAdd[k]) % 4;
    }
    moveRecord.Append(entry.record);
    turnCounter += entry.turns;
    return entry.turns;
}

int CTarnexSource::RunMoveString(int pendingTurns, std::string_view text) {
    // Merge the owed turns into a leading bottom or top move.
    int g = pendingTurns;
    std::size_t start = 3;
    char face = 'B';
    char c0 = text.size() > 0 ? text[0] : '\0';
    char c1 = text.size() > 1 ? text[1] : '\0';
    if (c0 == 'B' && (c1 == '-' || c1 == '*' || c1 == '+')) {
        g += c1 == '-' ? 1 : c1 == '*' ? 2 : 3;
    } else if (c0 == 'T' && (c1 == '-' || c1 == '*' || c1 == '+' || c1 == '0')) {
        g += c1 == '-' ? 1 : c1 == '*' ? 2 : c1 == '+' ? 3 : 0;
        face = 'T';
    } else {
        start = 0;
    }
    int total = 0;
    int r = g % 4;
    if (r >= 1) {
        char merged[3] = {face, r == 1 ? '-' : r == 2 ? '*' : '+', '\0'};
        total = ApplyToken(std::string_view(merged, 2));
    }
    if (text.size() < start) return total;

    char token[kMaxTokenLength + 1];
    int len = 0;
    for (std::size_t i = start; i <= text.size(); ++i) {
        char ch = i < text.size() ? text[i] : '\0';
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
        if (ch == '/') ch = '*';
        if (ch == '=') ch = '+';
        bool ends;
        if (ch != '\0' && kTokenChars.find(ch) != std::string_view::npos) {
            if (len < kMaxTokenLength) token[len++] = ch;
            ends = false;
        } else if (IsSeparator(ch) || len >= kMaxTokenLength ||
                   static_cast<signed char>(ch) <= 32) {
            ends = true;
        } else {
            token[len++] = ch;
            ends = false;
        }
        if (ends && len > 0) {
            std::string_view tok(token, static_cast<std::size_t>(len));
            if (tok == "STOP") return total;
            int got = ApplyToken(tok);
            if (got > 0) total += got;
            len = 0;
        }
    }
    return total;
}

void CTarnexSource::ResetCube() {
    cube.SetSolved();
    moveRecord.Clear();
    moveRecordFull = false;
    turnCounter = 0;
    commandText.Clear();
}

void CTarnexSource::AnimationHint(std::string_view token) {
    animAngle = 0;
    if (token.size() > 2 || token.empty()) return;
    char a = token[0];
    if (kFaceLetters.find(a) == std::string_view::npos) return;
    if (token.size() < 2) return;
    char b = token[1];
    if (b == '+' || b == '-' || b == '*') {
        animAxis = a;
        animAngle = b == '+' ? -90 : b == '-' ? 90 : 180;
        return;
    }
    struct Hint { const char* tokens; char axis; int angle; };
    static constexpr Hint kHints[] = {
        {"TFFBBPPT", 'X', 90},  {"FTBFPBTP", 'X', -90}, {"TBBT", 'X', 180},
        {"FRRPPLLF", 'Y', 90},  {"FLLPPRRF", 'Y', -90}, {"FPPFLRRL", 'Y', 180},
        {"RTTLLBBR", 'Z', 90},  {"TRRBBLLT", 'Z', -90},
    };
    for (const Hint& h : kHints) {
        std::string_view list(h.tokens);
        for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
            if (list[i] == a && list[i + 1] == b) {
                animAxis = h.axis;
                animAngle = h.angle;
                return;
            }
        }
    }
}

int CTarnexSource::StickerColour(int row, int column, int sticker) const {
    if (column == 0) {
        if (row < 0 || row > 5) return 0;
        int id = cube.centres[row + 1];
        return (id >= 1 && id <= 6) ? centreColours[id] : 0;
    }
    if (row < 1 || row > 5 || column < 1 || column > 4) return 0;
    int n = IsCornerRow(row) ? 3 : 2;
    if (sticker < 1 || sticker > n) return 0;
    const PieceSlot& p = cube.pieces[row][column];
    if (p.homeRow < 1 || p.homeRow > 5 || p.homeCol < 1 || p.homeCol > 4) return 0;
    int t = ((p.twist % n) + n) % n;
    int entry = ((sticker - 1 - t) % n + n) % n;
    return pieceColours[p.homeRow][p.homeCol][entry];
}

int CTarnexSource::CheckAssembly() const {
    int twists = 0, flips = 0;
    int seq[26];
    int n = 0;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const PieceSlot& p = cube.pieces[r][c];
            if (IsCornerRow(r)) twists += p.twist; else flips += p.twist;
            seq[n++] = (p.homeRow - 1) * 4 + p.homeCol;
        }
    }
    for (int k = 1; k <= 6; ++k) seq[n++] = cube.centres[k] + 20;
    // Bubble sort counting exchanges: the parity of the exchanges is the parity of the
    // arrangement of all 26 pieces.
    int exchanges = 0;
    for (int end = 25; end > 0; --end) {
        bool swapped = false;
        for (int i = 0; i < end; ++i) {
            if (seq[i] > seq[i + 1]) {
                int t = seq[i]; seq[i] = seq[i + 1]; seq[i + 1] = t;
                ++exchanges;
                swapped = true;
            }
        }
        if (!swapped) break;
    }
    int base = 0;
    for (int i = 0; i < 26; ++i)
        if (seq[i] != i + 1) { base = 300000; break; }
    return base + 100 * (((twists % 3) + 3) % 3) + 10 * (((flips % 2) + 2) % 2) + (exchanges % 2);
}

void CTarnexSource::WritePositionCode(const CubeState& s, char out[kCodeLength + 1]) {
    int n = 0;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const PieceSlot& p = s.pieces[r][c];
            out[n++] = static_cast<char>('0' + p.homeRow);
            out[n++] = static_cast<char>('0' + p.homeCol);
            out[n++] = static_cast<char>('0' + p.twist);
        }
    }
    for (int k = 1; k <= 6; ++k) out[n++] = static_cast<char>('0' + s.centres[k]);
    for (int k = 1; k <= 6; ++k) out[n++] = static_cast<char>('0' + s.centreTurns[k]);
    out[n] = '\0';
}

}  // namespace velmora
