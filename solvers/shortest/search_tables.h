#pragma once
// Move and pruning tables of the two-phase search (internal to solvers/shortest).
//
// Phase-1 coordinates: twist (corner orientations, 2187), flip (edge orientations,
// 2048), slice (which four positions hold the middle edges, 495); flipSlice is
// slice * 2048 + flip. Phase-2 coordinates: corner permutation (40320), permutation
// of the eight U/D edges (40320), permutation of the four middle edges (24). Every
// coordinate is 0 on the solved cube.
//
// The sixteen symmetries that keep the U-D axis (quarter turns about it, half turns
// about F-B, the left-right mirror) split the flipSlice values into 64430 classes. The
// phase-1 table holds, for every class and twist, the exact number of moves to the
// phase-2 group modulo 3 (2 bits, 3 = unknown while building); the search follows the
// exact count from move to move. The phase-2 tables hold exact counts for pairs of
// coordinates, a lower bound for the whole cube.
#include <cstdint>

#include "solvers/shortest/cubie_cube.h"

namespace velmora::shortest {

inline constexpr int kTwists = 2187;
inline constexpr int kFlips = 2048;
inline constexpr int kSlices = 495;
inline constexpr int kFlipSlices = kSlices * kFlips;
inline constexpr int kFlipSliceClasses = 64430;
inline constexpr int kSymmetries = 16;
inline constexpr long kPhase1Entries = static_cast<long>(kFlipSliceClasses) * kTwists;
inline constexpr int kCornerPerms = 40320;
inline constexpr int kEdgePerms = 40320;
inline constexpr int kSlicePerms = 24;

// Phase-2 moves: U U2 U' D D2 D' R2 L2 F2 B2, with their move indices.
inline constexpr int kPhase2MoveCount = 10;
inline constexpr int kPhase2Moves[kPhase2MoveCount] = {0, 1, 2, 9, 10, 11, 4, 13, 7, 16};

struct SearchTables {
    std::uint16_t twistMove[kTwists][kMoveCount];
    std::uint16_t flipMove[kFlips][kMoveCount];
    std::uint16_t sliceMove[kSlices][kMoveCount];
    std::uint16_t cornerPermMove[kCornerPerms][kPhase2MoveCount];
    std::uint16_t edgePermMove[kEdgePerms][kPhase2MoveCount];
    std::uint8_t slicePermMove[kSlicePerms][kPhase2MoveCount];

    // Class of each flipSlice value (low 16 bits) and the symmetry s with
    // S_s^-1 c S_s = representative (high bits): one word, so one memory access.
    std::uint32_t flipSliceClassSym[kFlipSlices];
    std::uint32_t classRep[kFlipSliceClasses];
    // Twist of S_s^-1 c S_s by twist of c and s.
    std::uint16_t twistConj[kTwists][kSymmetries];
    // Phase-1 distance mod 3 by class * 2187 + conjugated twist, four entries a byte.
    std::uint8_t phase1Prune[(kPhase1Entries + 3) / 4];

    std::uint8_t cornerSlicePrune[kCornerPerms * kSlicePerms];
    std::uint8_t edgeSlicePrune[kEdgePerms * kSlicePerms];

    // conjugateMove[k][m]: the move that move m of the cube seen turned k times about
    // the URF-DBL diagonal stands for on the cube itself.
    std::uint8_t conjugateMove[3][kMoveCount];
    // The cube turned k times about the diagonal, and back.
    CubieCube diagonal[3];
    CubieCube diagonalInverse[3];

    int Phase1Mod3(long index) const { return (phase1Prune[index >> 2] >> ((index & 3) * 2)) & 3; }
    // Index into the phase-1 table of a cube by its twist and flipSlice.
    long Phase1Index(int twist, int flipSlice) const {
        const std::uint32_t cs = flipSliceClassSym[flipSlice];
        return static_cast<long>(cs & 0xffff) * kTwists + twistConj[twist][cs >> 16];
    }
};

// The tables: linked into the program when it was built with them, otherwise built on
// the first call.
const SearchTables& Tables();
// Builds a fresh set into t (used by the build-time table tool).
void BuildSearchTables(SearchTables& t);

int CornerPermOf(const CubieCube& c);
int EdgePermOf(const CubieCube& c);   // positions 0-7; pieces 0-7 expected there
int SlicePermOf(const CubieCube& c);  // positions 8-11; pieces 8-11 expected there

}  // namespace velmora::shortest
