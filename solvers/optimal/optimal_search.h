#pragma once
// The fewest-turns search: iterative deepening over the solution length (half-turn
// metric) with the largest of several exact part distances as the bound: the distance
// to the two-phase method's phase-2 group seen from three axes, the corners, and the
// first edge pieces seen from the same three axes. With the huge table set two exact
// distances stand in for all of these, the twist, flip and middle edges, and the
// corners with the places of the middle edges, each seen from the three axes for the
// cube and for its inverse (which takes as many moves). A solution of n turns is given
// only after every length below n was searched through.
//
// The two-phase solution found first is the fallback: when every length below its own
// was ruled out, it is itself the fewest; when the search is cancelled or runs out of
// time, it is what the caller gets, not proven. Before the longest lengths the
// two-phase search looks longer for a shorter one, and from 18 turns on, for a limited
// number of steps, for a solution of the length about to be searched.
//
// Each length is split at the root over two threads into work items by the first two
// moves (of a cube with symmetries, by its starts below); the solution kept is the one
// of the first item that has one, so the result does not depend on timing.
// With the huge tables each thread follows several of these work items at once, so
// that the table entries of one arrive while another is worked on.
// A search allocates nothing; each thread keeps its paths in fixed arrays.
#include <atomic>
#include <cstdint>

#include "solvers/optimal/optimal_tables.h"
#include "solvers/shortest/cubie_cube.h"

namespace velmora::optimal {

inline constexpr int kMaxLength = 20;

// Shared between the search and whoever watches it (another thread may read the
// progress while the search runs, and set cancel).
struct SearchControl {
    std::atomic<bool> cancel{false};
    double maxSeconds = 0;  // 0: no limit
    int threads = 2;
    // For tests of the search itself: every length is searched until a solution is
    // found, also the length of the two-phase solution found first.
    bool searchEveryLength = false;
    // Before the search reaches length shortenFrom, the two-phase search looks for a
    // shorter fallback for shortenEffort more search steps (about a second here): one
    // of the length being searched is then the fewest, and sparing the search of the
    // last length saves most of the time. Tests move the length down to reach it.
    int shortenFrom = 17;
    long shortenEffort = 5'000'000;
    // From length targetFrom on, before a length is searched the two-phase search looks
    // for a solution of that length itself, for at most targetEffort steps: every
    // shorter length is ruled out by then, so one it finds is the fewest, and the
    // length's own search to its first solution is spared.
    int targetFrom = 18;
    long targetEffort = 100'000'000;
    // A cube that symmetries of the whole cube map to itself is searched from one first
    // move (or pair of moves on one axis) of each class under them; tests compare.
    bool useSymmetries = true;
    // Progress: the length being searched, and the positions looked at so far.
    std::atomic<int> depth{0};
    std::atomic<long long> nodes{0};
};

struct OptimalSolution {
    std::uint8_t moves[32];
    int length = 0;
    bool proven = false;     // every shorter length was searched through
    bool cancelled = false;  // stopped by cancel or the time limit
    int lowerBound = 0;      // no solution is shorter than this
    long long nodes = 0;
    double seconds = 0;
};

// False when the cube is not solvable. Otherwise out holds the fewest-turns solution
// (proven) or, when stopped early, the best one known with proven = false.
bool SolveOptimal(const shortest::CubieCube& c, const PruneTables& tables, SearchControl& control,
                  OptimalSolution& out);

// A start of the search of a cube with symmetries: its first moves, and the move the
// next is checked against as the one before it (a move on an axis's higher face
// forbids both faces of the axis).
struct SearchStart {
    std::uint8_t moves[4];
    int count = 0;
    int last = -1;
};
// At most the 45 first blocks (one face's turn, or a turn of each face of one axis),
// each with the 30 blocks of the two other axes.
inline constexpr int kMaxSymmetricStarts = 45 * 30;

// The starts for a cube that symmetries of the whole cube (turns and mirror images)
// map to itself: each first block the least of its class under them; after it, when
// symmetries keep it, each block the least of its class under those, otherwise any
// move. A solution seen through any of the symmetries solves the cube too, and every
// solution is seen through one of them as one that begins with a start. 0 when no
// symmetry maps the cube to itself (every start is then searched).
int SymmetricStarts(const shortest::CubieCube& c, SearchStart* starts);

// The search's bound for a cube (the largest part distance), for tests.
int RootBound(const shortest::CubieCube& c, const PruneTables& tables);

}  // namespace velmora::optimal
