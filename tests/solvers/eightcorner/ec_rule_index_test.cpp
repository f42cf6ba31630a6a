// The edge stages choose the first rule of a list, in the list's order, that the
// position satisfies. They find it through an index by slot and wanted edge; here the
// index's choice is compared with a walk down each list on many positions, most of them
// satisfying several rules in different slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

#include "solvers/eightcorner/ec_common.h"
#include "solvers/eightcorner/ec_lower_edges.h"
#include "solvers/eightcorner/ec_tables.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

// Place of the first rule whose slot holds an edge of home row `kind` with the rule's
// twist and target column (counted from the home column `origin`); rules.size() if none.
template <class Rules>
std::size_t FirstByWalk(const CTarnexSource& m, const Rules& rules, int kind, int origin, int* matches) {
    std::size_t first = rules.size();
    *matches = 0;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const PieceSlot& e = m.cube.pieces[rules[i].slot / 10][rules[i].slot % 10];
        if (e.homeRow == kind && e.twist == rules[i].twist && ((e.homeCol - origin) & 3) + 1 == rules[i].target) {
            ++*matches;
            if (first == rules.size()) first = i;
        }
    }
    return first;
}

template <std::size_t N>
std::array<ec::UpperEdgeRule, N> Copy(std::span<const ec::UpperEdgeRule> rules) {
    std::array<ec::UpperEdgeRule, N> out{};
    EXPECT_EQ(rules.size(), N);
    std::copy_n(rules.begin(), std::min(N, rules.size()), out.begin());
    return out;
}

template <class Rule, std::size_t N>
void ExpectIndexAgreesWithWalk(const std::array<Rule, N>& rules, int kind, int originRow, const std::string& list) {
    const ec::FirstRuleIndex<Rule, N> index(rules);
    CTarnexSource m;
    m.InitCubeModel();
    std::mt19937 rng(2718);
    int found = 0, several = 0;
    for (int round = 0; round < 4000; ++round) {
        m.ResetCube();
        RandomTurns(m, rng, 25);
        const int origin = m.cube.pieces[originRow][1].homeCol;
        int matches = 0;
        const std::size_t walk = FirstByWalk(m, rules, kind, origin, &matches);
        ASSERT_EQ(index.Find(m, kind, origin), walk) << list << ", round " << round;
        found += walk < N ? 1 : 0;
        several += matches > 1 ? 1 : 0;
    }
    // The comparison means something only if many positions satisfy rules, and many
    // satisfy more than one.
    EXPECT_GT(found, 1000) << list;
    EXPECT_GT(several, 300) << list;
}

TEST(EdgeRuleIndex, ChoosesTheFirstSatisfiedRuleInListOrder) {
    ExpectIndexAgreesWithWalk(lower_edges::kRules, ec::kBottomEdgeRow, 4, "bottom edge rules");
    ExpectIndexAgreesWithWalk(Copy<52>(ec::UpperEdgeRulesA()), ec::kUpperEdgeRow, 2, "upper edge rules A");
    ExpectIndexAgreesWithWalk(Copy<40>(ec::UpperEdgeRulesC()), ec::kUpperEdgeRow, 2, "upper edge rules C");
}

// A position where a rule late in the list is satisfied in the first slot the index
// looks at, and an earlier rule in a later slot: the earlier rule wins.
TEST(EdgeRuleIndex, AnEarlierRuleInALaterSlotWinsOverALaterRuleInAnEarlierSlot) {
    const auto& rules = lower_edges::kRules;
    const ec::FirstRuleIndex<lower_edges::LowerEdgeRule, 92> index(rules);
    // Two rules on different slots, the later one's slot read first (rows 1, 3, 5).
    std::size_t early = rules.size(), late = rules.size();
    for (std::size_t i = 0; i < rules.size() && late == rules.size(); ++i)
        for (std::size_t j = rules.size(); j-- > i + 1;)
            if (rules[j].slot < rules[i].slot && rules[j].slot / 10 == rules[i].slot / 10) {
                early = i;
                late = j;
                break;
            }
    ASSERT_LT(late, rules.size());
    CTarnexSource m;
    m.InitCubeModel();
    m.ResetCube();
    const int origin = m.cube.pieces[4][1].homeCol;
    // Free the bottom edge row of any edge, then place two bottom edges as the rules ask.
    auto place = [&](const lower_edges::LowerEdgeRule& r, int homeCol) {
        m.cube.pieces[r.slot / 10][r.slot % 10] = PieceSlot{ec::kBottomEdgeRow, homeCol, r.twist};
    };
    for (int c = 1; c <= 4; ++c) m.cube.pieces[5][c] = PieceSlot{3, c, 0};
    place(rules[early], (rules[early].target - 1 + origin - 1) % 4 + 1);
    place(rules[late], (rules[late].target - 1 + origin - 1) % 4 + 1);
    EXPECT_EQ(index.Find(m, ec::kBottomEdgeRow, origin), early)
        << "rules at " << early << " (slot " << rules[early].slot << ") and " << late << " (slot "
        << rules[late].slot << ")";
}

}  // namespace
}  // namespace velmora::test
