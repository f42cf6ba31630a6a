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
        }
        for (int m = 0; m < kMoveCount; ++m) moveCubie_[m] = MoveCubie(m);
    }

    // Looks for a solution of at most `bound` moves.
    bool Within(int bound, TwoPhaseSolution& out) {
        bound_ = bound;
        out_ = &out;
        for (int depth1 = 0; depth1 <= bound; ++depth1) {
            for (view = 0; view < kViews; ++view) {
                if (Phase1Bound(twist_[view], flip_[view], slice_[view]) > depth1) continue;
                if (Phase1(twist_[view], flip_[view], slice_[view], 0, depth1, -1)) return true;
            }
        }
        return false;
    }

private:
    int Phase1Bound(int tw, int fl, int sl) const {
        return std::max({t_.sliceTwistPrune[sl * kTwists + tw], t_.sliceFlipPrune[sl * kFlips + fl],
                         t_.twistFlipPrune[tw * kFlips + fl]});
    }

    bool Phase1(int tw, int fl, int sl, int depth, int remaining, int last) {
        if (remaining == 0) return StartPhase2(depth);
        const int left = remaining - 1;
        for (int m = 0; m < kMoveCount; ++m) {
            if (Redundant(m, last)) continue;
            if (left == 0 && !LeavesPhase2Group(m)) continue;
            const int ntw = t_.twistMove[tw][m];
            const int nsl = t_.sliceMove[sl][m];
            if (t_.sliceTwistPrune[nsl * kTwists + ntw] > left) continue;
            const int nfl = t_.flipMove[fl][m];
            if (t_.sliceFlipPrune[nsl * kFlips + nfl] > left) continue;
            if (t_.twistFlipPrune[ntw * kFlips + nfl] > left) continue;
            path_[depth] = static_cast<std::uint8_t>(m);
            if (Phase1(ntw, nfl, nsl, depth + 1, left, m)) return true;
        }
        return false;
    }

    // The view's cube after phase 1 lies in the phase-2 group: only its permutations
    // are needed.
    bool StartPhase2(int depth1) {
        const int budget = std::min(kMaxPhase2, bound_ - depth1);
        CubieCube c = view_[view];
        for (int i = 0; i < depth1; ++i) {
            const CubieCube& mv = moveCubie_[path_[i]];
            CubieCube n;
            for (int k = 0; k < 8; ++k) n.cp[k] = c.cp[mv.cp[k]];
            for (int k = 0; k < 12; ++k) n.ep[k] = c.ep[mv.ep[k]];
            std::copy(n.cp, n.cp + 8, c.cp);
            std::copy(n.ep, n.ep + 12, c.ep);
        }
        const int cp = CornerPermOf(c), ep = EdgePermOf(c), sp = SlicePermOf(c);
        const int h = std::max(t_.cornerSlicePrune[cp * kSlicePerms + sp],
                               t_.edgeSlicePrune[ep * kSlicePerms + sp]);
        if (h > budget) return false;
        const int last = depth1 > 0 ? path_[depth1 - 1] : -1;
        for (int depth2 = h; depth2 <= budget; ++depth2) {
            if (Phase2(cp, ep, sp, depth1, depth2, last)) {
                Record(depth1, depth1 + depth2);
                return true;
            }
        }
        return false;
    }

    bool Phase2(int cp, int ep, int sp, int depth, int remaining, int last) {
        if (remaining == 0) return cp == 0 && ep == 0 && sp == 0;
        const int left = remaining - 1;
        for (int k = 0; k < kPhase2MoveCount; ++k) {
            const int m = kPhase2Moves[k];
            if (Redundant(m, last)) continue;
            const int nsp = t_.slicePermMove[sp][k];
            const int ncp = t_.cornerPermMove[cp][k];
            if (t_.cornerSlicePrune[ncp * kSlicePerms + nsp] > left) continue;
            const int nep = t_.edgePermMove[ep][k];
            if (t_.edgeSlicePrune[nep * kSlicePerms + nsp] > left) continue;
            path_[depth] = static_cast<std::uint8_t>(m);
            if (Phase2(ncp, nep, nsp, depth + 1, left, m)) return true;
        }
        return false;
    }

    // Turns the path found for the view back into moves of the cube itself.
    void Record(int depth1, int length) {
        const std::uint8_t* conj = t_.conjugateMove[view / 2];
        const bool inverse = view % 2 == 1;
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
    int twist_[kViews], flip_[kViews], slice_[kViews];
    std::uint8_t path_[32] = {};
    int bound_ = 0;
    int view = 0;
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
    out.length = 0;
    out.split = 0;
    if (!IsSolvable(c) || maxLength < 0) return false;
    maxLength = std::min(maxLength, kMaxSolutionLength);
    Search search(Tables(), c);
    for (int bound = 0; bound <= std::min(kExactUpTo, maxLength); ++bound)
        if (search.Within(bound, out)) return true;
    return maxLength > kExactUpTo && search.Within(maxLength, out);
}

}  // namespace velmora::shortest
