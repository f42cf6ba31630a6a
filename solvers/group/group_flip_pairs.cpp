// The pairs stage's flip fixer: pairs whose corner is home and whose middle edge is
// home but flipped are turned right two, three or four at a time by one formula. A
// single flipped pair is left to the pairs stage's classes.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/group/group_pairs.h"

namespace velmora {
namespace group {
namespace {

constexpr int kMaxFlipFormulas = 11;

// Rows in the order tested; the first that applies runs.
constexpr auto kFlipFormulas = std::to_array<FlipRow>({
    { FlipCondition::AllFour, 0, 0, "F+;L*;T-;R-;F+;R*;F-;B+;F*;R+;T-;P+;T*;" },
    { FlipCondition::ThreeAndSolved, 1, 0, "F-;T+;B-;L-;T+;B-;P-;T+;B-;R-;T+;" },
    { FlipCondition::ThreeAndSolved, 2, 0, "P+;T-;B+;L+;T-;B+;F+;T-;B+;R+;T-;" },
    { FlipCondition::ThreeAndSolved, 3, 0, "L+;T-;B+;F+;T-;B+;R+;T-;B+;P+;T-;" },
    { FlipCondition::ThreeAndSolved, 4, 0, "F+;T-;B+;R+;T-;B+;P+;T-;B+;L+;T-;" },
    { FlipCondition::ThreeAndNotFlipped, 1, 0, "F-;T*;L-;P-;B-;L-;P-;T*;R-;" },
    { FlipCondition::ThreeAndNotFlipped, 2, 0, "P+;T*;L+;F+;B+;L+;F+;T*;R+;" },
    { FlipCondition::ThreeAndNotFlipped, 3, 0, "L+;T*;F+;R+;B+;F+;R+;T*;P+;" },
    { FlipCondition::ThreeAndNotFlipped, 4, 0, "F+;T*;R+;P+;B+;R+;P+;T*;L+;" },
    { FlipCondition::TwoFlipped, 1, 2, "F+;B+;L*;T*;B-;R+;B+;R+;P+;T*;L*;" },
    { FlipCondition::TwoFlipped, 2, 3, "F*;T*;L+;T+;P+;T+;F*;P-;B*;P+;R+;" },
    { FlipCondition::TwoFlipped, 3, 4, "F+;L+;B*;R*;L-;T+;L+;T+;P+;T*;R*;" },
    { FlipCondition::TwoFlipped, 1, 4, "L+;B+;P*;T*;B-;F+;B+;F+;R+;T*;P*;" },
    { FlipCondition::TwoFlipped, 1, 3, "F+;R+;F*;T*;L+;P-;T+;P+;T+;F+;R-;" },
    { FlipCondition::TwoFlipped, 2, 4, "F+;L-;T-;R-;T-;R+;P-;T*;L*;F-;L-;" },
});
static_assert(kFlipFormulas.size() == 15);

bool Applies(const CTarnexSource& m, const FlipRow& row, int flipped) {
    switch (row.condition) {
        case FlipCondition::AllFour:
            return flipped == 4;
        case FlipCondition::ThreeAndSolved:
            return flipped == 3 && PairSolved(m, row.pairA);
        case FlipCondition::ThreeAndNotFlipped:
            return flipped == 3 && !PairFlipped(m, row.pairA);
        case FlipCondition::TwoFlipped:
            return PairFlipped(m, row.pairA) && PairFlipped(m, row.pairB);
    }
    return false;
}

}  // namespace

std::span<const FlipRow> FlipTable() { return kFlipFormulas; }

}  // namespace group

int CTarnexSource::GroupFlipPairs() {
    int applied = 0;
    while (applied < group::kMaxFlipFormulas) {
        int flipped = 0;
        for (int pair = 1; pair <= 4; ++pair)
            if (group::PairFlipped(*this, pair)) ++flipped;
        if (flipped < 2) break;  // every row wants two flipped pairs or more
        const group::FlipRow* chosen = nullptr;
        for (const group::FlipRow& row : group::kFlipFormulas) {
            if (group::Applies(*this, row, flipped)) {
                chosen = &row;
                break;
            }
        }
        if (!chosen) break;
        RunMoveString(0, chosen->formula);
        ++applied;
    }
    return applied;
}

}  // namespace velmora
