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
// the places of the middle edges (2048 * 11880) falls into 1523864 classes under the
// sixteen symmetries that keep the U-D axis, and each class with a twist is one
// nibble. The file holds the class and symmetry of every flip and middle-edge placing
// beside it, so a lookup is two reads.
//
// The tables are built once, written under $XDG_CACHE_HOME/velmora/ (or
// ~/.cache/velmora/) with a checksum, and mapped read-only, so that several programs
// share one copy; a missing or damaged file is built again.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "solvers/shortest/cubie_cube.h"

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
inline constexpr long kFlipSortedSlices = 2048L * kSortedSlices;
inline constexpr int kSliceClasses = 1523864;
inline constexpr long kSliceEntries = static_cast<long>(kSliceClasses) * kTwists;
// Bytes of the file: header, corner nibbles, edge nibbles, and for the huge set the
// class words (class | symmetry << 24) and the class-by-twist nibbles.
inline constexpr long kHeaderBytes = 64;
constexpr long FileBytes(TableSize size) {
    return kHeaderBytes + kCornerEntries / 2 + EdgeEntries(EdgePieces(size)) / 2 +
           (size == TableSize::Huge ? kFlipSortedSlices * 4 + kSliceEntries / 2 : 0);
}

// The size this machine gets when none is asked for: the huge set when it has at
// least 8 GB of memory (it maps 1.8 GB, and building it holds twice that for a
// moment), the large set with at least 4 GB.
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
};
const MoveTables& Moves();

int CornerPermRank(const std::uint8_t* cp);
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
    // The huge set only (else nullptr): class | symmetry << 24 by sorted slice * 2048 +
    // flip, and kSliceEntries nibbles by class * 2187 + twist seen through the symmetry.
    const std::uint32_t* sliceClass = nullptr;
    const std::uint8_t* slices = nullptr;
    long fileBytes = 0;
    std::string path;

    static int Nibble(const std::uint8_t* t, long i) { return (t[i >> 1] >> ((i & 1) << 2)) & 15; }
    int Corner(int perm, int twist) const { return Nibble(corners, static_cast<long>(perm) * kTwists + twist); }
    int Edge(const std::uint8_t* loc) const { return Nibble(edges, EdgeIndex(loc, edgePieces)); }
    // Exact moves to solve the twist, flip and middle edges (huge set only); twistConj
    // is the two-phase tables' twist seen through each symmetry.
    int Slice(int sortedSlice, int flip, int twist, const std::uint16_t (*twistConj)[16]) const {
        const std::uint32_t cs = sliceClass[static_cast<long>(sortedSlice) * 2048 + flip];
        return Nibble(slices, static_cast<long>(cs & 0xffffff) * kTwists + twistConj[twist][cs >> 24]);
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
// Builds the huge set's class words and class-by-twist nibbles.
bool BuildSliceTables(std::uint32_t* sliceClass, std::uint8_t* slices, const BuildProgress& progress);
std::uint64_t Checksum(const std::uint8_t* data, long bytes);

}  // namespace velmora::optimal
