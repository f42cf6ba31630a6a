// Iterative deepening for the fewest-turns method.
#include "solvers/optimal/optimal_search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <mutex>
#include <thread>

#include "solvers/shortest/search_tables.h"
#include "solvers/shortest/two_phase.h"

namespace velmora::optimal {
namespace {

using shortest::CubieCube;
using shortest::kFace;
using shortest::kFlips;
using shortest::kMoveCount;
using shortest::Multiply;
using shortest::SearchTables;

constexpr int kViews = 3;
// Progress and the stop conditions are looked at once every this many positions.
constexpr long kPollEvery = 1 << 14;
constexpr int kMaxItems = 18 * 18;

// A move may not follow one of its own face, nor its opposite face listed later.
constexpr bool Redundant(int move, int last) {
    if (last < 0) return false;
    const int f = kFace(move), lf = kFace(last);
    return f == lf || f + 3 == lf;
}

// One position as the search follows it: the corners, and for each of the three views
// (the cube turned about the URF-DBL diagonal) its phase-1 coordinates with their
// exact distance and the places of the first edge pieces; with the huge tables also the
// places of the middle edges and the corner permutation of each view, whose two tables
// then stand in for the others, and the inverse of each view as a whole cube: the
// inverse takes as many moves, so its table entries bound the cube as well.
struct Node {
    std::uint16_t cornerPerm, twist;
    std::uint16_t viewTwist[kViews], flip[kViews], slice[kViews], sortedSlice[kViews], viewCornerPerm[kViews];
    std::uint8_t phase1[kViews];
    std::uint8_t edges[kViews][8];
    CubieCube inverse[kViews];
};

struct Item {
    std::uint8_t moves[2];
    int count;
    Node node;
};

class Searcher {
public:
    Searcher(const PruneTables& p, SearchControl& control)
        : p_(p), t_(shortest::Tables()), mv_(Moves()), control_(control), huge_(p.slices != nullptr) {
        for (int k = 0; k < kViews; ++k)
            for (int m = 0; m < kMoveCount; ++m) toView_[k][t_.conjugateMove[k][m]] = static_cast<std::uint8_t>(m);
        for (int m = 0; m < kMoveCount; ++m) inverseMove_[m] = shortest::MoveCubie(kFace(m) * 3 + 2 - m % 3);
        sliceOfMask_ = SliceOfMask();
    }

    Node RootNode(const CubieCube& c) const {
        Node n{};
        n.cornerPerm = static_cast<std::uint16_t>(CornerPermRank(c.cp));
        n.twist = static_cast<std::uint16_t>(shortest::TwistOf(c));
        for (int k = 0; k < kViews; ++k) {
            const CubieCube v = Multiply(Multiply(t_.diagonal[k], c), t_.diagonalInverse[k]);
            n.viewTwist[k] = static_cast<std::uint16_t>(shortest::TwistOf(v));
            n.flip[k] = static_cast<std::uint16_t>(shortest::FlipOf(v));
            n.slice[k] = static_cast<std::uint16_t>(shortest::SliceOf(v));
            n.sortedSlice[k] = static_cast<std::uint16_t>(SortedSliceOf(v));
            n.viewCornerPerm[k] = static_cast<std::uint16_t>(CornerPermRank(v.cp));
            n.inverse[k] = shortest::Inverse(v);
            n.phase1[k] = static_cast<std::uint8_t>(Phase1Distance(n.viewTwist[k], n.flip[k], n.slice[k]));
            for (int i = 0; i < 12; ++i)
                if (v.ep[i] < p_.edgePieces) n.edges[k][v.ep[i]] = static_cast<std::uint8_t>(i * 2 + v.eo[i]);
        }
        return n;
    }

    int Bound(const Node& n) const {
        int h = p_.Corner(n.cornerPerm, n.twist);
        for (int k = 0; k < kViews; ++k) {
            h = n.phase1[k] > h ? n.phase1[k] : h;
            if (huge_) {
                h = std::max(h, PruneTables::Nibble(p_.slices, SliceIndex(n.sortedSlice[k], n.flip[k], n.viewTwist[k])));
                int twist;
                const long raw = InverseRaw(n.inverse[k], twist);
                h = std::max(h, PruneTables::Nibble(p_.slices, SliceIndex(static_cast<int>(raw >> 11), raw & 2047, twist)));
                h = std::max(h, CornerSlice(n.viewCornerPerm[k], n.viewTwist[k], n.sortedSlice[k] / 24));
                h = std::max(h, CornerSlice(CornerPermRank(n.inverse[k].cp), twist, static_cast<int>(raw >> 11) / 24));
            }
            const int e = p_.Edge(n.edges[k]);
            h = e > h ? e : h;
        }
        return h;
    }

    // The child of a after move m, when its bound leaves a solution within `left`
    // more moves; false (and b half filled) otherwise.
    bool Child(const Node& a, int m, Node& b, int left) const {
        if (huge_) {
            for (int k = 0; k < kViews; ++k) {
                const int vm = toView_[k][m];
                b.viewTwist[k] = t_.twistMove[a.viewTwist[k]][vm];
                b.flip[k] = t_.flipMove[a.flip[k]][vm];
                b.sortedSlice[k] = mv_.sortedSlice[a.sortedSlice[k]][vm];
                b.viewCornerPerm[k] = mv_.cornerPerm[a.viewCornerPerm[k]][vm];
                if (PruneTables::Nibble(p_.slices, SliceIndex(b.sortedSlice[k], b.flip[k], b.viewTwist[k])) > left ||
                    CornerSlice(b.viewCornerPerm[k], b.viewTwist[k], b.sortedSlice[k] / 24) > left)
                    return false;
            }
            InverseChild(a, m, b);
            for (int k = 0; k < kViews; ++k) {
                int twist;
                const long raw = InverseRaw(b.inverse[k], twist);
                if (PruneTables::Nibble(p_.slices, SliceIndex(static_cast<int>(raw >> 11), raw & 2047, twist)) > left ||
                    CornerSlice(CornerPermRank(b.inverse[k].cp), twist, static_cast<int>(raw >> 11) / 24) > left)
                    return false;
            }
            return Rest(a, m, b, left);
        }
        for (int k = 0; k < kViews; ++k) {
            const int vm = toView_[k][m];
            b.viewTwist[k] = t_.twistMove[a.viewTwist[k]][vm];
            b.flip[k] = t_.flipMove[a.flip[k]][vm];
            b.slice[k] = t_.sliceMove[a.slice[k]][vm];
            const int here = a.phase1[k];
            const int step = (t_.Phase1Mod3(t_.Phase1Index(b.viewTwist[k], b.slice[k] * kFlips + b.flip[k])) - here % 3 + 3) % 3;
            const int next = step == 0 ? here : step == 1 ? here + 1 : here - 1;
            if (next > left) return false;
            b.phase1[k] = static_cast<std::uint8_t>(next);
        }
        return Rest(a, m, b, left);
    }

    // The inverse of each view after move m: the move's inverse comes first.
    void InverseChild(const Node& a, int m, Node& b) const {
        for (int k = 0; k < kViews; ++k) {
            const CubieCube& mc = inverseMove_[toView_[k][m]];
            const CubieCube& y = a.inverse[k];
            CubieCube& r = b.inverse[k];
            for (int i = 0; i < 8; ++i) {
                r.cp[i] = mc.cp[y.cp[i]];
                const int o = mc.co[y.cp[i]] + y.co[i];
                r.co[i] = static_cast<std::uint8_t>(o >= 3 ? o - 3 : o);
            }
            for (int i = 0; i < 12; ++i) {
                r.ep[i] = mc.ep[y.ep[i]];
                r.eo[i] = static_cast<std::uint8_t>(mc.eo[y.ep[i]] ^ y.eo[i]);
            }
        }
    }

    // Exact moves to solve the corners and bring the middle edges into the middle layer.
    long CornerSliceIndex(int perm, int twist, int slice) const {
        return PruneTables::CornerSliceIndex(t_.cornerClassSym[perm], twist, slice, t_, mv_);
    }
    // Exact moves to solve the twist, flip and middle edges.
    long SliceIndex(int sortedSlice, long flip, int twist) const {
        return PruneTables::SliceIndex(sortedSlice, static_cast<int>(flip), twist, t_, mv_);
    }
    int CornerSlice(int perm, int twist, int slice) const {
        return PruneTables::Nibble(p_.cornerSlices, CornerSliceIndex(perm, twist, slice));
    }

    // Places of the middle edges * 2048 + flip of a whole cube, and its twist.
    long InverseRaw(const CubieCube& y, int& twist) const {
        int tw = 0;
        for (int i = 0; i < 7; ++i) tw = tw * 3 + y.co[i];
        twist = tw;
        int flip = 0;
        for (int i = 0; i < 11; ++i) flip = flip * 2 + y.eo[i];
        unsigned mask = 0;
        int order[4], n = 0;
        for (int j = 0; j < 12; ++j)
            if (y.ep[j] >= 8) mask |= 1u << j, order[n++] = y.ep[j];
        const int rank = ((order[0] > order[1]) + (order[0] > order[2]) + (order[0] > order[3])) * 6 +
                         ((order[1] > order[2]) + (order[1] > order[3])) * 2 + (order[2] > order[3]);
        return (static_cast<long>(sliceOfMask_[mask]) * 24 + rank) * 2048 + flip;
    }

    // The corners and the first edge pieces of the child.
    bool Rest(const Node& a, int m, Node& b, int left) const {
        b.cornerPerm = mv_.cornerPerm[a.cornerPerm][m];
        b.twist = t_.twistMove[a.twist][m];
        if (p_.Corner(b.cornerPerm, b.twist) > left) return false;
        const int n = p_.edgePieces;
        for (int k = 0; k < kViews; ++k) {
            const int vm = toView_[k][m];
            for (int i = 0; i < n; ++i) b.edges[k][i] = mv_.edgeLoc[a.edges[k][i]][vm];
            if (p_.Edge(b.edges[k]) > left) return false;
        }
        return true;
    }

    // Searches one length through; out holds the solution when one is found.
    bool SearchLength(const CubieCube& cube, const Node& root, int length, std::uint8_t* out) {
        length_ = length;
        cube_ = &cube;
        if (length == 0) return Bound(root) == 0 && IsSolvedAfter(nullptr, 0);
        // The work items: every admissible start of one or two moves.
        itemCount_ = 0;
        const int prefix = length >= 2 ? 2 : 1;
        for (int m1 = 0; m1 < kMoveCount; ++m1) {
            Item first{};
            if (!Child(root, m1, first.node, length - 1)) continue;
            if (prefix == 1) {
                first.moves[0] = static_cast<std::uint8_t>(m1);
                first.count = 1;
                items_[itemCount_++] = first;
                continue;
            }
            for (int m2 = 0; m2 < kMoveCount; ++m2) {
                if (Redundant(m2, m1)) continue;
                Item& it = items_[itemCount_];
                if (!Child(first.node, m2, it.node, length - 2)) continue;
                it.moves[0] = static_cast<std::uint8_t>(m1);
                it.moves[1] = static_cast<std::uint8_t>(m2);
                it.count = 2;
                ++itemCount_;
            }
        }
        next_.store(0);
        best_.store(INT_MAX);
        const int threads = control_.threads < 1 ? 1 : control_.threads > 2 ? 2 : control_.threads;
        if (threads == 2) {
            std::thread other([this] { Work(); });
            Work();
            other.join();
        } else {
            Work();
        }
        if (best_.load() == INT_MAX) return false;
        for (int i = 0; i < length; ++i) out[i] = solution_[i];
        return true;
    }

    bool Halted() const { return halted_.load(std::memory_order_relaxed); }
    void StartClock() { start_ = std::chrono::steady_clock::now(); }
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    struct Worker {
        std::uint8_t path[32];
        int item = 0;
        long sincePoll = 0;
    };

    void Work() {
        Worker w;
        for (;;) {
            const int i = next_.fetch_add(1);
            if (i >= itemCount_ || i > best_.load() || Halted()) break;
            const Item& it = items_[i];
            w.item = i;
            for (int k = 0; k < it.count; ++k) w.path[k] = it.moves[k];
            if (Dfs(w, it.node, it.count, length_ - it.count, it.moves[it.count - 1])) {
                std::lock_guard<std::mutex> lock(mutex_);
                if (i < best_.load()) {
                    for (int k = 0; k < length_; ++k) solution_[k] = w.path[k];
                    best_.store(i);
                }
            }
        }
        control_.nodes.fetch_add(w.sincePoll, std::memory_order_relaxed);
    }

    void Poll(Worker& w) {
        control_.nodes.fetch_add(w.sincePoll, std::memory_order_relaxed);
        w.sincePoll = 0;
        if (control_.cancel.load(std::memory_order_relaxed) ||
            (control_.maxSeconds > 0 && Seconds() > control_.maxSeconds))
            halted_.store(true);
    }

    bool Dfs(Worker& w, const Node& n, int depth, int left, int last) {
        if (left == 0) return IsSolvedAfter(w.path, depth);
        if (huge_) return DfsHuge(w, n, depth, left, last);
        Node child;
        for (int m = 0; m < kMoveCount; ++m) {
            if (Redundant(m, last)) continue;
            if (++w.sincePoll >= kPollEvery) {
                Poll(w);
                if (Halted() || best_.load(std::memory_order_relaxed) < w.item) return false;
            }
            if (!Child(n, m, child, left - 1)) continue;
            w.path[depth] = static_cast<std::uint8_t>(m);
            if (Dfs(w, child, depth + 1, left - 1, m)) return true;
            if (Halted()) return false;
        }
        return false;
    }

    // The same with the huge tables, whose lookups miss the caches: the table entries of
    // every child are asked for before any is needed, so that the memory serves them
    // together (first the class words of the middle-edge entries with the corner
    // entries, then the middle-edge entries), and the children are then tried in move
    // order as above. The inverse is followed only for the children the cube's own
    // entries leave.
    bool DfsHuge(Worker& w, const Node& n, int depth, int left, int last) {
        Node kids[kMoveCount];
        std::uint8_t moves[kMoveCount];
        long index[kMoveCount][2 * kViews];
        int twist[kMoveCount][kViews];
        std::uint8_t keptKids[kMoveCount];
        int kept = 0;
        int count = 0;
        for (int m = 0; m < kMoveCount; ++m) {
            if (Redundant(m, last)) continue;
            Node& b = kids[count];
            long* at = index[count];
            for (int k = 0; k < kViews; ++k) {
                const int vm = toView_[k][m];
                b.viewTwist[k] = t_.twistMove[n.viewTwist[k]][vm];
                b.flip[k] = t_.flipMove[n.flip[k]][vm];
                b.sortedSlice[k] = mv_.sortedSlice[n.sortedSlice[k]][vm];
                b.viewCornerPerm[k] = mv_.cornerPerm[n.viewCornerPerm[k]][vm];
                at[k] = static_cast<long>(b.sortedSlice[k]) * 2048 + b.flip[k];
                __builtin_prefetch(&t_.flipSliceClassSym[(at[k] >> 11) / 24 * 2048 + b.flip[k]]);
                at[kViews + k] = CornerSliceIndex(b.viewCornerPerm[k], b.viewTwist[k], b.sortedSlice[k] / 24);
                __builtin_prefetch(p_.cornerSlices + (at[kViews + k] >> 1));
                twist[count][k] = b.viewTwist[k];
            }
            moves[count++] = static_cast<std::uint8_t>(m);
        }
        AskSliceEntries(index, twist, count, nullptr);
        const int below = left - 1;
        for (int i = 0; i < count; ++i) {
            if (++w.sincePoll >= kPollEvery) {
                Poll(w);
                if (Halted() || best_.load(std::memory_order_relaxed) < w.item) return false;
            }
            if (Beyond(index[i], below)) continue;
            // The first edge pieces are not followed: next to these tables their bound
            // hardly ever cuts a branch, and its lookups would cost more than they save.
            Node& b = kids[i];
            InverseChild(n, moves[i], b);
            for (int k = 0; k < kViews; ++k) {
                const long raw = InverseRaw(b.inverse[k], twist[i][k]);
                index[i][k] = raw;
                __builtin_prefetch(&t_.flipSliceClassSym[(raw >> 11) / 24 * 2048 + (raw & 2047)]);
                index[i][kViews + k] = CornerSliceIndex(CornerPermRank(b.inverse[k].cp), twist[i][k], static_cast<int>(raw >> 11) / 24);
                __builtin_prefetch(p_.cornerSlices + (index[i][kViews + k] >> 1));
            }
            keptKids[kept++] = static_cast<std::uint8_t>(i);
        }
        AskSliceEntries(index, twist, kept, keptKids);
        for (int j = 0; j < kept; ++j) {
            const int i = keptKids[j];
            if (Beyond(index[i], below)) continue;
            const int m = moves[i];
            w.path[depth] = static_cast<std::uint8_t>(m);
            if (Dfs(w, kids[i], depth + 1, below, m)) return true;
            if (Halted()) return false;
        }
        return false;
    }

    // Turns the places * 2048 + flip of each view of the listed children (all when
    // which is null) into their middle-edge entries, and asks for those.
    void AskSliceEntries(long (*index)[2 * kViews], const int (*twist)[kViews], int count,
                         const std::uint8_t* which) const {
        for (int j = 0; j < count; ++j) {
            const int i = which ? which[j] : j;
            for (int k = 0; k < kViews; ++k) {
                const long raw = index[i][k];
                index[i][k] = SliceIndex(static_cast<int>(raw >> 11), raw & 2047, twist[i][k]);
                __builtin_prefetch(p_.slices + (index[i][k] >> 1));
            }
        }
    }

    // Whether any of the six huge-table entries (the middle edges, then the corners, of
    // the three views) says more than `left` moves.
    bool Beyond(const long* at, int left) const {
        bool beyond = false;
        for (int k = 0; k < kViews; ++k)
            beyond |= PruneTables::Nibble(p_.slices, at[k]) > left ||
                      PruneTables::Nibble(p_.cornerSlices, at[kViews + k]) > left;
        return beyond;
    }

    // Every bound is zero at a leaf that may be solved; the moves themselves decide.
    bool IsSolvedAfter(const std::uint8_t* path, int length) const {
        CubieCube c = *cube_;
        for (int i = 0; i < length; ++i) c = Multiply(c, shortest::MoveCubie(path[i]));
        return c == shortest::SolvedCubie();
    }

    int Mod3(int tw, int fl, int sl) const { return t_.Phase1Mod3(t_.Phase1Index(tw, sl * kFlips + fl)); }

    // Exact distance to the phase-2 group: down the table one neighbour a move closer
    // at a time (the neighbour whose distance is one less mod 3).
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

    const PruneTables& p_;
    const SearchTables& t_;
    const MoveTables& mv_;
    SearchControl& control_;
    const bool huge_;
    CubieCube inverseMove_[kMoveCount];
    const std::uint16_t* sliceOfMask_ = nullptr;
    std::uint8_t toView_[kViews][kMoveCount];
    const CubieCube* cube_ = nullptr;
    int length_ = 0;
    Item items_[kMaxItems];
    int itemCount_ = 0;
    std::atomic<int> next_{0};
    std::atomic<int> best_{INT_MAX};
    std::atomic<bool> halted_{false};
    std::mutex mutex_;
    std::uint8_t solution_[32];
    std::chrono::steady_clock::time_point start_;
};

}  // namespace

int RootBound(const CubieCube& c, const PruneTables& tables) {
    SearchControl control;
    Searcher s(tables, control);
    return s.Bound(s.RootNode(c));
}

bool SolveOptimal(const CubieCube& c, const PruneTables& tables, SearchControl& control, OptimalSolution& out) {
    if (!shortest::IsSolvable(c)) return false;
    // The searcher holds the work items of a length in place (about 60 KB).
    Searcher s(tables, control);
    s.StartClock();
    control.nodes.store(0);

    shortest::TwoPhaseSolution fallback;
    if (!shortest::SolveTwoPhase(c, shortest::kMaxSolutionLength, fallback)) return false;
    out = OptimalSolution{};
    for (int i = 0; i < fallback.length; ++i) out.moves[i] = fallback.moves[i];
    out.length = fallback.length;

    const Node root = s.RootNode(c);
    // Every length below the one searched was searched through, so any solution of
    // that length is one of the fewest, even when the search was being stopped.
    int length = s.Bound(root);
    bool found = false;
    for (; length < fallback.length; ++length) {
        control.depth.store(length);
        std::uint8_t moves[32];
        if (s.SearchLength(c, root, length, moves)) {
            for (int i = 0; i < length; ++i) out.moves[i] = moves[i];
            out.length = length;
            found = true;
            break;
        }
        if (s.Halted()) break;
    }
    out.cancelled = s.Halted();
    out.proven = found || !out.cancelled;
    out.lowerBound = out.proven ? out.length : length;
    out.nodes = control.nodes.load();
    out.seconds = s.Seconds();
    return true;
}

}  // namespace velmora::optimal
