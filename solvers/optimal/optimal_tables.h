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
// The huge set adds the exact distance to the solved twist, flip and middle edges (the
// four middle edges in their own places, not only in the middle layer): the flip with
// the set of places of the middle edges falls into the two-phase method's 64430
// classes under the sixteen symmetries that keep the U-D axis, and each class with the
// order of the middle edges (24) and the twist, both seen through the class's
// symmetry, is one nibble. The class table is the two-phase method's own (4 MB), so a
// lookup is one read of the large table. The set also holds the exact distance to
// solved corners with the four middle edges back in the middle layer (in any order): a
// class of corner permutations under the same symmetries (2768), with the twist and
// the places of the middle edges seen through the class's symmetry, one nibble each.
// The two see different pieces, so a branch one lets through the other often cuts.
//
// The tables are built once, written under $XDG_CACHE_HOME/velmora/ (or
// ~/.cache/velmora/) with a checksum, and mapped read-only, so that several programs
// share one copy; a missing or damaged file is built again.
#include <atomic>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "solvers/shortest/cubie_cube.h"
#include "solvers/shortest/search_tables.h"

namespace velmora::optimal {

enum class TableSize { Small, Large, Huge };
inline constexpr int kTableSizes = 3;

inline constexpr int kCornerPerms = 40320;
inline constexpr int kTwists = 2187;
inline constexpr long kCornerEntries = static_cast<long>(kCornerPerms) * kTwists;

// The huge set keeps the small edge table: its own table bounds the edges far better.
constexpr int EdgePieces(TableSize size) { return size == TableSize::Large ? 7 : 6; }
constexpr long EdgePlaceCount(int n) {
    long r = 1;
    for (int i = 0; i < n; ++i) r *= 12 - i;
    return r;
}
constexpr long EdgeEntries(int n) { return EdgePlaceCount(n) << n; }
// Places, in order, of the four middle edges: 495 sets of places * 24 orders.
inline constexpr int kSortedSlices = 11880;
inline constexpr int kSliceClasses = shortest::kFlipSliceClasses;
inline constexpr long kSliceRow = 24L * kTwists;
inline constexpr long kSliceEntries = kSliceClasses * kSliceRow;
inline constexpr int kCornerClasses = shortest::kPermClasses;
inline constexpr int kMiddlePlaces = shortest::kSlices;
inline constexpr long kCornerSliceRow = static_cast<long>(kTwists) * kMiddlePlaces;
inline constexpr long kCornerSliceEntries = kCornerClasses * kCornerSliceRow;
// Bytes of the file: header, corner nibbles, edge nibbles, and for the huge set the
// nibbles of the twist, flip and middle edges and those of the corners with the middle
// places.
inline constexpr long kHeaderBytes = 64;
constexpr long FileBytes(TableSize size) {
    return kHeaderBytes + kCornerEntries / 2 + EdgeEntries(EdgePieces(size)) / 2 +
           (size == TableSize::Huge ? kSliceEntries / 2 + kCornerSliceEntries / 2 : 0);
}

// The size this machine gets when none is asked for: the huge set when it has at
// least 8 GB of memory (it maps 3.2 GB, and building it holds as much again in
// the page cache for a moment), the large set with at least 4 GB.
TableSize DefaultTableSize();
const char* TableSizeName(TableSize size);  // "small" / "large" / "huge"
bool ParseTableSize(const std::string& text, TableSize& out);

// Move tables the search follows, built in static storage on first use.
struct MoveTables {
    std::uint16_t cornerPerm[kCornerPerms][18];
    // An edge piece's place * 2 + flip after each move.
    std::uint8_t edgeLoc[24][18];
    // The places of the middle edges after each move.
    std::uint16_t sortedSlice[kSortedSlices][18];
    // The set of places of the middle edges (the two-phase slice coordinate) seen
    // through each of the sixteen symmetries (S_s^-1 c S_s), and the order of the
    // middle edges (the sorted slice's rank of the order) likewise.
    std::uint16_t sliceConj[kMiddlePlaces][16];
    std::uint8_t sliceOrderConj[kSortedSlices][16];
};
const MoveTables& Moves();

// Rank of the corner permutation (0 when solved): the search takes it for every
// inverse it reads, so it counts the smaller values before each place in a bit set
// (by a table of bit counts, which any processor has).
inline constexpr std::array<std::uint8_t, 256> kBitCount = [] {
    std::array<std::uint8_t, 256> n{};
    for (int i = 1; i < 256; ++i) n[i] = static_cast<std::uint8_t>(n[i / 2] + i % 2);
    return n;
}();
inline int CornerPermRank(const std::uint8_t* cp) {
    constexpr int kFactorial[7] = {5040, 720, 120, 24, 6, 2, 1};
    unsigned seen = 0;
    int rank = 0;
    for (int i = 0; i < 7; ++i) {
        rank += (cp[i] - kBitCount[seen & ((1u << cp[i]) - 1)]) * kFactorial[i];
        seen |= 1u << cp[i];
    }
    return rank;
}
// Places of the middle edges: the set of four places (the two-phase slice coordinate)
// * 24 + the rank of the order in which the middle pieces stand; 0 when solved.
int SortedSliceOf(const shortest::CubieCube& c);
// The set of four places of the middle edges (the two-phase slice coordinate) by the
// mask of those places (4096 entries; masks of another size give 0).
const std::uint16_t* SliceOfMask();
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
    // The huge set only (else nullptr): kSliceEntries nibbles by (flip-slice class * 24
    // + order of the middle edges) * 2187 + twist, the last two seen through the
    // class's symmetry.
    const std::uint8_t* slices = nullptr;
    // The huge set only: kCornerSliceEntries nibbles by (corner class * 2187 + twist) *
    // 495 + middle places, the last two seen through the class's symmetry.
    const std::uint8_t* cornerSlices = nullptr;
    long fileBytes = 0;
    std::string path;

    static int Nibble(const std::uint8_t* t, long i) { return (t[i >> 1] >> ((i & 1) << 2)) & 15; }
    int Corner(int perm, int twist) const { return Nibble(corners, static_cast<long>(perm) * kTwists + twist); }
    int Edge(const std::uint8_t* loc) const { return Nibble(edges, EdgeIndex(loc, edgePieces)); }
    // Entries of the two tables of the huge set: the twist, flip and middle edges by
    // their places (sorted slice); the corners and the middle places by the two-phase
    // tables' corner class << 4 | symmetry of the corner permutation.
    static long SliceIndex(int sortedSlice, int flip, int twist, const shortest::SearchTables& st, const MoveTables& mv) {
        const std::uint32_t cs = st.flipSliceClassSym[(sortedSlice / 24) * 2048 + flip];
        const int s = static_cast<int>(cs >> 16);
        return (static_cast<long>(cs & 0xffff) * 24 + mv.sliceOrderConj[sortedSlice][s]) * kTwists + st.twistConj[twist][s];
    }
    static long CornerSliceIndex(int classSym, int twist, int slice, const shortest::SearchTables& st, const MoveTables& mv) {
        const int s = classSym & 15;
        return (static_cast<long>(classSym >> 4) * kTwists + st.twistConj[twist][s]) * kMiddlePlaces + mv.sliceConj[slice][s];
    }
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
// Builds the huge set's twist, flip and middle-edge nibbles.
bool BuildSliceTable(std::uint8_t* slices, const BuildProgress& progress);
// Builds the huge set's corner class-by-twist-by-middle-places nibbles.
bool BuildCornerSliceTable(std::uint8_t* cornerSlices, const BuildProgress& progress);
// The same over the corner classes and twists alone (kCornerClasses * 2187 nibbles, by
// class * 2187 + twist seen through the class's symmetry): the corner distance read by
// class, for tests of the class-row build against the corner table.
bool BuildCornerClassTable(std::uint8_t* table);
std::uint64_t Checksum(const std::uint8_t* data, long bytes);

}  // namespace velmora::optimal
