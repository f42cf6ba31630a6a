#pragma once
// Pruning tables of the fewest-turns method. Each entry is the exact number of moves
// (half-turn metric) that solves one part of the cube, so each is a lower bound for
// the whole cube; the search takes the largest of them.
//
// Corners: every corner permutation with every twist, 40320 * 2187 entries. Edges:
// the places and flips of the first n edge pieces (n = 6 for the small set, 7 for the
// large one), 12!/(12-n)! * 2^n entries. Entries are nibbles, low nibble first. The
// two-phase method's own table (distance to its phase-2 group) is used beside them.
//
// The tables are built once, written under $XDG_CACHE_HOME/velmora/ (or
// ~/.cache/velmora/) with a checksum, and mapped read-only, so that several programs
// share one copy; a missing or damaged file is built again.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace velmora::optimal {

enum class TableSize { Small, Large };

inline constexpr int kCornerPerms = 40320;
inline constexpr int kTwists = 2187;
inline constexpr long kCornerEntries = static_cast<long>(kCornerPerms) * kTwists;

constexpr int EdgePieces(TableSize size) { return size == TableSize::Small ? 6 : 7; }
constexpr long EdgePlaceCount(int n) {
    long r = 1;
    for (int i = 0; i < n; ++i) r *= 12 - i;
    return r;
}
constexpr long EdgeEntries(int n) { return EdgePlaceCount(n) << n; }
// Bytes of the file: header, corner nibbles, edge nibbles.
inline constexpr long kHeaderBytes = 64;
constexpr long FileBytes(TableSize size) {
    return kHeaderBytes + kCornerEntries / 2 + EdgeEntries(EdgePieces(size)) / 2;
}

// The size this machine gets when none is asked for: the large set when it has at
// least 4 GB of memory.
TableSize DefaultTableSize();
const char* TableSizeName(TableSize size);  // "small" / "large"
bool ParseTableSize(const std::string& text, TableSize& out);

// Move tables the search follows, built in static storage on first use.
struct MoveTables {
    std::uint16_t cornerPerm[kCornerPerms][18];
    // An edge piece's place * 2 + flip after each move.
    std::uint8_t edgeLoc[24][18];
};
const MoveTables& Moves();

int CornerPermRank(const std::uint8_t* cp);
// Index of the edge table from the places * 2 + flips of edge pieces 0..n-1.
inline long EdgeIndex(const std::uint8_t* loc, int n) {
    long rank = 0;
    unsigned used = 0, flips = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned place = loc[i] >> 1;
        rank = rank * (12 - i) + (place - static_cast<unsigned>(__builtin_popcount(used & ((1u << place) - 1))));
        used |= 1u << place;
        flips = flips << 1 | (loc[i] & 1u);
    }
    return rank << n | flips;
}

struct PruneTables {
    TableSize size = TableSize::Small;
    int edgePieces = 6;
    const std::uint8_t* corners = nullptr;  // kCornerEntries nibbles
    const std::uint8_t* edges = nullptr;    // EdgeEntries(edgePieces) nibbles
    long fileBytes = 0;
    std::string path;

    static int Nibble(const std::uint8_t* t, long i) { return (t[i >> 1] >> ((i & 1) << 2)) & 15; }
    int Corner(int perm, int twist) const { return Nibble(corners, static_cast<long>(perm) * kTwists + twist); }
    int Edge(const std::uint8_t* loc) const { return Nibble(edges, EdgeIndex(loc, edgePieces)); }
};

// Progress while building: the share done (0-1) and a line saying what is built;
// returning false cancels the build.
using BuildProgress = std::function<bool(double share, const char* what)>;

enum class LoadOutcome { Mapped, Built, Rebuilt, Cancelled, Failed };

struct LoadReport {
    LoadOutcome outcome = LoadOutcome::Failed;
    double buildSeconds = 0;
    std::string message;  // why it failed, or what was rebuilt
};

// The folder of the cached tables: $XDG_CACHE_HOME/velmora, else $HOME/.cache/velmora.
std::string CacheFolder();
std::string TablePath(TableSize size);

// Maps the table file of this size, building (and writing) it first when it is missing
// or its checksum does not match. The tables stay mapped for the life of the process;
// a second call for the same size returns the same tables. nullptr when cancelled or
// failed (report says why).
const PruneTables* LoadTables(TableSize size, const BuildProgress& progress, LoadReport& report);
// The same without the process's copy: a fresh mapping (or build) into out, which
// CloseTables releases. LoadTables uses it once per size.
bool OpenTables(TableSize size, const BuildProgress& progress, LoadReport& report, PruneTables& out);
void CloseTables(PruneTables& tables);
// The tables of this size when they are already loaded, else nullptr.
const PruneTables* LoadedTables(TableSize size);

// Builds the two tables into memory (exposed for the file code and for tests).
bool BuildTables(int edgePieces, std::uint8_t* corners, std::uint8_t* edges, const BuildProgress& progress);
std::uint64_t Checksum(const std::uint8_t* data, long bytes);

}  // namespace velmora::optimal
