// The move engine: applying named moves, reading move strings, sticker colours and the
// assembly check.
#include <array>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

#include "model/move_table.h"
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

// ---- compiled moves ----
// Each move of the table is turned, at compile time, into a kernel that touches only
// the slots and centres the move changes, with every slot address, twist increment
// and modulus a constant. Slots are numbered 0-19 in the order of the move codes
// (SlotRow, SlotCol give their place in CubeState::pieces).

// The slots a move changes, listed cycle by cycle: within a cycle each listed slot
// receives the content of the next one, the last the first's, each with its twist
// increment.
struct MoveKernelData {
    int slotCount = 0;
    std::uint8_t slot[20] = {}, add[20] = {}, mod[20] = {};
    int cycleCount = 0;
    std::uint8_t cycleBegin[21] = {};  // cycle c lists slot[cycleBegin[c] .. cycleBegin[c + 1])
    int centreCount = 0;
    std::uint8_t centreDest[6] = {}, centreSource[6] = {}, centreAdd[6] = {};
};


constexpr MoveKernelData CompileMove(std::string_view code) {
    MoveKernelData k;
    int source[20] = {}, add[20] = {};
    for (int s = 0; s < 20; ++s) {
        source[s] = (code[3 * s] - '1') * 4 + (code[3 * s + 1] - '1');
        add[s] = code[3 * s + 2] - '0';
        if (source[s] < 0 || source[s] >= 20 || add[s] < 0 || add[s] > 2) throw "not a slot code";
    }
    bool listed[20] = {};
    for (int s = 0; s < 20; ++s) {
        if (listed[s] || (source[s] == s && add[s] == 0)) continue;
        k.cycleBegin[k.cycleCount++] = static_cast<std::uint8_t>(k.slotCount);
        int at = s;
        do {
            if (listed[at]) throw "a move must be a permutation of the slots";
            if (IsCornerRow(SlotRow(at)) != IsCornerRow(SlotRow(source[at]))) throw "corner and edge mixed";
            listed[at] = true;
            const int n = k.slotCount++;
            k.slot[n] = static_cast<std::uint8_t>(at);
            k.add[n] = static_cast<std::uint8_t>(add[at]);
            k.mod[n] = static_cast<std::uint8_t>(IsCornerRow(SlotRow(at)) ? 3 : 2);
            at = source[at];
        } while (at != s);
    }
    k.cycleBegin[k.cycleCount] = static_cast<std::uint8_t>(k.slotCount);
    for (int c = 1; c <= 6; ++c) {
        const int from = code[60 + c - 1] - '0';
        const int turn = code[66 + c - 1] - '0';
        if (from == c && turn == 0) continue;
        const int n = k.centreCount++;
        k.centreDest[n] = static_cast<std::uint8_t>(c);
        k.centreSource[n] = static_cast<std::uint8_t>(from);
        k.centreAdd[n] = static_cast<std::uint8_t>(turn);
    }
    return k;
}

template <std::size_t I>
inline constexpr MoveKernelData kCompiled = CompileMove(move_table::kMoveTable[I].code);

// The content of a slot with its twist raised by Add, mod Mod. InRange: the twist is
// known to be 0 .. Mod - 1; otherwise it is reduced as C's % does.
template <int Add, int Mod, bool InRange>
inline int RaisedTwist(int twist) {
    int t = twist + Add;
    if constexpr (!InRange)
        t %= Mod;
    else if constexpr (Add != 0)
        t = t >= Mod ? t - Mod : t;
    return t;
}

// A slot's home row and column, the first eight bytes of the slot, moved as one word.
inline std::uint64_t HomeOf(const PieceSlot& p) {
    std::uint64_t home;
    std::memcpy(&home, static_cast<const void*>(&p), sizeof home);
    return home;
}
inline void SetHome(PieceSlot& p, std::uint64_t home) { std::memcpy(static_cast<void*>(&p), &home, sizeof home); }
static_assert(std::is_trivially_copyable_v<PieceSlot> && offsetof(PieceSlot, homeRow) == 0 &&
              offsetof(PieceSlot, homeCol) == sizeof(int));

// One cycle: every member is read first, then each receives the next one's content
// (the last the first's) with its twist raised. Twists out of their range (never
// built by the program) are reduced as C's % would reduce them.
template <std::size_t I, std::size_t Begin, std::size_t... J>
inline void ApplyCycle(CubeState& cube, std::index_sequence<J...>) {
    constexpr const MoveKernelData& k = kCompiled<I>;
    constexpr std::size_t n = sizeof...(J);
    constexpr int mod = k.mod[Begin];
    PieceSlot* const at[n] = {&cube.pieces[SlotRow(k.slot[Begin + J])][SlotCol(k.slot[Begin + J])]...};
    const std::uint64_t home[n] = {HomeOf(*at[J])...};
    const int twist[n] = {at[J]->twist...};
    const auto write = [&]<bool InRange>() {
        ((SetHome(*at[J], home[(J + 1) % n]),
          at[J]->twist = RaisedTwist<k.add[Begin + J], mod, InRange>(twist[(J + 1) % n])),
         ...);
    };
    const bool stray = (false | ... | (static_cast<unsigned>(twist[J]) >= static_cast<unsigned>(mod)));
    if (!stray) [[likely]]
        write.template operator()<true>();
    else
        write.template operator()<false>();
}

template <std::size_t I, std::size_t... C>
inline void ApplyCycles([[maybe_unused]] CubeState& cube, std::index_sequence<C...>) {
    (ApplyCycle<I, kCompiled<I>.cycleBegin[C]>(
         cube, std::make_index_sequence<kCompiled<I>.cycleBegin[C + 1] - kCompiled<I>.cycleBegin[C]>{}),
     ...);
}

template <std::size_t I, std::size_t... C>
inline void ApplyCentres(CubeState& cube, std::index_sequence<C...>) {
    constexpr const MoveKernelData& k = kCompiled<I>;
    if constexpr (sizeof...(C) > 0) {
        const int ids[sizeof...(C)] = {cube.centres[k.centreSource[C]]...};
        const int turns[sizeof...(C)] = {(cube.centreTurns[k.centreSource[C]] + k.centreAdd[C])...};
        // (turns + increment) mod 4 as C computes it: negative values keep their sign.
        ((cube.centres[k.centreDest[C]] = ids[C],
          cube.centreTurns[k.centreDest[C]] = turns[C] >= 0 ? (turns[C] & 3) : turns[C] % 4),
         ...);
    }
}

template <std::size_t I>
void MoveKernel(CubeState& cube) {
    ApplyCycles<I>(cube, std::make_index_sequence<kCompiled<I>.cycleCount>{});
    ApplyCentres<I>(cube, std::make_index_sequence<kCompiled<I>.centreCount>{});
}

using KernelFn = void (*)(CubeState&);
constexpr std::size_t kMoves = move_table::kMoveTable.size();

template <std::size_t... I>
constexpr std::array<KernelFn, kMoves> MakeKernels(std::index_sequence<I...>) {
    return {&MoveKernel<I>...};
}
constexpr std::array<KernelFn, kMoves> kKernels = MakeKernels(std::make_index_sequence<kMoves>{});

// Two-character tokens -> table index, -1 where none.
struct TokenIndex {
    std::int8_t index[128][128];
    constexpr TokenIndex() : index() {
        for (auto& row : index)
            for (auto& cell : row) cell = -1;
        for (std::size_t i = 0; i < kMoves; ++i) {
            const std::string_view t = move_table::kMoveTable[i].token;
            if (t.size() == 2)
                index[static_cast<unsigned char>(t[0])][static_cast<unsigned char>(t[1])] =
                    static_cast<std::int8_t>(i);
        }
    }
};
constexpr TokenIndex kTokenIndex;

// The move record's text and the face turns of each move, the text padded with NULs so
// that a short one is copied in one piece.
struct MoveRecordText {
    char text[8] = {};
    std::uint8_t size = 0;
    std::uint8_t turns = 0;
};
struct MoveRecordTexts {
    MoveRecordText entry[kMoves];
    constexpr MoveRecordTexts() : entry() {
        for (std::size_t i = 0; i < kMoves; ++i) {
            const MoveEntry& m = move_table::kMoveTable[i];
            entry[i].size = static_cast<std::uint8_t>(m.record.size());
            entry[i].turns = static_cast<std::uint8_t>(m.turns);
            for (std::size_t j = 0; j < m.record.size() && j < 8; ++j) entry[i].text[j] = m.record[j];
        }
    }
};
constexpr MoveRecordTexts kRecordTexts;

inline int TwoCharIndex(char first, char second) {
    const unsigned char a = static_cast<unsigned char>(first);
    const unsigned char b = static_cast<unsigned char>(second);
    return (a | b) < 128 ? kTokenIndex.index[a][b] : -1;
}

}  // namespace

static_assert(kMoves < 128, "token indices are held in eight bits");

SilentUser& DefaultUser() {
    static SilentUser silent;
    return silent;
}

CTarnexSource::CTarnexSource() : user(&DefaultUser()) {
    cube.SetSolved();
    startState.SetSolved();
}

int CTarnexSource::MoveCount() { return static_cast<int>(kMoves); }
const MoveEntry& CTarnexSource::Move(int index) { return move_table::kMoveTable[static_cast<std::size_t>(index)]; }

int CTarnexSource::FindToken(std::string_view token) const {
    if (token.size() == 2) return TwoCharIndex(token[0], token[1]);
    for (int i = 0; i < MoveCount(); ++i)
        if (Move(i).token.size() != 2 && Move(i).token == token) return i;
    return -1;
}

int CTarnexSource::ApplyToken(std::string_view token) {
    const int index = token.size() == 2 ? TwoCharIndex(token[0], token[1]) : FindToken(token);
    if (index < 0) {
        if (token == "RESET") {
            ResetCube();
            return 0;
        }
        return -1;
    }
    return ApplyMoveIndex(index);
}

int CTarnexSource::ApplyMoveIndex(int index) {
    const MoveRecordText& r = kRecordTexts.entry[index];
    const std::size_t at = moveRecord.size();
    if (r.size >= sizeof r.text || at + sizeof r.text > kRecordCapacity) [[unlikely]]
        return ApplyLongMove(index);
    kKernels[static_cast<std::size_t>(index)](cube);
    moveRecord.AppendPadded(r.text, r.size);
    turnCounter += r.turns;
    return r.turns;
}

// A move whose record text is long, or one near the record's bound.
int CTarnexSource::ApplyLongMove(int index) {
    const MoveEntry& move = Move(index);
    // A full move record refuses the move: the record always replays to the position.
    if (move.record.size() > kRecordCapacity - moveRecord.size()) {
        moveRecordFull = true;
        statusText.Assign("动作记录已满，没有执行“");
        statusText.AppendCut(move.token);
        statusText.AppendCut("”！");
        return -1;
    }
    kKernels[static_cast<std::size_t>(index)](cube);
    moveRecord.AppendShort(move.record);
    turnCounter += move.turns;
    return move.turns;
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

    // Tokens are the runs of characters between separators (codes of 32 or less and
    // bytes of 128 and above end a token too), read in capitals.
    const std::size_t size = text.size();
    std::size_t i = start;
    while (i < size) {
        if (kScan.cls[static_cast<unsigned char>(text[i])] == kEnds) {
            ++i;
            continue;
        }
        if (i + 2 < size && kScan.cls[static_cast<unsigned char>(text[i + 2])] == kEnds &&
            kScan.cls[static_cast<unsigned char>(text[i + 1])] != kEnds) [[likely]] {
            // The common case: a two-character move and its separator.
            const int index = TwoCharIndex(kScan.upper[static_cast<unsigned char>(text[i])],
                                           kScan.upper[static_cast<unsigned char>(text[i + 1])]);
            if (index >= 0) {
                const int got = ApplyMoveIndex(index);
                if (got > 0) total += got;
            }
            i += 3;
            continue;
        }
        std::size_t j = i + 1;
        while (j < size && kScan.cls[static_cast<unsigned char>(text[j])] != kEnds) ++j;
        const std::size_t length = j - i;
        if (length == 2) {
            const int index = TwoCharIndex(kScan.upper[static_cast<unsigned char>(text[i])],
                                           kScan.upper[static_cast<unsigned char>(text[i + 1])]);
            if (index >= 0) {
                const int got = ApplyMoveIndex(index);
                if (got > 0) total += got;
            }
        } else if (length <= static_cast<std::size_t>(kMaxTokenLength)) {
            char token[kMaxTokenLength];
            for (std::size_t k = 0; k < length; ++k) token[k] = kScan.upper[static_cast<unsigned char>(text[i + k])];
            const std::string_view tok(token, length);
            if (tok == "STOP") return total;
            const int got = ApplyToken(tok);
            if (got > 0) total += got;
        } else {
            return total + RunLongTokens(text, i);
        }
        i = j;
    }
    return total;
}

// The rest of a move string from a run longer than a token: a token stops growing at
// its bound, where further token characters are dropped and any other character ends
// it and is itself dropped.
int CTarnexSource::RunLongTokens(std::string_view text, std::size_t from) {
    int total = 0;
    char token[kMaxTokenLength + 1];
    int len = 0;
    const std::size_t size = text.size();
    for (std::size_t i = from; i <= size; ++i) {
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
