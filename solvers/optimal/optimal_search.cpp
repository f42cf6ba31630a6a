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
// Work items of a length: at most one for each start of a symmetric cube; without
// symmetries, 18 moves with 15 each.
constexpr int kMaxItems = kMaxSymmetricStarts;
static_assert(kMaxItems >= 18 * 15);
constexpr int kSymmetryCount = 48;
static_assert(kSymmetryCount == 3 * shortest::kSymmetries);

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
    // With the huge tables: the twelve table entries of this position (the middle
    // edges, then the corners, of the three views, then the same for the inverse). The
    // search may leave a cube's own entry unread: it changes by at most one a move, so
    // it is then taken as one more than the parent's, which is at least as much.
    std::uint8_t entry[4 * kViews];
};

// The moves of a work item, and the move its followers are checked against (a move on
// the higher face of an axis forbids both faces of it).
struct Item {
    std::uint8_t moves[4];
    int count;
    int last;
    Node node;
};

// Turns on one axis commute, so a sequence is a row of blocks, each the turns of one
// axis: one face's turn, or the lower face's then the higher face's. A symmetry maps a
// block to a block. `second` is -1 for a single turn.
struct Block {
    int first, second;
    int Key() const { return first * 19 + second + 1; }
    bool operator==(const Block&) const = default;
};

// The 48 symmetries of the whole cube (turned about the URF-DBL diagonal, then one of
// the sixteen that keep the U-D axis), and what each makes of the moves.
class WholeCubeSymmetries {
public:
    WholeCubeSymmetries() : t_(shortest::Tables()) {
        for (int j = 0; j < kSymmetryCount; ++j)
            for (int m = 0; m < kMoveCount; ++m) {
                const CubieCube image = Apply(shortest::MoveCubie(m), j);
                for (int n = 0; n < kMoveCount; ++n)
                    if (image == shortest::MoveCubie(n)) moveMap_[j][m] = static_cast<std::uint8_t>(n);
            }
    }
    CubieCube Apply(const CubieCube& c, int j) const {
        const int k = j / shortest::kSymmetries;
        return shortest::ConjugateBySymmetry(Multiply(Multiply(t_.diagonal[k], c), t_.diagonalInverse[k]),
                                             j % shortest::kSymmetries);
    }
    Block Image(const Block& b, int j) const {
        int a = moveMap_[j][b.first], c = b.second < 0 ? -1 : moveMap_[j][b.second];
        if (c >= 0 && kFace(c) < kFace(a)) std::swap(a, c);
        return {a, c};
    }
    bool LeastOfClass(const Block& b, const int* symmetries, int count) const {
        for (int j = 0; j < count; ++j)
            if (Image(b, symmetries[j]).Key() < b.Key()) return false;
        return true;
    }

private:
    const SearchTables& t_;
    std::uint8_t moveMap_[kSymmetryCount][kMoveCount];
};

const WholeCubeSymmetries& Symmetries() {
    static const WholeCubeSymmetries symmetries;
    return symmetries;
}

// Whether move n on an axis's higher face may follow m on its lower face.
bool Pair(int m, int n) { return kFace(m) < 3 && kFace(n) == kFace(m) + 3; }

// Adds block b to a start; `last` then forbids both faces of its axis.
void AddBlock(SearchStart& s, const Block& b) {
    s.moves[s.count++] = static_cast<std::uint8_t>(b.first);
    if (b.second >= 0) s.moves[s.count++] = static_cast<std::uint8_t>(b.second);
    s.last = kFace(b.first) % 3 * 3 + 9;
}

class Searcher {
public:
    Searcher(const PruneTables& p, SearchControl& control)
        : p_(p), t_(shortest::Tables()), mv_(Moves()), control_(control), huge_(p.slices != nullptr) {
        for (int k = 0; k < kViews; ++k)
            for (int m = 0; m < kMoveCount; ++m) toView_[k][t_.conjugateMove[k][m]] = static_cast<std::uint8_t>(m);
        for (int m = 0; m < kMoveCount; ++m) inverseMove_[m] = shortest::MoveCubie(kFace(m) * 3 + 2 - m % 3);
        sliceOfMask_ = SliceOfMask();
    }

    // A cube that symmetries map to itself is searched from its symmetric starts.
    void UseSymmetries(const CubieCube& c) { startCount_ = SymmetricStarts(c, starts_); }

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
        if (huge_) HugeEntries(n);
        return n;
    }

    // The twelve huge-table entries of a position whose coordinates and inverses are set.
    void HugeEntries(Node& b) const {
        for (int k = 0; k < kViews; ++k) {
            b.entry[k] = static_cast<std::uint8_t>(
                PruneTables::Nibble(p_.slices, SliceIndex(b.sortedSlice[k], b.flip[k], b.viewTwist[k])));
            b.entry[kViews + k] = static_cast<std::uint8_t>(CornerSlice(b.viewCornerPerm[k], b.viewTwist[k], b.sortedSlice[k] / 24));
            int twist;
            const long raw = InverseRaw(b.inverse[k], twist);
            b.entry[2 * kViews + k] = static_cast<std::uint8_t>(
                PruneTables::Nibble(p_.slices, SliceIndex(static_cast<int>(raw >> 11), raw & 2047, twist)));
            b.entry[3 * kViews + k] = static_cast<std::uint8_t>(
                CornerSlice(CornerPermRank(b.inverse[k].cp), twist, static_cast<int>(raw >> 11) / 24));
        }
    }

    int Bound(const Node& n) const {
        int h = p_.Corner(n.cornerPerm, n.twist);
        for (int k = 0; k < kViews; ++k) {
            h = n.phase1[k] > h ? n.phase1[k] : h;
            const int e = p_.Edge(n.edges[k]);
            h = e > h ? e : h;
        }
        if (huge_)
            for (const int e : n.entry) h = std::max(h, e);
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
            }
            InverseChild(a, m, b);
            HugeEntries(b);
            for (const int e : b.entry)
                if (e > left) return false;
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

    // Searches one length through; out holds the solution when one is found. With
    // lookSteps, the two-phase search first looks for a solution of the length itself
    // for at most that many steps.
    bool SearchLength(const CubieCube& cube, const Node& root, int length, std::uint8_t* out, long lookSteps = 0) {
        length_ = length;
        cube_ = &cube;
        if (length == 0) return Bound(root) == 0 && IsSolvedAfter(nullptr, 0);
        if (lookSteps > 0) {
            if (Look(lookSteps, out)) return true;
            if (AskStop()) return false;
        }
        itemCount_ = 0;
        built_ = 0;
        if (startCount_ > 0 && length >= 4) SymmetricItems(root, length);
        else PlainItems(root, length);
        control_.nodes.fetch_add(built_, std::memory_order_relaxed);
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

    // The two-phase look for a solution of the length about to be searched: the lengths
    // below are ruled out, so one it finds is of the fewest turns. For many of the cubes
    // whose search finds its first solution late it finds one many times sooner; where
    // the length has none it spends all its steps. They are limited, so the result stays
    // a function of the cube. Esc and the time limit end it.
    bool Look(long steps, std::uint8_t* out) const {
        shortest::LookStop stop = LookStopNow();
        stop.steps = steps;
        shortest::TwoPhaseSolution found;
        if (!shortest::SolveTwoPhase(*cube_, length_, found, 0, &stop) || found.length != length_) return false;
        std::copy(found.moves, found.moves + length_, out);
        return true;
    }

    // The work items: every admissible start of one or two moves.
    void PlainItems(const Node& root, int length) {
        const int prefix = length >= 2 ? 2 : 1;
        for (int m1 = 0; m1 < kMoveCount; ++m1) {
            Item first{};
            ++built_;
            if (!Child(root, m1, first.node, length - 1)) continue;
            if (prefix == 1) {
                first.moves[0] = static_cast<std::uint8_t>(m1);
                first.count = 1;
                first.last = m1;
                items_[itemCount_++] = first;
                continue;
            }
            for (int m2 = 0; m2 < kMoveCount; ++m2) {
                if (Redundant(m2, m1)) continue;
                Item& it = items_[itemCount_];
                ++built_;
                if (!Child(first.node, m2, it.node, length - 2)) continue;
                it.moves[0] = static_cast<std::uint8_t>(m1);
                it.moves[1] = static_cast<std::uint8_t>(m2);
                it.count = 2;
                it.last = m2;
                ++itemCount_;
            }
        }
    }

    // The work items of a cube with symmetries: its starts whose bounds leave a
    // solution of the length. Starts that share first moves share their positions.
    void SymmetricItems(const Node& root, int length) {
        Node path[4];   // after each move of the start before
        int valid = 0;  // how many of them stand
        const SearchStart* before = nullptr;
        for (int j = 0; j < startCount_; ++j) {
            const SearchStart& s = starts_[j];
            int i = 0;
            while (before != nullptr && i < valid && i < s.count && s.moves[i] == before->moves[i]) ++i;
            for (; i < s.count; ++i) {
                ++built_;
                if (!Child(i == 0 ? root : path[i - 1], s.moves[i], path[i], length - 1 - i)) break;
            }
            valid = i;
            before = &s;
            if (i < s.count) continue;
            Item& it = items_[itemCount_++];
            std::copy(s.moves, s.moves + s.count, it.moves);
            it.count = s.count;
            it.last = s.last;
            it.node = path[s.count - 1];
        }
    }

    bool Halted() const { return halted_.load(std::memory_order_relaxed); }
    // What ends a two-phase look as it ends the search: cancel, and the time left.
    shortest::LookStop LookStopNow() const {
        shortest::LookStop stop;
        stop.cancel = &control_.cancel;
        if (control_.maxSeconds > 0) stop.seconds = std::max(0.0, control_.maxSeconds - Seconds());
        return stop;
    }
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
        if (huge_) return WorkLanes();
        Worker w;
        for (;;) {
            const int i = next_.fetch_add(1);
            if (i >= itemCount_ || i > best_.load() || Halted()) break;
            const Item& it = items_[i];
            w.item = i;
            for (int k = 0; k < it.count; ++k) w.path[k] = it.moves[k];
            if (Dfs(w, it.node, it.count, length_ - it.count, it.last)) Found(w.path, i);
        }
        control_.nodes.fetch_add(w.sincePoll, std::memory_order_relaxed);
    }

    // A solution found in work item `item`: kept when it is the first in the items' order so far.
    void Found(const std::uint8_t* path, int item) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (item < best_.load()) {
            for (int k = 0; k < length_; ++k) solution_[k] = path[k];
            best_.store(item);
        }
    }

    void Poll(Worker& w) {
        control_.nodes.fetch_add(w.sincePoll, std::memory_order_relaxed);
        w.sincePoll = 0;
        AskStop();
    }

    // Halts the search when cancel or the time limit asks it to; whether it is halted.
    bool AskStop() {
        if (control_.cancel.load(std::memory_order_relaxed) ||
            (control_.maxSeconds > 0 && Seconds() > control_.maxSeconds))
            halted_.store(true);
        return Halted();
    }

    bool Dfs(Worker& w, const Node& n, int depth, int left, int last) {
        if (left == 0) return IsSolvedAfter(w.path, depth);
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

    // The children of one position as the huge-table search reads their entries.
    struct Kids {
        Node node[kMoveCount];
        std::uint8_t move[kMoveCount];
        std::uint8_t alive[kMoveCount];  // the children still standing, in move order
        bool inverted[kMoveCount];       // whether node[i].inverse and the three below are set
        long inverseRaw[kMoveCount][kViews];
        int inverseTwist[kMoveCount][kViews];
        int inversePerm[kMoveCount][kViews];
        long index[kMoveCount][4 * kViews];
        int count = 0, standing = 0;
    };

    // With the huge tables the search's speed is that of the memory: an entry takes
    // about a quarter of a microsecond to arrive, and the next position cannot be
    // looked at before its own entries have. So each thread follows several work items
    // at once ("lanes"), each with its own path: a lane asks for the entries it needs
    // and makes way for the next, whose entries are then on their way too.
    //
    // A lane reads the entries of a position's children in stages, each stage for all
    // children still standing, and drops a child at its first entry beyond the moves
    // left:
    //   1. two of the tables whose entry at the position is at the moves left (such an
    //      entry cuts about three children in four);
    //   2. the other tables at the moves left;
    //   3. the cube's own tables one below: an own entry changes by at most one a move,
    //      so an own table two or more below cannot cut a child and is not read;
    //   4. the inverse's other tables (the inverse's entries can change by more).
    // Which children are left does not depend on the stages; they are tried in move order.
    struct Frame {
        Kids kids;
        const Node* position = nullptr;
        int left = 0;  // moves left at the position
        int next = 0;  // the next child left to try
        unsigned stages[4 * kViews + 2] = {};
        int stage = 0, stageCount = 0;
    };
    enum class Phase { kRoundTwo, kCheck, kDescend };
    struct Lane {
        Frame frame[kMaxLength + 1];
        int top = -1;  // the frame being worked on; -1: no work item
        int item = 0, prefix = 0;
        Phase phase = Phase::kDescend;
        std::uint8_t path[32];
    };
    static constexpr int kLanes = 4;

    void WorkLanes() {
        // About 0.5 MB: on the thread's stack, nothing on the heap.
        Lane lanes[kLanes];
        static_assert(sizeof(lanes) < 640 * 1024);
        Worker w;
        int busy = 0;
        for (Lane& lane : lanes) busy += TakeItem(w, lane);
        while (busy > 0) {
            for (Lane& lane : lanes) {
                if (lane.top < 0) continue;
                if (!Step(w, lane) && !TakeItem(w, lane)) --busy;
            }
            if (w.sincePoll >= kPollEvery) Poll(w);
        }
        control_.nodes.fetch_add(w.sincePoll, std::memory_order_relaxed);
    }

    // Starts the lane on the next work item; false when there is none left to do.
    bool TakeItem(Worker& w, Lane& lane) {
        lane.top = -1;
        for (;;) {
            const int i = next_.fetch_add(1);
            if (i >= itemCount_ || i > best_.load() || Halted()) return false;
            const Item& it = items_[i];
            lane.item = i;
            lane.prefix = it.count;
            for (int k = 0; k < it.count; ++k) lane.path[k] = it.moves[k];
            if (length_ == it.count) {
                if (IsSolvedAfter(lane.path, length_)) Found(lane.path, i);
                continue;
            }
            lane.top = 0;
            w.sincePoll += Expand(lane, it.node, length_ - it.count, it.last);
            return true;
        }
    }

    // One step of a lane, up to its next wait for memory; false when its work item is
    // done with.
    bool Step(Worker& w, Lane& lane) {
        if (Halted() || best_.load(std::memory_order_relaxed) < lane.item) return false;
        Frame& f = lane.frame[lane.top];
        switch (lane.phase) {
        case Phase::kRoundTwo:
            AskSliceEntries(f.kids, f.stages[f.stage]);
            lane.phase = Phase::kCheck;
            return true;
        case Phase::kCheck:
            Check(f.kids, f.stages[f.stage], f.left - 1);
            ++f.stage;
            if (AskNextStage(lane, f)) return true;
            lane.phase = Phase::kDescend;
            [[fallthrough]];
        case Phase::kDescend:
            return Descend(w, lane);
        }
        return false;
    }

    // Moves the lane to the next child left, or back up; false when the work item is
    // done with.
    bool Descend(Worker& w, Lane& lane) {
        for (;;) {
            Frame& f = lane.frame[lane.top];
            if (f.next == f.kids.standing) {
                if (--lane.top < 0) return false;
                continue;
            }
            const int i = f.kids.alive[f.next++];
            Node& b = f.kids.node[i];
            const int depth = lane.prefix + lane.top;
            lane.path[depth] = f.kids.move[i];
            if (f.left == 1) {
                if (!IsSolvedAfter(lane.path, depth + 1)) continue;
                Found(lane.path, lane.item);
                return false;
            }
            // Its own children need its inverse; the stages of this frame are over.
            if (!f.kids.inverted[i]) InverseChild(*f.position, f.kids.move[i], b);
            ++lane.top;
            w.sincePoll += Expand(lane, b, f.left - 1, f.kids.move[i]);
            return true;
        }
    }

    // Makes the children of `position` the lane's top frame and asks for the entries of
    // their first stage; the number of children.
    int Expand(Lane& lane, const Node& n, int left, int last) {
        Frame& f = lane.frame[lane.top];
        Kids& kids = f.kids;
        f.position = &n;
        f.left = left;
        f.next = 0;
        kids.count = 0;
        for (int m = 0; m < kMoveCount; ++m) {
            if (Redundant(m, last)) continue;
            const int i = kids.count++;
            Node& b = kids.node[i];
            for (int k = 0; k < kViews; ++k) {
                const int vm = toView_[k][m];
                b.viewTwist[k] = t_.twistMove[n.viewTwist[k]][vm];
                b.flip[k] = t_.flipMove[n.flip[k]][vm];
                b.sortedSlice[k] = mv_.sortedSlice[n.sortedSlice[k]][vm];
                b.viewCornerPerm[k] = mv_.cornerPerm[n.viewCornerPerm[k]][vm];
            }
            for (int j = 0; j < 4 * kViews; ++j) b.entry[j] = static_cast<std::uint8_t>(n.entry[j] + 1);
            kids.move[i] = static_cast<std::uint8_t>(m);
            kids.alive[i] = static_cast<std::uint8_t>(i);
            kids.inverted[i] = false;
        }
        kids.standing = kids.count;
        constexpr unsigned kAll = (1u << (4 * kViews)) - 1, kOwn = (1u << (2 * kViews)) - 1;
        unsigned atLeft = 0, oneBelow = 0;
        for (int j = 0; j < 4 * kViews; ++j) {
            if (n.entry[j] >= left) atLeft |= 1u << j;
            else if (n.entry[j] == left - 1) oneBelow |= 1u << j;
        }
        f.stageCount = 0;
        for (const int t : kAtLeftOrder)
            if (atLeft & (1u << t)) f.stages[f.stageCount++] = 1u << t;
        f.stages[f.stageCount++] = oneBelow & kOwn;
        f.stages[f.stageCount++] = kAll & ~kOwn & ~atLeft;
        f.stage = 0;
        if (!AskNextStage(lane, f)) lane.phase = Phase::kDescend;
        return kids.count;
    }

    // Asks for the entries of the frame's next stage with any, when children stand.
    bool AskNextStage(Lane& lane, Frame& f) {
        while (f.stage < f.stageCount && f.stages[f.stage] == 0) ++f.stage;
        if (f.stage == f.stageCount || f.kids.standing == 0) return false;
        const unsigned asked = f.stages[f.stage];
        AskFirstRound(*f.position, f.kids, asked);
        lane.phase = (asked & kSliceTables) != 0 ? Phase::kRoundTwo : Phase::kCheck;
        return true;
    }

    static constexpr int kInverse = 2 * kViews;
    // The tables at the moves left, each its own stage, those that cut most first: the
    // middle edges of the cube, of the inverse, then the corners of both.
    static constexpr int kAtLeftOrder[4 * kViews] = {0, 1, 2, 6, 7, 8, 3, 4, 5, 9, 10, 11};
    // Bits of Node::entry that are middle-edge entries (the others are corner entries).
    static constexpr unsigned kSliceTables = 7u | (7u << kInverse);

    // Asks for the corner entries and the class words of the middle-edge entries.
    void AskFirstRound(const Node& n, Kids& kids, unsigned asked) const {
        const void* want[kMoveCount * 4 * kViews];
        int wanted = 0;
        for (int j = 0; j < kids.standing; ++j) {
            const int i = kids.alive[j];
            Node& b = kids.node[i];
            long* at = kids.index[i];
            if ((asked >> kInverse) != 0 && !kids.inverted[i]) {
                InverseChild(n, kids.move[i], b);
                for (int k = 0; k < kViews; ++k) {
                    kids.inverseRaw[i][k] = InverseRaw(b.inverse[k], kids.inverseTwist[i][k]);
                    kids.inversePerm[i][k] = CornerPermRank(b.inverse[k].cp);
                }
                kids.inverted[i] = true;
            }
            for (int k = 0; k < kViews; ++k) {
                if (asked & (1u << k)) {
                    at[k] = static_cast<long>(b.sortedSlice[k]) * 2048 + b.flip[k];
                    want[wanted++] = &t_.flipSliceClassSym[b.sortedSlice[k] / 24 * 2048 + b.flip[k]];
                }
                if (asked & (8u << k)) {
                    at[kViews + k] = CornerSliceIndex(b.viewCornerPerm[k], b.viewTwist[k], b.sortedSlice[k] / 24);
                    want[wanted++] = p_.cornerSlices + (at[kViews + k] >> 1);
                }
                if ((asked & (9u << (kInverse + k))) == 0) continue;
                const long raw = kids.inverseRaw[i][k];
                if (asked & (1u << (kInverse + k))) {
                    at[kInverse + k] = raw;
                    want[wanted++] = &t_.flipSliceClassSym[(raw >> 11) / 24 * 2048 + (raw & 2047)];
                }
                if (asked & (8u << (kInverse + k))) {
                    at[kInverse + kViews + k] =
                        CornerSliceIndex(kids.inversePerm[i][k], kids.inverseTwist[i][k], static_cast<int>(raw >> 11) / 24);
                    want[wanted++] = p_.cornerSlices + (at[kInverse + kViews + k] >> 1);
                }
            }
        }
        // Asked for apart from the work above, so that the processor has many requests
        // under way at once: a request stalls until its page is found.
        for (int k = 0; k < wanted; ++k) __builtin_prefetch(want[k]);
    }

    // Turns the places * 2048 + flip of the asked middle-edge entries into their
    // indices (through the class words asked for before), and asks for the entries.
    void AskSliceEntries(Kids& kids, unsigned asked) const {
        const void* want[kMoveCount * 4 * kViews];
        int wanted = 0;
        for (int j = 0; j < kids.standing; ++j) {
            const int i = kids.alive[j];
            const Node& b = kids.node[i];
            long* at = kids.index[i];
            for (int k = 0; k < kViews; ++k) {
                if (asked & (1u << k)) {
                    at[k] = SliceIndex(static_cast<int>(at[k] >> 11), at[k] & 2047, b.viewTwist[k]);
                    want[wanted++] = p_.slices + (at[k] >> 1);
                }
                if (asked & (1u << (kInverse + k))) {
                    long& x = at[kInverse + k];
                    x = SliceIndex(static_cast<int>(x >> 11), x & 2047, kids.inverseTwist[i][k]);
                    want[wanted++] = p_.slices + (x >> 1);
                }
            }
        }
        // Asked for apart from the work above, so that the processor has many requests
        // under way at once: a request stalls until its page is found.
        for (int k = 0; k < wanted; ++k) __builtin_prefetch(want[k]);
    }

    // Reads the asked entries of the children still standing and drops those with an
    // entry beyond `below`; the entries read are kept in the children.
    void Check(Kids& kids, unsigned asked, int below) const {
        int standing = 0;
        for (int j = 0; j < kids.standing; ++j) {
            const int i = kids.alive[j];
            std::uint8_t* entry = kids.node[i].entry;
            const long* at = kids.index[i];
            bool beyond = false;
            for (unsigned bits = asked; bits != 0; bits &= bits - 1) {
                const int t = __builtin_ctz(bits);
                const int e = PruneTables::Nibble((kSliceTables >> t) & 1 ? p_.slices : p_.cornerSlices, at[t]);
                entry[t] = static_cast<std::uint8_t>(e);
                beyond |= e > below;
            }
            if (!beyond) kids.alive[standing++] = static_cast<std::uint8_t>(i);
        }
        kids.standing = standing;
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
    SearchStart starts_[kMaxSymmetricStarts];
    int startCount_ = 0;
    long built_ = 0;  // positions looked at while making the work items
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

int SymmetricStarts(const CubieCube& c, SearchStart* starts) {
    const WholeCubeSymmetries& sy = Symmetries();
    int self[kSymmetryCount], selfCount = 0;
    for (int j = 1; j < kSymmetryCount; ++j)
        if (sy.Apply(c, j) == c) self[selfCount++] = j;
    if (selfCount == 0) return 0;
    int count = 0;
    int keep[kSymmetryCount];
    for (int first = 0; first < kMoveCount; ++first) {
        for (int second = -1; second < kMoveCount; ++second) {
            const Block b1{first, second};
            if (second >= 0 && !Pair(first, second)) continue;
            if (!sy.LeastOfClass(b1, self, selfCount)) continue;
            SearchStart head{};
            AddBlock(head, b1);
            int kept = 0;
            for (int j = 0; j < selfCount; ++j)
                if (sy.Image(b1, self[j]) == b1) keep[kept++] = self[j];
            for (int m = 0; m < kMoveCount; ++m) {
                if (Redundant(m, head.last)) continue;
                if (kept == 0) {
                    // Nothing keeps the first block: any move, which a lower face's turn
                    // may still follow on its higher face.
                    SearchStart& s = starts[count++];
                    s = head;
                    s.moves[s.count++] = static_cast<std::uint8_t>(m);
                    s.last = m;
                    continue;
                }
                for (int n = -1; n < kMoveCount; ++n) {
                    const Block b2{m, n};
                    if (n >= 0 && !Pair(m, n)) continue;
                    if (!sy.LeastOfClass(b2, keep, kept)) continue;
                    SearchStart& s = starts[count++];
                    s = head;
                    AddBlock(s, b2);
                }
            }
        }
    }
    return count;
}

int RootBound(const CubieCube& c, const PruneTables& tables) {
    SearchControl control;
    Searcher s(tables, control);
    return s.Bound(s.RootNode(c));
}

bool SolveOptimal(const CubieCube& c, const PruneTables& tables, SearchControl& control, OptimalSolution& out) {
    if (!shortest::IsSolvable(c)) return false;
    // The searcher holds the work items of a length in place (about 300 KB).
    Searcher s(tables, control);
    s.StartClock();
    control.nodes.store(0);

    shortest::TwoPhaseSolution fallback;
    if (!shortest::SolveTwoPhase(c, shortest::kMaxSolutionLength, fallback)) return false;
    out = OptimalSolution{};
    for (int i = 0; i < fallback.length; ++i) out.moves[i] = fallback.moves[i];
    out.length = fallback.length;

    const Node root = s.RootNode(c);
    if (control.useSymmetries) s.UseSymmetries(c);
    // Every length below the one searched was searched through, so any solution of
    // that length is one of the fewest, even when the search was being stopped.
    int length = s.Bound(root);
    bool found = false;
    bool shortened = false;
    int searchBelow = control.searchEveryLength ? kMaxLength + 1 : fallback.length;
    for (; length < searchBelow; ++length) {
        control.depth.store(length);
        if (!shortened && length >= control.shortenFrom && !control.searchEveryLength) {
            // The lengths from here on cost the most, and the last one most of all: it
            // is searched until its first solution. A two-phase solution of a length
            // not yet searched spares that search: once every length below it is ruled
            // out it is itself the fewest. For a random cube (17 to 19 turns) the longer
            // look finds one of the fewest turns more often than not.
            // Esc and the time limit end the look as they end the search.
            shortened = true;
            const shortest::LookStop stop = s.LookStopNow();
            shortest::TwoPhaseSolution shorter;
            if (shortest::SolveTwoPhase(c, shortest::kMaxSolutionLength, shorter, control.shortenEffort, &stop) &&
                shorter.length < out.length) {
                for (int i = 0; i < shorter.length; ++i) out.moves[i] = shorter.moves[i];
                out.length = searchBelow = shorter.length;
            }
            if (length >= searchBelow) break;
        }
        const bool look = length >= control.targetFrom && control.targetEffort > 0 && !control.searchEveryLength;
        std::uint8_t moves[32];
        if (s.SearchLength(c, root, length, moves, look ? control.targetEffort : 0)) {
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
