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
// exact count from move to move.
//
// The same sixteen symmetries split the corner permutations, and the permutations of
// the eight U/D edges, into 2768 classes each. Phase 2 follows each of the two as its
// class and a symmetry, so its move and pruning tables stay small. The phase-2 pruning
// tables hold exact counts for parts of the cube, each a lower bound for the whole:
// a permutation class with the middle-edge permutation, and a corner class with the
// places of the four U edges (or of the four D edges) among the eight U/D positions.
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
inline constexpr int kPermClasses = 2768;
// Places, in order, of four U/D edges among the eight U/D positions: 8 * 7 * 6 * 5.
inline constexpr int kLayerSpots = 1680;
// The spots of the U edges and of the D edges on the solved cube.
inline constexpr int kSolvedUpSpot = 0;
inline constexpr int kSolvedDownSpot = 984;

// Phase-2 moves: U U2 U' D D2 D' R2 L2 F2 B2, with their move indices.
inline constexpr int kPhase2MoveCount = 10;
inline constexpr int kPhase2Moves[kPhase2MoveCount] = {0, 1, 2, 9, 10, 11, 4, 13, 7, 16};

struct SearchTables {
    std::uint16_t twistMove[kTwists][kMoveCount];
    std::uint16_t flipMove[kFlips][kMoveCount];
    std::uint16_t sliceMove[kSlices][kMoveCount];
    std::uint8_t slicePermMove[kSlicePerms][kPhase2MoveCount];

    // Class of each flipSlice value (low 16 bits) and the symmetry s with
    // S_s^-1 c S_s = representative (high bits): one word, so one memory access.
    std::uint32_t flipSliceClassSym[kFlipSlices];
    std::uint32_t classRep[kFlipSliceClasses];
    // Twist of S_s^-1 c S_s by twist of c and s.
    std::uint16_t twistConj[kTwists][kSymmetries];
    // Phase-1 distance mod 3 by class * 2187 + conjugated twist, four entries a byte.
    std::uint8_t phase1Prune[(kPhase1Entries + 3) / 4];

    // Phase 2. A permutation is held as class << 4 | s, where S_s^-1 c S_s is the class's
    // representative. By raw corner permutation, and by raw U/D edge permutation:
    std::uint16_t cornerClassSym[kCornerPerms];
    std::uint16_t edgeClassSym[kEdgePerms];
    // Class and symmetry of each representative after phase-2 move k.
    std::uint16_t cornerClassMove[kPermClasses][kPhase2MoveCount];
    std::uint16_t edgeClassMove[kPermClasses][kPhase2MoveCount];
    // Phase-2 move k seen through symmetry s (S_s^-1 m S_s), the product S_a S_b, and the
    // middle-edge permutation seen through symmetry s.
    std::uint8_t phase2MoveConj[kPhase2MoveCount][kSymmetries];
    std::uint8_t symProduct[kSymmetries][kSymmetries];
    std::uint8_t slicePermConj[kSlicePerms][kSymmetries];
    // Exact phase-2 moves for a class with the middle-edge permutation seen through the
    // same symmetry.
    std::uint8_t cornerSlicePrune[kPermClasses][kSlicePerms];
    std::uint8_t edgeSlicePrune[kPermClasses][kSlicePerms];
    // Spots of four U/D edges after phase-2 move k (the same for U and D edges).
    std::uint16_t spotMove[kLayerSpots][kPhase2MoveCount];
    // Seen through symmetry s, the U edges stand at spotConj[x][s][0], where x is the
    // spot of the edges that become U edges: the U edges themselves when s keeps U on
    // top, the D edges when it turns the cube over (spotSwapsLayers[s]); [1] likewise
    // for the D edges.
    std::uint16_t spotConj[kLayerSpots][kSymmetries][2];
    std::uint8_t spotSwapsLayers[kSymmetries];
    // Exact phase-2 moves for a corner class with the spot of the U edges, and with the
    // spot of the D edges, seen through the same symmetry: two entries a byte, low
    // nibble first.
    std::uint8_t cornerUpEdgePrune[kPermClasses * kLayerSpots / 2];
    std::uint8_t cornerDownEdgePrune[kPermClasses * kLayerSpots / 2];

    // conjugateMove[k][m]: the move that move m of the cube seen turned k times about
    // the URF-DBL diagonal stands for on the cube itself.
    std::uint8_t conjugateMove[3][kMoveCount];
    // The cube turned k times about the diagonal, and back.
    CubieCube diagonal[3];
    CubieCube diagonalInverse[3];

    static int Nibble(const std::uint8_t* table, long index) {
        return (table[index >> 1] >> ((index & 1) * 4)) & 15;
    }
    // Class and symmetry (class << 4 | s) of a permutation held as `cs` after phase-2
    // move k: the move seen through s acts on the representative, and the symmetries
    // compose.
    int ClassAfterMove(const std::uint16_t (*classMove)[kPhase2MoveCount], int cs, int k) const {
        const int s = cs & 15;
        const int moved = classMove[cs >> 4][phase2MoveConj[k][s]];
        return (moved & ~15) | symProduct[s][moved & 15];
    }
    // Lower bounds on the phase-2 moves left, from the corners (cc) or the U/D edges
    // (ec) with the middle-edge permutation sp, and from the corners with the spots u
    // and d of the U and the D edges.
    int CornerSliceBound(int cc, int sp) const { return cornerSlicePrune[cc >> 4][slicePermConj[sp][cc & 15]]; }
    int EdgeSliceBound(int ec, int sp) const { return edgeSlicePrune[ec >> 4][slicePermConj[sp][ec & 15]]; }
    int LayerBound(int cc, int u, int d) const {
        const int s = cc & 15;
        const bool swap = spotSwapsLayers[s] != 0;
        const long row = static_cast<long>(cc >> 4) * kLayerSpots;
        const int up = Nibble(cornerUpEdgePrune, row + spotConj[swap ? d : u][s][0]);
        const int down = Nibble(cornerDownEdgePrune, row + spotConj[swap ? u : d][s][1]);
        return up > down ? up : down;
    }
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
// Spot of pieces first..first+3 among edge positions 0-7.
int LayerSpotOf(const std::uint8_t* ep, int first);

// S_s^-1 c S_s for the sixteen symmetries that keep the U-D axis, numbered as the
// tables number them (corner orientations 3-5 mark a mirrored result), and the number
// of the inverse of s.
CubieCube ConjugateBySymmetry(const CubieCube& c, int s);
// Lehmer rank of the order of n distinct values (0 when they stand in rising order),
// and back: the order of offset, offset + 1, ... with that rank (n at most 8).
int RankPerm(const std::uint8_t* p, int n);
void UnrankPerm(int rank, std::uint8_t* p, int n, int offset);
// Sets the edge flips of c from the flip coordinate (edges 0-10, edge 11 keeps the sum even).
void SetFlip(CubieCube& c, int flip);
int InverseSymmetry(int s);

}  // namespace velmora::shortest
