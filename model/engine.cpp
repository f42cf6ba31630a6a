// The move engine: applying named moves, reading move strings, sticker colours and the
// assembly check.
#include <cctype>
#include <cstring>

#include "model/tarnex_source.h"

namespace velmora {
namespace {

// Characters a token is made of.
constexpr std::string_view kTokenChars = "*+-BFLPRT";
constexpr std::string_view kFaceLetters = "TFRPLB";
constexpr int kMaxTokenLength = 23;

// Character classes of the move-string scanner, by byte value.
enum CharClass : std::uint8_t { kOther = 0, kTokenChar = 1, kEnds = 2 };

struct ScanTable {
    std::uint8_t cls[256];
    char upper[256];
    constexpr ScanTable() : cls(), upper() {
        for (int i = 0; i < 256; ++i) {
            char c = static_cast<char>(i);
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (c == '/') c = '*';
            if (c == '=') c = '+';
            upper[i] = c;
            bool token = kTokenChars.find(c) != std::string_view::npos;
            // Codes of 32 or less end a token; so do bytes of 128 and above, which
            // count as negative.
            bool ends = i <= 32 || i >= 128 || kSeparatorSet.find(c) != std::string_view::npos;
            cls[i] = token ? kTokenChar : ends ? kEnds : kOther;
        }
    }
};
constexpr ScanTable kScan;

// Slot `to` receives the content of `from`, its twist raised by add (mod 3 or 2).
inline void Receive(PieceSlot& to, const PieceSlot& from, int add, int mod) {
    int t = from.twist + add;
    if (t >= mod) t -= mod;
    if (static_cast<unsigned>(t) >= static_cast<unsigned>(mod)) t = (from.twist + add) % mod;
    to.homeRow = from.homeRow;
    to.homeCol = from.homeCol;
    to.twist = t;
}

}  // namespace

SilentUser& DefaultUser() {
    static SilentUser silent;
    return silent;
}

CTarnexSource::CTarnexSource() : user(&DefaultUser()) {
    DecodeMoves();
    cube.SetSolved();
    startState.SetSolved();
}

void CTarnexSource::DecodeMoves() {
    std::memset(tokenIndex2, -1, sizeof tokenIndex2);
    for (int i = 0; i < MoveCount(); ++i) {
        const MoveEntry& e = Move(i);
        if (e.token.size() == 2)
            tokenIndex2[static_cast<unsigned char>(e.token[0])][static_cast<unsigned char>(e.token[1])] =
                static_cast<std::int8_t>(i);
        DecodedMove& d = decoded[i];
        d = DecodedMove{};
        d.record = e.record;
        d.turns = e.turns;
        int source[20], add[20];
        for (int s = 0; s < 20; ++s) {
            source[s] = (e.code[3 * s] - '1') * 4 + (e.code[3 * s + 1] - '1');
            add[s] = e.code[3 * s + 2] - '0';
        }
        // Follow each cycle from a changed slot: slot s receives slot source[s].
        bool listed[20] = {};
        for (int s = 0; s < 20; ++s) {
            if (listed[s] || (source[s] == s && add[s] == 0)) continue;
            int cycle[20], length = 0;
            int at = s;
            do {
                listed[at] = true;
                cycle[length++] = at;
                at = source[at];
            } while (at != s && !listed[at]);
            const bool closed = at == s;
            bool oneKind = true;
            for (int k = 1; k < length; ++k)
                oneKind = oneKind && IsCornerRow(SlotRow(cycle[k])) == IsCornerRow(SlotRow(cycle[0]));
            auto flat = [](int index) { return static_cast<std::uint8_t>(SlotRow(index) * 5 + SlotCol(index)); };
            auto modOf = [](int index) { return static_cast<std::uint8_t>(IsCornerRow(SlotRow(index)) ? 3 : 2); };
            if (closed && oneKind && length == 4) {
                int q = d.quadCount++;
                for (int k = 0; k < 4; ++k) {
                    d.quad[q][k] = flat(cycle[k]);
                    d.quadAdd[q][k] = static_cast<std::uint8_t>(add[cycle[k]]);
                }
                d.quadMod[q] = modOf(cycle[0]);
            } else if (closed && oneKind && length == 2) {
                int p = d.pairCount++;
                for (int k = 0; k < 2; ++k) {
                    d.pair[p][k] = flat(cycle[k]);
                    d.pairAdd[p][k] = static_cast<std::uint8_t>(add[cycle[k]]);
                }
                d.pairMod[p] = modOf(cycle[0]);
            } else {
                for (int k = 0; k < length; ++k) {
                    int n = d.slotCount++;
                    d.cycleSlots[n] = flat(cycle[k]);
                    d.twistAdd[n] = static_cast<std::uint8_t>(add[cycle[k]]);
                    d.twistMod[n] = modOf(cycle[k]);
                }
                d.cycleEnd[d.cycleCount++] = d.slotCount;
            }
        }
        for (int k = 1; k <= 6; ++k) {
            int src = e.code[60 + k - 1] - '0';
            int add = e.code[66 + k - 1] - '0';
            if (src == k && add == 0) continue;
            int n = d.centreCount++;
            d.centreDest[n] = static_cast<std::uint8_t>(k);
            d.centreSource[n] = static_cast<std::uint8_t>(src);
            d.centreAdd[n] = static_cast<std::uint8_t>(add);
        }
    }
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
    int index;
    if (token.size() == 2) {
        unsigned char a = static_cast<unsigned char>(token[0]);
        unsigned char b = static_cast<unsigned char>(token[1]);
        index = (a | b) < 128 ? tokenIndex2[a][b] : -1;
    } else {
        index = FindToken(token);
    }
    if (index < 0) {
        if (token == "RESET") {
            ResetCube();
            return 0;
        }
        return -1;
    }
    const DecodedMove& m = decoded[index];
    // A full move record refuses the move: the record always replays to the position.
    if (m.record.size() > kRecordCapacity - moveRecord.size()) {
        moveRecordFull = true;
        statusText.Assign("动作记录已满，没有执行“");
        statusText.AppendCut(token);
        statusText.AppendCut("”！");
        return -1;
    }
    PieceSlot* slots = &cube.pieces[0][0];
    for (int q = 0; q < m.quadCount; ++q) {
        PieceSlot& a = slots[m.quad[q][0]];
        PieceSlot& b = slots[m.quad[q][1]];
        PieceSlot& c = slots[m.quad[q][2]];
        PieceSlot& d = slots[m.quad[q][3]];
        const PieceSlot first = a;
        const int mod = m.quadMod[q];
        const std::uint8_t* add = m.quadAdd[q];
        Receive(a, b, add[0], mod);
        Receive(b, c, add[1], mod);
        Receive(c, d, add[2], mod);
        Receive(d, first, add[3], mod);
    }
    for (int p = 0; p < m.pairCount; ++p) {
        PieceSlot& a = slots[m.pair[p][0]];
        PieceSlot& b = slots[m.pair[p][1]];
        const PieceSlot first = a;
        const int mod = m.pairMod[p];
        Receive(a, b, m.pairAdd[p][0], mod);
        Receive(b, first, m.pairAdd[p][1], mod);
    }
    int begin = 0;
    for (int c = 0; c < m.cycleCount; ++c) {
        const int last = m.cycleEnd[c] - 1;
        const PieceSlot first = slots[m.cycleSlots[begin]];
        for (int i = begin; i < last; ++i)
            Receive(slots[m.cycleSlots[i]], slots[m.cycleSlots[i + 1]], m.twistAdd[i], m.twistMod[i]);
        Receive(slots[m.cycleSlots[last]], first, m.twistAdd[last], m.twistMod[last]);
        begin = last + 1;
    }
    if (m.centreCount) {
        int turns[6], ids[6];
        for (int i = 0; i < m.centreCount; ++i) {
            ids[i] = cube.centres[m.centreSource[i]];
            turns[i] = cube.centreTurns[m.centreSource[i]] + m.centreAdd[i];
        }
        for (int i = 0; i < m.centreCount; ++i) {
            cube.centres[m.centreDest[i]] = ids[i];
            int t = turns[i];
            if (t >= 4 || t < 0) t %= 4;
            cube.centreTurns[m.centreDest[i]] = t;
        }
    }
    moveRecord.AppendShort(m.record);
    turnCounter += m.turns;
    return m.turns;
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
    const std::size_t size = text.size();
    for (std::size_t i = start; i <= size; ++i) {
        unsigned char byte = i < size ? static_cast<unsigned char>(text[i]) : 0;
        std::uint8_t cls = kScan.cls[byte];
        if (cls == kTokenChar) {
            if (len < kMaxTokenLength) token[len++] = kScan.upper[byte];
            continue;
        }
        if (cls == kOther && len < kMaxTokenLength) {
            token[len++] = kScan.upper[byte];
            continue;
        }
        if (len > 0) {
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
    // The exchanges a bubble sort makes number the inversions of the sequence; only
    // their parity counts. For an arrangement of all 26 pieces it is the parity of the
    // permutation, found from its cycles; otherwise the inversions are counted.
    int base = 0;
    unsigned seen = 0;
    for (int i = 0; i < 26; ++i) {
        int v = seq[i];
        if (v < 1 || v > 26 || (seen & (1u << v))) { base = 300000; break; }
        seen |= 1u << v;
    }
    int exchanges = 0;
    if (base == 0) {
        unsigned visited = 0;
        for (int i = 0; i < 26; ++i) {
            if (visited & (1u << i)) continue;
            int length = 0;
            for (int j = i; !(visited & (1u << j)); j = seq[j] - 1) {
                visited |= 1u << j;
                ++length;
            }
            exchanges += length - 1;
        }
    } else {
        for (int i = 0; i < 26; ++i)
            for (int j = i + 1; j < 26; ++j) exchanges += seq[i] > seq[j];
    }
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
