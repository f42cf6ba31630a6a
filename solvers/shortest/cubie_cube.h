#pragma once
// The cube as the two-phase search sees it: eight corners and twelve edges by position,
// each with the piece it holds and its orientation.
//
// Faces are U R F D L B (0-5): U is the program's T, D its B, B its P. Corner positions
// 0-7 are URF UFL ULB UBR DFR DLF DBL DRB; edge positions 0-11 are UR UF UL UB DR DF
// DL DB FR FL BL BR. A corner's orientation counts clockwise twists of its U/D sticker
// away from the U/D face; an edge is flipped (1) when its first sticker does not lie on
// the first face of its position (U/D for rows U and D, F/B for the four middle edges).
//
// Multiply(a, b) is "a, then b": position i receives what b's position i takes from a.
// A move index is face * 3 + (quarter turns - 1): 0 U, 1 U2, 2 U', 3 R, ... 17 B'.
#include <cstdint>

namespace velmora::shortest {

struct CubieCube {
    std::uint8_t cp[8];
    std::uint8_t co[8];
    std::uint8_t ep[12];
    std::uint8_t eo[12];

    bool operator==(const CubieCube&) const = default;
};

inline constexpr int kMoveCount = 18;
inline constexpr int kFace(int move) { return move / 3; }

constexpr CubieCube SolvedCubie() {
    CubieCube c{};
    for (int i = 0; i < 8; ++i) { c.cp[i] = static_cast<std::uint8_t>(i); c.co[i] = 0; }
    for (int i = 0; i < 12; ++i) { c.ep[i] = static_cast<std::uint8_t>(i); c.eo[i] = 0; }
    return c;
}

constexpr CubieCube Multiply(const CubieCube& a, const CubieCube& b) {
    CubieCube r{};
    for (int i = 0; i < 8; ++i) {
        r.cp[i] = a.cp[b.cp[i]];
        r.co[i] = static_cast<std::uint8_t>((a.co[b.cp[i]] + b.co[i]) % 3);
    }
    for (int i = 0; i < 12; ++i) {
        r.ep[i] = a.ep[b.ep[i]];
        r.eo[i] = static_cast<std::uint8_t>((a.eo[b.ep[i]] + b.eo[i]) & 1);
    }
    return r;
}

constexpr CubieCube Inverse(const CubieCube& a) {
    CubieCube r{};
    for (int i = 0; i < 8; ++i) {
        r.cp[a.cp[i]] = static_cast<std::uint8_t>(i);
        r.co[a.cp[i]] = static_cast<std::uint8_t>((3 - a.co[i]) % 3);
    }
    for (int i = 0; i < 12; ++i) {
        r.ep[a.ep[i]] = static_cast<std::uint8_t>(i);
        r.eo[a.ep[i]] = a.eo[i];
    }
    return r;
}

// The six clockwise quarter turns U R F D L B.
inline constexpr CubieCube kFaceTurns[6] = {
    {{3, 0, 1, 2, 4, 5, 6, 7}, {0, 0, 0, 0, 0, 0, 0, 0},
     {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{4, 1, 2, 0, 7, 5, 6, 3}, {2, 0, 0, 1, 1, 0, 0, 2},
     {8, 1, 2, 3, 11, 5, 6, 7, 4, 9, 10, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{1, 5, 2, 3, 0, 4, 6, 7}, {1, 2, 0, 0, 2, 1, 0, 0},
     {0, 9, 2, 3, 4, 8, 6, 7, 1, 5, 10, 11}, {0, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0}},
    {{0, 1, 2, 3, 5, 6, 7, 4}, {0, 0, 0, 0, 0, 0, 0, 0},
     {0, 1, 2, 3, 5, 6, 7, 4, 8, 9, 10, 11}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{0, 2, 6, 3, 4, 1, 5, 7}, {0, 1, 2, 0, 0, 2, 1, 0},
     {0, 1, 10, 3, 4, 5, 9, 7, 8, 2, 6, 11}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{0, 1, 3, 7, 4, 5, 2, 6}, {0, 0, 1, 2, 0, 0, 2, 1},
     {0, 1, 2, 11, 4, 5, 6, 10, 8, 9, 3, 7}, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 1}},
};

// The whole-cube turn by a third about the URF-DBL diagonal (U to R, R to F, F to U).
inline constexpr CubieCube kDiagonalTurn = {
    {0, 4, 5, 1, 3, 7, 6, 2}, {1, 2, 1, 2, 2, 1, 2, 1},
    {1, 8, 5, 9, 3, 11, 7, 10, 0, 4, 6, 2}, {1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 1}};

constexpr CubieCube MoveCubie(int move) {
    CubieCube r = SolvedCubie();
    for (int q = 0; q <= move % 3; ++q) r = Multiply(r, kFaceTurns[kFace(move)]);
    return r;
}

}  // namespace velmora::shortest
