#include "solvers/colours/piece_search.h"

#include <algorithm>

namespace velmora::colours {

const std::array<std::array<int, 3>, 8> kCornerFacelets = {{
    {8, 9, 20}, {6, 18, 38}, {0, 36, 47}, {2, 45, 11},
    {29, 26, 15}, {27, 44, 24}, {33, 53, 42}, {35, 17, 51}}};
const std::array<std::array<int, 2>, 12> kEdgeFacelets = {{
    {5, 10}, {7, 19}, {3, 37}, {1, 46}, {32, 16}, {28, 25},
    {30, 43}, {34, 52}, {23, 12}, {21, 41}, {50, 39}, {48, 14}}};
const std::array<std::array<int, 3>, 8> kCornerColours = {{
    {0, 1, 2}, {0, 2, 4}, {0, 4, 5}, {0, 5, 1}, {3, 2, 1}, {3, 4, 2}, {3, 5, 4}, {3, 1, 5}}};
const std::array<std::array<int, 2>, 12> kEdgeColours = {{
    {0, 1}, {0, 2}, {0, 4}, {0, 5}, {3, 1}, {3, 2}, {3, 4}, {3, 5}, {2, 1}, {2, 4}, {5, 4}, {5, 1}}};

namespace {

using Candidate = PieceCandidate;

// The search state: candidates of every position sorted by cost, the order in which
// positions are filled, and the best placement so far.
struct Search {
    const PieceProblem& problem;
    const PieceQuery& query;
    int n = 0, m = 0;
    const std::array<std::array<Candidate, 36>, 12>& sorted;
    std::array<int, 12> order{};
    std::array<std::uint8_t, 12> piece{}, twist{};
    long nodes = 0;
    PiecePlacement best;

    Search(const PieceProblem& p, const PieceQuery& q)
        : problem(p), query(q), n(p.count), m(p.twists), sorted(p.sorted) {
        best.cost = q.bound;
    }

    bool Excluded(int pos, int p, int o) const {
        return pos == query.excludePosition && ColourAt(problem, p, o, query.excludeSticker) == query.excludeColour;
    }

    // The cheapest candidate of a position among the pieces not in used.
    float Cheapest(int pos, unsigned used) const {
        for (int i = 0; i < n * m; ++i) {
            const Candidate& c = sorted[pos][i];
            if (!(used >> c.piece & 1u) && !Excluded(pos, c.piece, c.twist)) return c.cost;
        }
        return kNoBound;
    }

    int Parity() const {
        int swaps = 0;
        std::array<bool, 12> seen{};
        for (int i = 0; i < n; ++i) {
            if (seen[i]) continue;
            int len = 0;
            for (int j = i; !seen[j]; j = piece[j]) { seen[j] = true; ++len; }
            swaps += len - 1;
        }
        return swaps & 1;
    }

    void Leaf(float cost) {
        const int parity = Parity();
        if (query.parity >= 0 && parity != query.parity) return;
        best.found = true;
        best.cost = cost;
        best.parity = parity;
        best.piece = piece;
        best.twist = twist;
    }

    void Visit(int depth, unsigned used, int twistSum, float cost) {
        if (++nodes > query.nodeBudget) { best.complete = false; return; }
        const int pos = order[depth];
        if (depth == n - 1) {
            // The last piece and its orientation are forced by the others.
            int p = 0;
            while (used >> p & 1u) ++p;
            const int o = (m - twistSum % m) % m;
            if (Excluded(pos, p, o)) return;
            const float total = cost + problem.cost[pos][p][o];
            if (total >= best.cost) return;
            piece[pos] = static_cast<std::uint8_t>(p);
            twist[pos] = static_cast<std::uint8_t>(o);
            Leaf(total);
            return;
        }
        float rest = 0;
        for (int d = depth + 1; d < n; ++d) rest += Cheapest(order[d], used);
        for (int i = 0; i < n * m; ++i) {
            const Candidate& c = sorted[pos][i];
            if (cost + c.cost + rest >= best.cost) break;  // the rest are dearer still
            if (used >> c.piece & 1u || Excluded(pos, c.piece, c.twist)) continue;
            piece[pos] = c.piece;
            twist[pos] = c.twist;
            Visit(depth + 1, used | 1u << c.piece, twistSum + c.twist, cost + c.cost);
            if (!best.complete) return;
        }
    }

    void Run() {
        std::array<float, 12> regret{};
        for (int pos = 0; pos < n; ++pos) {
            regret[pos] = sorted[pos][1].cost - sorted[pos][0].cost;
            order[pos] = pos;
        }
        // Positions whose choice is clearest first; a forbidden colour's position first of all.
        std::sort(order.begin(), order.begin() + n, [&](int a, int b) {
            if ((a == query.excludePosition) != (b == query.excludePosition)) return a == query.excludePosition;
            return regret[a] > regret[b];
        });
        Visit(0, 0, 0, 0);
    }
};

}  // namespace

void PieceProblem::Sort() {
    for (int pos = 0; pos < count; ++pos) {
        int k = 0;
        for (int p = 0; p < count; ++p)
            for (int o = 0; o < twists; ++o)
                sorted[pos][k++] = {cost[pos][p][o], static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(o)};
        std::sort(sorted[pos].begin(), sorted[pos].begin() + k,
                  [](const PieceCandidate& a, const PieceCandidate& b) { return a.cost < b.cost; });
    }
}

PiecePlacement BestPlacement(const PieceProblem& problem, const PieceQuery& query) {
    Search search(problem, query);
    search.Run();
    return search.best;
}

}  // namespace velmora::colours
