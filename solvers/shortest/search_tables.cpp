// Building the move and pruning tables of the two-phase search from the cubie moves.
#include "solvers/shortest/search_tables.h"

#include <array>
#include <cstring>

#include "solvers/shortest/two_phase.h"

namespace velmora::shortest {
namespace {

constexpr int kFactorial[9] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320};

// Lehmer rank of n distinct values 0..n-1 (0 for the identity).
int RankPerm(const std::uint8_t* p, int n) {
    int rank = 0;
    for (int i = 0; i < n; ++i) {
        int smaller = 0;
        for (int j = i + 1; j < n; ++j) smaller += p[j] < p[i];
        rank += smaller * kFactorial[n - 1 - i];
    }
    return rank;
}

void UnrankPerm(int rank, std::uint8_t* p, int n, int offset) {
    std::uint8_t left[12];
    for (int i = 0; i < n; ++i) left[i] = static_cast<std::uint8_t>(i + offset);
    int count = n;
    for (int i = 0; i < n; ++i) {
        int k = rank / kFactorial[n - 1 - i];
        rank %= kFactorial[n - 1 - i];
        p[i] = left[k];
        for (int j = k; j < count - 1; ++j) left[j] = left[j + 1];
        --count;
    }
}

constexpr int Choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    int r = 1;
    for (int i = 0; i < k; ++i) r = r * (n - i) / (i + 1);
    return r;
}

// Masks of the twelve edge positions by slice coordinate.
std::array<std::uint16_t, kSlices> SliceMasks() {
    std::array<std::uint16_t, kSlices> masks{};
    for (int mask = 0; mask < 4096; ++mask) {
        if (__builtin_popcount(mask) != 4) continue;
        int a = 0, x = 0;
        for (int j = 11; j >= 0; --j)
            if (mask & (1 << j)) a += Choose(11 - j, ++x);
        masks[a] = static_cast<std::uint16_t>(mask);
    }
    return masks;
}

CubieCube WithTwist(int twist) {
    CubieCube c = SolvedCubie();
    int sum = 0;
    for (int i = 6; i >= 0; --i) {
        c.co[i] = static_cast<std::uint8_t>(twist % 3);
        sum += twist % 3;
        twist /= 3;
    }
    c.co[7] = static_cast<std::uint8_t>((3 - sum % 3) % 3);
    return c;
}

CubieCube WithFlip(int flip) {
    CubieCube c = SolvedCubie();
    int sum = 0;
    for (int i = 10; i >= 0; --i) {
        c.eo[i] = static_cast<std::uint8_t>(flip & 1);
        sum += flip & 1;
        flip >>= 1;
    }
    c.eo[11] = static_cast<std::uint8_t>(sum & 1);
    return c;
}

CubieCube WithSlice(std::uint16_t mask) {
    CubieCube c = SolvedCubie();
    int middle = 8, other = 0;
    for (int j = 0; j < 12; ++j)
        c.ep[j] = static_cast<std::uint8_t>((mask & (1 << j)) ? middle++ : other++);
    return c;
}

// Breadth-first fill of a pruning table over pairs (a, b), index a * sizeB + b, from
// (0, 0). Early depths expand the frontier; once most entries are known, each unknown
// entry looks for a neighbour at the current depth instead.
template <typename MoveA, typename MoveB>
void FillPrune(std::uint8_t* table, int sizeA, int sizeB, int moves, MoveA moveA, MoveB moveB) {
    const long total = static_cast<long>(sizeA) * sizeB;
    std::memset(table, 0xff, static_cast<std::size_t>(total));
    table[0] = 0;
    long done = 1;
    for (int depth = 0; done < total; ++depth) {
        const bool backward = done > total / 2;
        for (int a = 0; a < sizeA; ++a) {
            std::uint8_t* row = table + static_cast<long>(a) * sizeB;
            for (int b = 0; b < sizeB; ++b) {
                if (backward) {
                    if (row[b] != 0xff) continue;
                    for (int m = 0; m < moves; ++m) {
                        if (table[static_cast<long>(moveA(a, m)) * sizeB + moveB(b, m)] == depth) {
                            row[b] = static_cast<std::uint8_t>(depth + 1);
                            ++done;
                            break;
                        }
                    }
                } else {
                    if (row[b] != depth) continue;
                    for (int m = 0; m < moves; ++m) {
                        std::uint8_t& next = table[static_cast<long>(moveA(a, m)) * sizeB + moveB(b, m)];
                        if (next == 0xff) {
                            next = static_cast<std::uint8_t>(depth + 1);
                            ++done;
                        }
                    }
                }
            }
        }
    }
}

void Build(SearchTables& t) {
    CubieCube move[kMoveCount];
    for (int m = 0; m < kMoveCount; ++m) move[m] = MoveCubie(m);

    for (int i = 0; i < kTwists; ++i) {
        CubieCube c = WithTwist(i);
        for (int m = 0; m < kMoveCount; ++m)
            t.twistMove[i][m] = static_cast<std::uint16_t>(TwistOf(Multiply(c, move[m])));
    }
    for (int i = 0; i < kFlips; ++i) {
        CubieCube c = WithFlip(i);
        for (int m = 0; m < kMoveCount; ++m)
            t.flipMove[i][m] = static_cast<std::uint16_t>(FlipOf(Multiply(c, move[m])));
    }
    const auto masks = SliceMasks();
    for (int i = 0; i < kSlices; ++i) {
        CubieCube c = WithSlice(masks[i]);
        for (int m = 0; m < kMoveCount; ++m)
            t.sliceMove[i][m] = static_cast<std::uint16_t>(SliceOf(Multiply(c, move[m])));
    }
    for (int i = 0; i < kCornerPerms; ++i) {
        CubieCube c = SolvedCubie();
        UnrankPerm(i, c.cp, 8, 0);
        CubieCube e = SolvedCubie();
        UnrankPerm(i, e.ep, 8, 0);
        for (int k = 0; k < kPhase2MoveCount; ++k) {
            const CubieCube& mv = move[kPhase2Moves[k]];
            t.cornerPermMove[i][k] = static_cast<std::uint16_t>(CornerPermOf(Multiply(c, mv)));
            t.edgePermMove[i][k] = static_cast<std::uint16_t>(EdgePermOf(Multiply(e, mv)));
        }
    }
    for (int i = 0; i < kSlicePerms; ++i) {
        CubieCube c = SolvedCubie();
        UnrankPerm(i, c.ep + 8, 4, 8);
        for (int k = 0; k < kPhase2MoveCount; ++k)
            t.slicePermMove[i][k] =
                static_cast<std::uint8_t>(SlicePermOf(Multiply(c, move[kPhase2Moves[k]])));
    }

    FillPrune(t.twistFlipPrune, kTwists, kFlips, kMoveCount,
              [&](int a, int m) { return t.twistMove[a][m]; },
              [&](int b, int m) { return t.flipMove[b][m]; });
    FillPrune(t.sliceTwistPrune, kSlices, kTwists, kMoveCount,
              [&](int a, int m) { return t.sliceMove[a][m]; },
              [&](int b, int m) { return t.twistMove[b][m]; });
    FillPrune(t.sliceFlipPrune, kSlices, kFlips, kMoveCount,
              [&](int a, int m) { return t.sliceMove[a][m]; },
              [&](int b, int m) { return t.flipMove[b][m]; });
    FillPrune(t.cornerSlicePrune, kCornerPerms, kSlicePerms, kPhase2MoveCount,
              [&](int a, int m) { return t.cornerPermMove[a][m]; },
              [&](int b, int m) { return t.slicePermMove[b][m]; });
    FillPrune(t.edgeSlicePrune, kEdgePerms, kSlicePerms, kPhase2MoveCount,
              [&](int a, int m) { return t.edgePermMove[a][m]; },
              [&](int b, int m) { return t.slicePermMove[b][m]; });

    CubieCube turned = SolvedCubie();
    for (int k = 0; k < 3; ++k) {
        t.diagonal[k] = turned;
        t.diagonalInverse[k] = Inverse(turned);
        for (int m = 0; m < kMoveCount; ++m) {
            // A move m of the turned cube X c X^-1 stands for X^-1 m X on the cube c.
            const CubieCube image = Multiply(Multiply(t.diagonalInverse[k], move[m]), turned);
            t.conjugateMove[k][m] = 0xff;
            for (int n = 0; n < kMoveCount; ++n)
                if (move[n] == image) t.conjugateMove[k][m] = static_cast<std::uint8_t>(n);
        }
        turned = Multiply(turned, kDiagonalTurn);
    }
}

}  // namespace

int TwistOf(const CubieCube& c) {
    int r = 0;
    for (int i = 0; i < 7; ++i) r = r * 3 + c.co[i];
    return r;
}

int FlipOf(const CubieCube& c) {
    int r = 0;
    for (int i = 0; i < 11; ++i) r = r * 2 + c.eo[i];
    return r;
}

int SliceOf(const CubieCube& c) {
    int a = 0, x = 0;
    for (int j = 11; j >= 0; --j)
        if (c.ep[j] >= 8) a += Choose(11 - j, ++x);
    return a;
}

int CornerPermOf(const CubieCube& c) { return RankPerm(c.cp, 8); }
int EdgePermOf(const CubieCube& c) { return RankPerm(c.ep, 8); }
int SlicePermOf(const CubieCube& c) {
    std::uint8_t p[4];
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(c.ep[8 + i] - 8);
    return RankPerm(p, 4);
}

const SearchTables& Tables() {
    // Static storage: built once at the first call, never freed, never on the heap.
    static SearchTables tables;
    static const bool built = (Build(tables), true);
    (void)built;
    return tables;
}

void PrepareTables() { Tables(); }

}  // namespace velmora::shortest
