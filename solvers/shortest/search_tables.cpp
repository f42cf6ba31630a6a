// Building the move and pruning tables of the two-phase search from the cubie moves.
#include "solvers/shortest/search_tables.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "solvers/shortest/two_phase.h"

namespace velmora::shortest {

void SetFlip(CubieCube& c, int flip) {
    int sum = 0;
    for (int i = 10; i >= 0; --i) {
        c.eo[i] = static_cast<std::uint8_t>(flip & 1);
        sum += flip & 1;
        flip >>= 1;
    }
    c.eo[11] = static_cast<std::uint8_t>(sum & 1);
}

namespace {

constexpr int kFactorial[9] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320};

}  // namespace

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

namespace {

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

CubieCube WithSlice(std::uint16_t mask) {
    CubieCube c = SolvedCubie();
    int middle = 8, other = 0;
    for (int j = 0; j < 12; ++j)
        c.ep[j] = static_cast<std::uint8_t>((mask & (1 << j)) ? middle++ : other++);
    return c;
}

// Breadth-first fill of a pruning table over pairs (a, b), index a * sizeB + b, from
// the solved pair at `start`. Early depths expand the frontier; once most entries are known, each unknown
// entry looks for a neighbour at the current depth instead.
template <typename MoveA, typename MoveB>
void FillPrune(std::uint8_t* table, int sizeA, int sizeB, int moves, MoveA moveA, MoveB moveB,
               long start = 0) {
    const long total = static_cast<long>(sizeA) * sizeB;
    std::memset(table, 0xff, static_cast<std::size_t>(total));
    table[start] = 0;
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

// Corner orientations 3-5 mark a mirrored cube; products with mirrored factors follow
// the mirror's reversal of the twist direction. Edges compose as usual.
CubieCube MultiplyMirrored(const CubieCube& a, const CubieCube& b) {
    CubieCube r = Multiply(a, b);
    for (int i = 0; i < 8; ++i) {
        const int oa = a.co[b.cp[i]], ob = b.co[i];
        int o;
        if (oa < 3 && ob < 3) o = (oa + ob) % 3;
        else if (oa < 3) o = (oa + ob) % 3 + 3;
        else if (ob < 3) o = (oa - ob + 3) % 3 + 3;
        else o = (oa - ob + 3) % 3;
        r.co[i] = static_cast<std::uint8_t>(o);
    }
    return r;
}

CubieCube InverseMirrored(const CubieCube& a) {
    CubieCube r = Inverse(a);
    for (int i = 0; i < 8; ++i) {
        const int o = a.co[r.cp[i]];
        r.co[i] = static_cast<std::uint8_t>(o >= 3 ? o : (3 - o) % 3);
    }
    return r;
}

// Quarter turn of the whole cube about U, half turn about F, left-right mirror.
constexpr CubieCube kTurnU4 = {{3, 0, 1, 2, 7, 4, 5, 6}, {0, 0, 0, 0, 0, 0, 0, 0},
                               {3, 0, 1, 2, 7, 4, 5, 6, 11, 8, 9, 10}, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}};
constexpr CubieCube kTurnF2 = {{5, 4, 7, 6, 1, 0, 3, 2}, {0, 0, 0, 0, 0, 0, 0, 0},
                               {6, 5, 4, 7, 2, 1, 0, 3, 9, 8, 11, 10}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
constexpr CubieCube kMirrorLR = {{1, 0, 3, 2, 5, 4, 7, 6}, {3, 3, 3, 3, 3, 3, 3, 3},
                                 {2, 1, 0, 3, 6, 5, 4, 7, 9, 8, 11, 10}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

void SetMod3(SearchTables& t, long index, int value) {
    std::uint8_t& b = t.phase1Prune[index >> 2];
    const int shift = static_cast<int>(index & 3) * 2;
    b = static_cast<std::uint8_t>((b & ~(3 << shift)) | (value << shift));
}

// The sixteen symmetries that keep the U-D axis, each with its inverse.
struct Symmetries {
    CubieCube sym[kSymmetries], inverse[kSymmetries];
    int inverseIndex[kSymmetries] = {};

    Symmetries() {
        CubieCube cc = SolvedCubie();
        int idx = 0;
        for (int f2 = 0; f2 < 2; ++f2) {
            for (int u4 = 0; u4 < 4; ++u4) {
                for (int lr = 0; lr < 2; ++lr) {
                    sym[idx++] = cc;
                    cc = MultiplyMirrored(cc, kMirrorLR);
                }
                cc = MultiplyMirrored(cc, kTurnU4);
            }
            cc = MultiplyMirrored(cc, kTurnF2);
        }
        for (int s = 0; s < kSymmetries; ++s) {
            inverse[s] = InverseMirrored(sym[s]);
            for (int j = 0; j < kSymmetries; ++j)
                if (sym[j] == inverse[s]) inverseIndex[s] = j;
        }
    }
    // S_s^-1 c S_s.
    CubieCube Conjugate(const CubieCube& c, int s) const {
        return MultiplyMirrored(MultiplyMirrored(inverse[s], c), sym[s]);
    }
};

// Classes of flipSlice under the sixteen symmetries, the twist conjugation table and
// the phase-1 distances modulo 3.
void BuildPhase1(SearchTables& t, const std::array<std::uint16_t, kSlices>& masks, const Symmetries& sy) {
    auto conjugate = [&sy](const CubieCube& c, int s) { return sy.Conjugate(c, s); };
    const int* inverseIndex = sy.inverseIndex;

    for (int tw = 0; tw < kTwists; ++tw) {
        const CubieCube c = WithTwist(tw);
        for (int s = 0; s < kSymmetries; ++s)
            t.twistConj[tw][s] = static_cast<std::uint16_t>(TwistOf(conjugate(c, s)));
    }

    // Self-symmetries of each class representative, needed while filling.
    static std::uint16_t selfSym[kFlipSliceClasses];
    std::memset(t.flipSliceClassSym, 0xff, sizeof t.flipSliceClassSym);
    int classes = 0;
    for (int sl = 0; sl < kSlices; ++sl) {
        CubieCube c = WithSlice(masks[sl]);
        for (int fl = 0; fl < kFlips; ++fl) {
            const int fs = sl * kFlips + fl;
            if (t.flipSliceClassSym[fs] != 0xffffffffu) continue;
            SetFlip(c, fl);
            t.flipSliceClassSym[fs] = static_cast<std::uint32_t>(classes);
            t.classRep[classes] = static_cast<std::uint32_t>(fs);
            selfSym[classes] = 1;
            for (int s = 1; s < kSymmetries; ++s) {
                const CubieCube ss = conjugate(c, s);
                const int fs2 = SliceOf(ss) * kFlips + FlipOf(ss);
                if (fs2 == fs) selfSym[classes] = static_cast<std::uint16_t>(selfSym[classes] | (1 << s));
                if (t.flipSliceClassSym[fs2] != 0xffffffffu) continue;
                // conj_s(rep) = fs2, so conjugating by the inverse of s brings fs2 back.
                t.flipSliceClassSym[fs2] =
                    static_cast<std::uint32_t>(classes) | static_cast<std::uint32_t>(inverseIndex[s]) << 16;
            }
            ++classes;
        }
    }

    std::memset(t.phase1Prune, 0xff, sizeof t.phase1Prune);
    SetMod3(t, 0, 0);
    long done = 1;
    for (int depth = 0; done < kPhase1Entries; ++depth) {
        const int d3 = depth % 3, next = (depth + 1) % 3;
        const bool backward = depth >= 9;
        for (int cls = 0; cls < kFlipSliceClasses; ++cls) {
            const int rep = static_cast<int>(t.classRep[cls]);
            const int fl = rep % kFlips, sl = rep / kFlips;
            const long base = static_cast<long>(cls) * kTwists;
            for (int tw = 0; tw < kTwists; ++tw) {
                const long index = base + tw;
                if (!backward && (index & 3) == 0 && tw + 4 <= kTwists && t.phase1Prune[index >> 2] == 0xff) {
                    tw += 3;
                    continue;
                }
                const int here = t.Phase1Mod3(index);
                if (backward ? here != 3 : here != d3) continue;
                for (int m = 0; m < kMoveCount; ++m) {
                    const int tw1 = t.twistMove[tw][m];
                    const int fs1 = t.sliceMove[sl][m] * kFlips + t.flipMove[fl][m];
                    const int cls1 = static_cast<int>(t.flipSliceClassSym[fs1] & 0xffff);
                    const int tw1c = t.twistConj[tw1][t.flipSliceClassSym[fs1] >> 16];
                    const long index1 = static_cast<long>(cls1) * kTwists + tw1c;
                    if (backward) {
                        if (t.Phase1Mod3(index1) == d3) {
                            SetMod3(t, index, next);
                            ++done;
                            break;
                        }
                        continue;
                    }
                    if (t.Phase1Mod3(index1) != 3) continue;
                    SetMod3(t, index1, next);
                    ++done;
                    // A representative with self-symmetries stands for several twists.
                    for (int j = 1; j < kSymmetries; ++j) {
                        if (!(selfSym[cls1] >> j & 1)) continue;
                        const long index2 = static_cast<long>(cls1) * kTwists + t.twistConj[tw1c][j];
                        if (t.Phase1Mod3(index2) == 3) {
                            SetMod3(t, index2, next);
                            ++done;
                        }
                    }
                }
            }
        }
    }
}

// A cube whose corners, or whose eight U/D edges, stand in permutation `raw`.
CubieCube WithCornerPerm(int raw) {
    CubieCube c = SolvedCubie();
    UnrankPerm(raw, c.cp, 8, 0);
    return c;
}
CubieCube WithEdgePerm(int raw) {
    CubieCube c = SolvedCubie();
    UnrankPerm(raw, c.ep, 8, 0);
    return c;
}

// A cube whose four U/D edges first..first+3 stand at `spot`, the other four in order on
// the remaining U/D positions.
CubieCube WithLayerSpot(int spot, int first) {
    int pos[4];
    pos[0] = spot / 210;
    int rest[3] = {spot / 30 % 7, spot / 5 % 6, spot % 5};
    bool used[8] = {};
    used[pos[0]] = true;
    for (int i = 0; i < 3; ++i) {
        // The rest[i]-th position not taken yet.
        int p = 0;
        for (int skip = rest[i];; ++p) {
            if (used[p]) continue;
            if (skip-- == 0) break;
        }
        pos[i + 1] = p;
        used[p] = true;
    }
    CubieCube c = SolvedCubie();
    for (int i = 0; i < 4; ++i) c.ep[pos[i]] = static_cast<std::uint8_t>(first + i);
    int other = first == 0 ? 4 : 0;
    for (int p = 0; p < 8; ++p)
        if (!used[p]) c.ep[p] = static_cast<std::uint8_t>(other++);
    return c;
}

// Sorts the 40320 permutations into classes under the symmetries: the first member met
// is the representative; classSym[raw] = class << 4 | s with S_s^-1 raw S_s = rep.
template <typename CubeOf, typename RawOf>
int BuildPermClasses(const Symmetries& sy, CubeOf cubeOf, RawOf rawOf, std::uint16_t* classSym,
                     std::vector<int>& reps) {
    std::fill(classSym, classSym + kCornerPerms, 0xffff);
    for (int raw = 0; raw < kCornerPerms; ++raw) {
        if (classSym[raw] != 0xffff) continue;
        const int cls = static_cast<int>(reps.size());
        reps.push_back(raw);
        classSym[raw] = static_cast<std::uint16_t>(cls << 4);
        const CubieCube c = cubeOf(raw);
        for (int s = 1; s < kSymmetries; ++s) {
            const int seen = rawOf(sy.Conjugate(c, s));
            if (classSym[seen] == 0xffff)
                classSym[seen] = static_cast<std::uint16_t>(cls << 4 | sy.inverseIndex[s]);
        }
    }
    return static_cast<int>(reps.size());
}

bool SamePermutation(const CubieCube& a, const CubieCube& b) {
    return std::equal(a.cp, a.cp + 8, b.cp) && std::equal(a.ep, a.ep + 12, b.ep);
}

// Phase-2 tables over permutation classes. The exact pair distances are found over raw
// permutations first (temporary tables), then read off at each class representative:
// a symmetry turns phase-2 solutions into phase-2 solutions, so conjugate pairs share
// their distance.
void BuildPhase2(SearchTables& t, const CubieCube* move, const Symmetries& sy) {
    for (int k = 0; k < kPhase2MoveCount; ++k) {
        for (int s = 0; s < kSymmetries; ++s) {
            const CubieCube image = sy.Conjugate(move[kPhase2Moves[k]], s);
            t.phase2MoveConj[k][s] = 0xff;
            for (int j = 0; j < kPhase2MoveCount; ++j)
                if (SamePermutation(move[kPhase2Moves[j]], image)) t.phase2MoveConj[k][s] = static_cast<std::uint8_t>(j);
        }
    }
    for (int a = 0; a < kSymmetries; ++a)
        for (int b = 0; b < kSymmetries; ++b)
            for (int j = 0; j < kSymmetries; ++j)
                if (sy.sym[j] == MultiplyMirrored(sy.sym[a], sy.sym[b])) t.symProduct[a][b] = static_cast<std::uint8_t>(j);
    for (int i = 0; i < kSlicePerms; ++i) {
        CubieCube c = SolvedCubie();
        UnrankPerm(i, c.ep + 8, 4, 8);
        for (int s = 0; s < kSymmetries; ++s)
            t.slicePermConj[i][s] = static_cast<std::uint8_t>(SlicePermOf(sy.Conjugate(c, s)));
    }

    std::vector<std::uint16_t> cornerMove(static_cast<std::size_t>(kCornerPerms) * kPhase2MoveCount);
    std::vector<std::uint16_t> edgeMove(cornerMove.size());
    for (int i = 0; i < kCornerPerms; ++i) {
        const CubieCube c = WithCornerPerm(i), e = WithEdgePerm(i);
        for (int k = 0; k < kPhase2MoveCount; ++k) {
            const CubieCube& mv = move[kPhase2Moves[k]];
            cornerMove[static_cast<std::size_t>(i) * kPhase2MoveCount + k] =
                static_cast<std::uint16_t>(CornerPermOf(Multiply(c, mv)));
            edgeMove[static_cast<std::size_t>(i) * kPhase2MoveCount + k] =
                static_cast<std::uint16_t>(EdgePermOf(Multiply(e, mv)));
        }
    }
    std::vector<std::uint8_t> prune(static_cast<std::size_t>(kCornerPerms) * kSlicePerms);
    // Returns the class representatives.
    auto fill = [&](const std::vector<std::uint16_t>& permMove, std::uint16_t* classSym,
                    std::uint16_t (*classMove)[kPhase2MoveCount], std::uint8_t (*small)[kSlicePerms],
                    auto cubeOf, auto rawOf) {
        FillPrune(prune.data(), kCornerPerms, kSlicePerms, kPhase2MoveCount,
                  [&](int a, int m) { return permMove[static_cast<std::size_t>(a) * kPhase2MoveCount + m]; },
                  [&](int b, int m) { return t.slicePermMove[b][m]; });
        std::vector<int> reps;
        const int classes = BuildPermClasses(sy, cubeOf, rawOf, classSym, reps);
        if (classes != kPermClasses) std::abort();  // the tables' layout would not hold them
        for (int cls = 0; cls < kPermClasses; ++cls) {
            const int rep = reps[static_cast<std::size_t>(cls)];
            for (int k = 0; k < kPhase2MoveCount; ++k)
                classMove[cls][k] = classSym[permMove[static_cast<std::size_t>(rep) * kPhase2MoveCount + k]];
            for (int sp = 0; sp < kSlicePerms; ++sp)
                small[cls][sp] = prune[static_cast<std::size_t>(rep) * kSlicePerms + sp];
        }
        return reps;
    };
    const std::vector<int> cornerReps = fill(cornerMove, t.cornerClassSym, t.cornerClassMove, t.cornerSlicePrune, WithCornerPerm,
         [](const CubieCube& c) { return CornerPermOf(c); });
    fill(edgeMove, t.edgeClassSym, t.edgeClassMove, t.edgeSlicePrune, WithEdgePerm,
         [](const CubieCube& c) { return EdgePermOf(c); });

    // Spots of four U/D edges: their move table and how the symmetries see them.
    for (int x = 0; x < kLayerSpots; ++x) {
        const CubieCube e = WithLayerSpot(x, 0);
        for (int k = 0; k < kPhase2MoveCount; ++k)
            t.spotMove[x][k] = static_cast<std::uint16_t>(LayerSpotOf(Multiply(e, move[kPhase2Moves[k]]).ep, 0));
    }
    for (int s = 0; s < kSymmetries; ++s) {
        // A symmetry that turns the cube over brings a D edge position to the UR position.
        t.spotSwapsLayers[s] = static_cast<std::uint8_t>(sy.sym[s].ep[0] >= 4);
        for (int x = 0; x < kLayerSpots; ++x) {
            for (int layer = 0; layer < 2; ++layer) {
                const int source = (layer == 1) != (t.spotSwapsLayers[s] != 0) ? 4 : 0;
                const CubieCube e = sy.Conjugate(WithLayerSpot(x, source), s);
                t.spotConj[x][s][layer] = static_cast<std::uint16_t>(LayerSpotOf(e.ep, layer * 4));
            }
        }
    }

    // Corner class with the spot of the U edges, and of the D edges: filled over raw
    // corner permutations, read off at each class's representative.
    std::vector<std::uint8_t> spots(static_cast<std::size_t>(kCornerPerms) * kLayerSpots);
    for (int layer = 0; layer < 2; ++layer) {
        FillPrune(spots.data(), kCornerPerms, kLayerSpots, kPhase2MoveCount,
                  [&](int a, int m) { return cornerMove[static_cast<std::size_t>(a) * kPhase2MoveCount + m]; },
                  [&](int b, int m) { return t.spotMove[b][m]; },
                  layer == 0 ? kSolvedUpSpot : kSolvedDownSpot);
        std::uint8_t* packed = layer == 0 ? t.cornerUpEdgePrune : t.cornerDownEdgePrune;
        std::memset(packed, 0, sizeof t.cornerUpEdgePrune);
        for (int cls = 0; cls < kPermClasses; ++cls) {
            const std::size_t row = static_cast<std::size_t>(cornerReps[static_cast<std::size_t>(cls)]) * kLayerSpots;
            for (int x = 0; x < kLayerSpots; ++x) {
                const long index = static_cast<long>(cls) * kLayerSpots + x;
                if (spots[row + x] > 15) std::abort();  // four bits hold at most 15 turns
                packed[index >> 1] = static_cast<std::uint8_t>(packed[index >> 1] | spots[row + x] << ((index & 1) * 4));
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
        CubieCube c = SolvedCubie();
        SetFlip(c, i);
        for (int m = 0; m < kMoveCount; ++m)
            t.flipMove[i][m] = static_cast<std::uint16_t>(FlipOf(Multiply(c, move[m])));
    }
    const auto masks = SliceMasks();
    for (int i = 0; i < kSlices; ++i) {
        CubieCube c = WithSlice(masks[i]);
        for (int m = 0; m < kMoveCount; ++m)
            t.sliceMove[i][m] = static_cast<std::uint16_t>(SliceOf(Multiply(c, move[m])));
    }
    for (int i = 0; i < kSlicePerms; ++i) {
        CubieCube c = SolvedCubie();
        UnrankPerm(i, c.ep + 8, 4, 8);
        for (int k = 0; k < kPhase2MoveCount; ++k)
            t.slicePermMove[i][k] =
                static_cast<std::uint8_t>(SlicePermOf(Multiply(c, move[kPhase2Moves[k]])));
    }

    const Symmetries sy;
    BuildPhase1(t, masks, sy);
    BuildPhase2(t, move, sy);
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

int LayerSpotOf(const std::uint8_t* ep, int first) {
    int pos[4] = {};
    for (int p = 0; p < 8; ++p)
        if (ep[p] >= first && ep[p] < first + 4) pos[ep[p] - first] = p;
    const int b = pos[1] - (pos[1] > pos[0]);
    const int c = pos[2] - (pos[2] > pos[0]) - (pos[2] > pos[1]);
    const int d = pos[3] - (pos[3] > pos[0]) - (pos[3] > pos[1]) - (pos[3] > pos[2]);
    return pos[0] * 210 + b * 30 + c * 5 + d;
}

void BuildSearchTables(SearchTables& t) { Build(t); }

namespace {
const Symmetries& TheSymmetries() {
    static const Symmetries sy;
    return sy;
}
}  // namespace

CubieCube ConjugateBySymmetry(const CubieCube& c, int s) { return TheSymmetries().Conjugate(c, s); }
int InverseSymmetry(int s) { return TheSymmetries().inverseIndex[s]; }

#ifdef VELMORA_EMBEDDED_TABLES
// The tables as the build-time tool wrote them, linked in read-only.
extern "C" const unsigned char velmora_search_tables[];

const SearchTables& Tables() {
    return *reinterpret_cast<const SearchTables*>(velmora_search_tables);
}
#else
const SearchTables& Tables() {
    // Static storage: built once at the first call, never freed, never on the heap.
    static SearchTables tables;
    static const bool built = (Build(tables), true);
    (void)built;
    return tables;
}
#endif

void PrepareTables() { Tables(); }

}  // namespace velmora::shortest
