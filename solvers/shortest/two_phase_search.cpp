// The two-phase search: iterative deepening over the length of phase 1 from six
// starting views of the cube (three axes, each as it is and as its inverse), phase 2
// by iterative deepening within what the bound leaves.
#include <algorithm>

#include "solvers/shortest/search_tables.h"
#include "solvers/shortest/two_phase.h"

namespace velmora::shortest {
namespace {

// Phase 2 is never searched deeper than this; longer phase-2 solutions are left for a
// longer phase 1, which is far cheaper to search.
constexpr int kMaxPhase2 = 12;
// Bounds up to this are searched one by one first, so a cube a few turns from solved
// gets a solution no longer than those turns.
constexpr int kExactUpTo = 8;
// After the first solution within the full bound, the search goes on for this many
// nodes looking for a shorter one: many cubes have one close at hand, and the count
// (not a clock) keeps the result a function of the position.
constexpr long kShorterEffort = 200;
constexpr int kViews = 6;

constexpr int InverseMove(int m) { return kFace(m) * 3 + 2 - m % 3; }

// Quarter turns of R, F, L, B: the only moves that can end phase 1 (any other last
// move would mean the cube was already in the phase-2 group one move earlier).
constexpr bool LeavesPhase2Group(int m) {
    const int f = kFace(m);
    return f != 0 && f != 3 && m % 3 != 1;
}

// A move may not follow one of its own face, nor its opposite face listed later
// (D after U is allowed, U after D is not).
constexpr bool Redundant(int move, int last) {
    if (last < 0) return false;
    const int f = kFace(move), lf = kFace(last);
    return f == lf || f + 3 == lf;
}

class Search {
public:
    Search(const SearchTables& t, const CubieCube& c) : t_(t) {
        for (int k = 0; k < 3; ++k) {
            const CubieCube seen = Multiply(Multiply(t.diagonal[k], c), t.diagonalInverse[k]);
            view_[2 * k] = seen;
            view_[2 * k + 1] = Inverse(seen);
        }
        for (int v = 0; v < kViews; ++v) {
            twist_[v] = TwistOf(view_[v]);
            flip_[v] = FlipOf(view_[v]);
            slice_[v] = SliceOf(view_[v]);
            depth_[v] = Phase1Distance(twist_[v], flip_[v], slice_[v]);
            // A symmetric cube looks the same from several views: search each look once.
            repeated_[v] = false;
            for (int u = 0; u < v; ++u) repeated_[v] = repeated_[v] || view_[u] == view_[v];
        }
        for (int m = 0; m < kMoveCount; ++m) moveCubie_[m] = MoveCubie(m);
    }

    // Looks for a solution of at most `bound` moves. With a shorter effort, the first
    // one found is kept and the search goes on for that many nodes with the bound one
    // below it.
    bool Within(int bound, TwoPhaseSolution& out, long shorterEffort = 0, const LookStop* stop = nullptr) {
        stop_ = stop;
        bound_ = bound;
        out_ = &out;
        nodesLeft_ = stop != nullptr && stop->steps >= 0 ? stop->steps : -1;
        shorterEffort_ = shorterEffort;
        found_ = false;
        for (int depth1 = 0; depth1 <= bound_ && nodesLeft_ != 0; ++depth1) {
            for (viewIndex_ = 0; viewIndex_ < kViews && nodesLeft_ != 0; ++viewIndex_) {
                const int v = viewIndex_;
                if (repeated_[v] || depth_[v] > depth1) continue;
                prefix_[0] = view_[v];
                known_ = 0;
                if (Phase1(twist_[v], flip_[v], slice_[v], depth_[v], 0, depth1, -1)) return true;
            }
        }
        return found_;
    }

private:
    int Mod3(int tw, int fl, int sl) const { return t_.Phase1Mod3(t_.Phase1Index(tw, sl * kFlips + fl)); }

    // Exact number of moves to the phase-2 group: walk down the table, each step to a
    // neighbour one move closer (the only neighbour whose distance is one less mod 3).
    int Phase1Distance(int tw, int fl, int sl) const {
        int distance = 0;
        while (tw != 0 || fl != 0 || sl != 0) {
            const int want = (Mod3(tw, fl, sl) + 2) % 3;
            for (int m = 0; m < kMoveCount; ++m) {
                const int ntw = t_.twistMove[tw][m], nfl = t_.flipMove[fl][m], nsl = t_.sliceMove[sl][m];
                if (Mod3(ntw, nfl, nsl) == want) {
                    tw = ntw, fl = nfl, sl = nsl;
                    break;
                }
            }
            ++distance;
        }
        return distance;
    }

    // distance: the exact phase-1 distance of (tw, fl, sl); each move changes it by at
    // most one, so its value mod 3 tells which way. The table entries of all children
    // are looked up in three rounds with prefetches between them, so that their memory
    // accesses overlap instead of following one another.
    bool Phase1(int tw, int fl, int sl, int distance, int depth, int remaining, int last) {
        if (remaining == 0) return StartPhase2(depth);
        if (nodesLeft_ == 0 || --nodesLeft_ == 0 || Stopped()) return false;
        const int left = remaining - 1;
        if (left == 0) {
            // The last move must reach the phase-2 group itself: every coordinate 0, which
            // the move tables tell without the distance table.
            for (int m = 0; m < kMoveCount; ++m) {
                if (Redundant(m, last) || !LeavesPhase2Group(m)) continue;
                if (t_.twistMove[tw][m] != 0 || t_.flipMove[fl][m] != 0 || t_.sliceMove[sl][m] != 0) continue;
                SetPathMove(depth, m);
                if (StartPhase2(depth + 1)) return true;
            }
            return false;
        }
        int moves[kMoveCount], twists[kMoveCount], flips[kMoveCount], slices[kMoveCount];
        long index[kMoveCount];
        int n = 0;
        for (int m = 0; m < kMoveCount; ++m) {
            if (Redundant(m, last)) continue;
            moves[n] = m;
            twists[n] = t_.twistMove[tw][m];
            flips[n] = t_.flipMove[fl][m];
            slices[n] = t_.sliceMove[sl][m];
            __builtin_prefetch(&t_.flipSliceClassSym[slices[n] * kFlips + flips[n]]);
            ++n;
        }
        for (int i = 0; i < n; ++i) {
            index[i] = t_.Phase1Index(twists[i], slices[i] * kFlips + flips[i]);
            __builtin_prefetch(&t_.phase1Prune[index[i] >> 2]);
        }
        const int d3 = distance % 3;
        for (int i = 0; i < n; ++i) {
            const int step = (t_.Phase1Mod3(index[i]) - d3 + 3) % 3;
            const int next = step == 0 ? distance : step == 1 ? distance + 1 : distance - 1;
            if (next > left) continue;
            SetPathMove(depth, moves[i]);
            if (Phase1(twists[i], flips[i], slices[i], next, depth + 1, left, moves[i])) return true;
        }
        return false;
    }

    // About every 4096 phase-1 steps (those that land on a multiple of 4096 of the
    // count) the caller's stop is asked; once it says so, the search ends as if its
    // steps were used up.
    bool Stopped() {
        if (stop_ == nullptr || (nodesLeft_ & 4095) != 0 || !stop_->Now()) return false;
        nodesLeft_ = 0;
        return true;
    }

    void SetPathMove(int depth, int move) {
        path_[depth] = static_cast<std::uint8_t>(move);
        if (known_ > depth) known_ = depth;
    }

    // The view's cube after phase 1 lies in the phase-2 group: only its permutations
    // are needed. They are kept for every prefix of the path, so a leaf only applies the
    // moves that changed since the last one.
    bool StartPhase2(int depth1) {
        const int budget = std::min(kMaxPhase2, bound_ - depth1);
        if (budget < 0) return false;
        for (; known_ < depth1; ++known_) {
            const CubieCube& from = prefix_[known_];
            const CubieCube& mv = moveCubie_[path_[known_]];
            CubieCube& to = prefix_[known_ + 1];
            for (int k = 0; k < 8; ++k) to.cp[k] = from.cp[mv.cp[k]];
            for (int k = 0; k < 12; ++k) to.ep[k] = from.ep[mv.ep[k]];
        }
        const CubieCube& c = prefix_[depth1];
        // Cheapest first: most leaves are refused by the corners alone.
        const int sp = SlicePermOf(c);
        const int cc = t_.cornerClassSym[CornerPermOf(c)];
        const int hc = t_.CornerSliceBound(cc, sp);
        if (hc > budget) return false;
        const int u = LayerSpotOf(c.ep, 0), d = LayerSpotOf(c.ep, 4);
        const int hl = t_.LayerBound(cc, u, d);
        if (hl > budget) return false;
        const int ec = t_.edgeClassSym[EdgePermOf(c)];
        const int he = t_.EdgeSliceBound(ec, sp);
        if (he > budget) return false;
        const int last = depth1 > 0 ? path_[depth1 - 1] : -1;
        for (int depth2 = std::max({hc, hl, he}); depth2 <= budget; ++depth2) {
            if (Phase2(cc, ec, sp, u, d, depth1, depth2, last)) {
                Record(depth1, depth1 + depth2);
                found_ = true;
                if (shorterEffort_ <= 0) return true;
                // Keep it, and look a little further for a shorter one.
                bound_ = depth1 + depth2 - 1;
                if (nodesLeft_ < 0 || nodesLeft_ > shorterEffort_) nodesLeft_ = shorterEffort_;
                return false;
            }
        }
        return false;
    }

    // cc, ec: corner and edge permutations as class << 4 | symmetry; sp: the raw
    // middle-edge permutation; u, d: the spots of the U and the D edges.
    bool Phase2(int cc, int ec, int sp, int u, int d, int depth, int remaining, int last) {
        if (remaining == 0) return (cc >> 4) == 0 && (ec >> 4) == 0 && sp == 0;
        if (nodesLeft_ == 0 || --nodesLeft_ == 0) return false;
        const int left = remaining - 1;
        for (int k = 0; k < kPhase2MoveCount; ++k) {
            const int m = kPhase2Moves[k];
            if (Redundant(m, last)) continue;
            const int sp1 = t_.slicePermMove[sp][k];
            const int cc1 = t_.ClassAfterMove(t_.cornerClassMove, cc, k);
            if (t_.CornerSliceBound(cc1, sp1) > left) continue;
            const int u1 = t_.spotMove[u][k], d1 = t_.spotMove[d][k];
            if (t_.LayerBound(cc1, u1, d1) > left) continue;
            const int ec1 = t_.ClassAfterMove(t_.edgeClassMove, ec, k);
            if (t_.EdgeSliceBound(ec1, sp1) > left) continue;
            path_[depth] = static_cast<std::uint8_t>(m);
            if (Phase2(cc1, ec1, sp1, u1, d1, depth + 1, left, m)) return true;
        }
        return false;
    }

    // Turns the path found for the view back into moves of the cube itself.
    void Record(int depth1, int length) {
        const std::uint8_t* conj = t_.conjugateMove[viewIndex_ / 2];
        const bool inverse = viewIndex_ % 2 == 1;
        for (int i = 0; i < length; ++i) {
            const int m = inverse ? InverseMove(path_[length - 1 - i]) : path_[i];
            out_->moves[i] = conj[m];
        }
        out_->length = length;
        out_->split = inverse ? length - depth1 : depth1;
    }

    const SearchTables& t_;
    CubieCube view_[kViews];
    CubieCube moveCubie_[kMoveCount];
    int twist_[kViews], flip_[kViews], slice_[kViews], depth_[kViews];
    bool repeated_[kViews];
    std::uint8_t path_[32] = {};
    // The view after each prefix of the path (permutations only).
    CubieCube prefix_[32] = {};
    int known_ = 0;          // prefix_[0..known_] belong to the current path
    int bound_ = 0;
    long nodesLeft_ = -1;  // negative: no limit
    long shorterEffort_ = 0;
    const LookStop* stop_ = nullptr;
    bool found_ = false;
    int viewIndex_ = 0;  // the view being searched
    TwoPhaseSolution* out_ = nullptr;
};

}  // namespace

bool IsSolvable(const CubieCube& c) {
    int seen = 0, twist = 0, flip = 0;
    for (int i = 0; i < 8; ++i) {
        if (c.cp[i] >= 8 || c.co[i] >= 3) return false;
        seen |= 1 << c.cp[i];
        twist += c.co[i];
    }
    if (seen != 0xff) return false;
    seen = 0;
    for (int i = 0; i < 12; ++i) {
        if (c.ep[i] >= 12 || c.eo[i] >= 2) return false;
        seen |= 1 << c.ep[i];
        flip += c.eo[i];
    }
    if (seen != 0xfff || twist % 3 != 0 || flip % 2 != 0) return false;
    int parity = 0;
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j) parity ^= c.cp[i] > c.cp[j];
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j) parity ^= c.ep[i] > c.ep[j];
    return parity == 0;
}

bool SolveTwoPhase(const CubieCube& c, int maxLength, TwoPhaseSolution& out) {
    return SolveTwoPhase(c, maxLength, out, kShorterEffort);
}

bool SolveTwoPhase(const CubieCube& c, int maxLength, TwoPhaseSolution& out, long shorterEffort,
                   const LookStop* stop) {
    out.length = 0;
    out.split = 0;
    if (!IsSolvable(c) || maxLength < 0) return false;
    maxLength = std::min(maxLength, kMaxSolutionLength);
    Search search(Tables(), c);
    for (int bound = 0; bound <= std::min(kExactUpTo, maxLength); ++bound)
        if (search.Within(bound, out)) return true;
    if (maxLength <= kExactUpTo) return false;
    return search.Within(maxLength, out, shorterEffort, stop);
}

}  // namespace velmora::shortest
