#pragma once
// The best placement of the eight corner pieces (or the twelve edge pieces) of a cube
// that can exist, given what each piece in each orientation costs at each position:
// each piece once, the orientations summing to 0 (mod 3 for corners, mod 2 for
// edges), optionally a given permutation parity and one forbidden colour at one
// sticker. Depth-first branch and bound with an admissible bound: every open position
// at its cheapest candidate among the pieces not yet placed. Fixed-size records only.
#include <array>
#include <cstdint>

namespace velmora::colours {

// Facelet indices (0-53, faces U R F D L B) of each corner position URF UFL ULB UBR DFR
// DLF DBL DRB, its U/D sticker first, then clockwise; and of each edge position UR UF
// UL UB DR DF DL DB FR FL BL BR, first sticker on U/D (F/B for the middle layer).
extern const std::array<std::array<int, 3>, 8> kCornerFacelets;
extern const std::array<std::array<int, 2>, 12> kEdgeFacelets;
// The face colours (0-5 = U R F D L B) of each corner and edge piece, in the same order.
extern const std::array<std::array<int, 3>, 8> kCornerColours;
extern const std::array<std::array<int, 2>, 12> kEdgeColours;

inline constexpr float kNoBound = 3.0e38f;

struct PieceCandidate {
    float cost;
    std::uint8_t piece, twist;
};

struct PieceProblem {
    int count = 8;  // positions and pieces: 8 corners or 12 edges
    int twists = 3; // orientations: 3 corners, 2 edges
    // cost[position][piece][orientation]; orientation o puts the piece's sticker n on
    // the position's sticker (n + o) mod twists.
    float cost[12][12][3] = {};
    const int* colours = nullptr;  // colours[piece * twists + n], the piece's stickers
    // Every position's candidates by rising cost: filled by Sort() after cost is set,
    // so that the many searches of one problem sort only once.
    std::array<std::array<PieceCandidate, 36>, 12> sorted{};
    void Sort();
};

struct PieceQuery {
    int parity = -1;         // required permutation parity, -1 either
    float bound = kNoBound;  // only placements costing strictly less are wanted
    int excludePosition = -1, excludeSticker = -1, excludeColour = -1;
    long nodeBudget = 20000;  // nodes visited before the search gives up
};

struct PiecePlacement {
    bool found = false;
    bool complete = true;  // false when the node budget ran out before the search ended
    int parity = 0;
    float cost = kNoBound;
    std::array<std::uint8_t, 12> piece{};
    std::array<std::uint8_t, 12> twist{};
};

// The colour shown at a position's sticker s by piece p in orientation o.
inline int ColourAt(const PieceProblem& problem, int p, int o, int s) {
    return problem.colours[p * problem.twists + (s - o + problem.twists) % problem.twists];
}

PiecePlacement BestPlacement(const PieceProblem& problem, const PieceQuery& query);

}  // namespace velmora::colours
