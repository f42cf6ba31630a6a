#pragma once
// Move and pruning tables of the two-phase search (internal to solvers/shortest).
//
// Phase-1 coordinates: twist (corner orientations, 2187), flip (edge orientations,
// 2048), slice (which four positions hold the middle edges, 495). Phase-2 coordinates:
// corner permutation (40320), permutation of the eight U/D edges (40320), permutation
// of the four middle edges (24). Every coordinate is 0 on the solved cube.
//
// A pruning entry is the exact number of moves needed to bring that pair of
// coordinates to 0, a lower bound for the whole cube.
#include <cstdint>

#include "solvers/shortest/cubie_cube.h"

namespace velmora::shortest {

inline constexpr int kTwists = 2187;
inline constexpr int kFlips = 2048;
inline constexpr int kSlices = 495;
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

    std::uint8_t twistFlipPrune[kTwists * kFlips];
    std::uint8_t sliceTwistPrune[kSlices * kTwists];
    std::uint8_t sliceFlipPrune[kSlices * kFlips];
    std::uint8_t cornerSlicePrune[kCornerPerms * kSlicePerms];
    std::uint8_t edgeSlicePrune[kEdgePerms * kSlicePerms];

    // conjugateMove[k][m]: the move that move m of the cube seen turned k times about
    // the diagonal stands for on the cube itself.
    std::uint8_t conjugateMove[3][kMoveCount];
    // The cube turned k times about the diagonal, and back.
    CubieCube diagonal[3];
    CubieCube diagonalInverse[3];
};

// The tables, built on the first call.
const SearchTables& Tables();

int CornerPermOf(const CubieCube& c);
int EdgePermOf(const CubieCube& c);   // positions 0-7; pieces 0-7 expected there
int SlicePermOf(const CubieCube& c);  // positions 8-11; pieces 8-11 expected there

}  // namespace velmora::shortest
