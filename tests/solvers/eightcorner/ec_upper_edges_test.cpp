// Stage 4 of the eight-corner method: upper edges into their top slots. Every rule's
// formula is applied to a position of its case, with the two layers turned every way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solvers/eightcorner/ec_tables.h"
#include "tests/solvers/eightcorner/ec_driver_support.h"

namespace velmora::test {
namespace {

// Home column of the upper edge whose target column is c when the top is turned kt.
int UpperEdgeFor(const CTarnexSource& m, int c) {
    return (c - 1 + m.cube.pieces[2][1].homeCol - 1) % 4 + 1;
}

// Corners done, layers turned (kt, kb), every upper edge correct; then the upper edge
// of target column `target` is exchanged into `slot` with `twist`.
void BuildRuleCase(CTarnexSource& m, int kt, int kb, int slot, int twist, int target) {
    m.ResetCube();
    TurnLayers(m, kt, kb);
    const int h = UpperEdgeFor(m, target);
    PieceSlot& at = m.cube.pieces[slot / 10][slot % 10];
    PieceSlot& home = m.cube.pieces[1][target];
    const PieceSlot displaced = at;
    at = PieceSlot{1, h, twist};
    if (&at != &home) home = PieceSlot{displaced.homeRow, displaced.homeCol, 0};
    ForgetMoves(m);
}

void ExpectRuleKeepsAndPlaces(CTarnexSource& m, int before, int placedCols, std::string_view formula) {
    m.RunMoveString(0, formula);
    EXPECT_TRUE(CornersDone(m)) << formula;
    const int after = CorrectUpperEdgeSet(m);
    EXPECT_EQ(after & before, before) << "an upper edge correct before is lost: " << formula;
    EXPECT_EQ(after & placedCols, placedCols) << "the rule's edge is not placed: " << formula;
}

// ---- single-edge rules of groups A and C ----

std::vector<ec::UpperEdgeRule> AllSingleEdgeRules() {
    std::vector<ec::UpperEdgeRule> rules(ec::UpperEdgeRulesA().begin(), ec::UpperEdgeRulesA().end());
    rules.insert(rules.end(), ec::UpperEdgeRulesC().begin(), ec::UpperEdgeRulesC().end());
    return rules;
}

class UpperEdgeRules : public ModelTest, public ::testing::WithParamInterface<ec::UpperEdgeRule> {};

TEST_P(UpperEdgeRules, ConsistOnlyOfMoveTableTokens) {
    EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), GetParam().formula));
}

TEST_P(UpperEdgeRules, PlaceTheirEdgeAndKeepCornersAndCorrectEdges) {
    const ec::UpperEdgeRule r = GetParam();
    for (int kt = 0; kt < 4; ++kt) {
        for (int kb = 0; kb < 4; ++kb) {
            BuildRuleCase(m(), kt, kb, r.slot, r.twist, r.target);
            const int h = UpperEdgeFor(m(), r.target);
            const int before = CorrectUpperEdgeSet(m());
            ASSERT_EQ(before & (1 << h), 0);
            SCOPED_TRACE(std::string(r.name) + " top " + std::to_string(kt) + " bottom " + std::to_string(kb));
            ExpectRuleKeepsAndPlaces(m(), before, 1 << h, r.formula);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EightCornerUpperEdges, UpperEdgeRules, ::testing::ValuesIn(AllSingleEdgeRules()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- flipped pairs ----

class FlippedPairRules : public ModelTest, public ::testing::WithParamInterface<ec::FlippedPairRule> {};

TEST_P(FlippedPairRules, ConsistOnlyOfMoveTableTokens) {
    EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), GetParam().formula));
}

TEST_P(FlippedPairRules, TurnBothEdgesAndKeepTheOthers) {
    const ec::FlippedPairRule r = GetParam();
    for (int kt = 0; kt < 4; ++kt) {
        for (int kb = 0; kb < 4; ++kb) {
            m().ResetCube();
            TurnLayers(m(), kt, kb);
            m().cube.pieces[1][r.slotA % 10].twist = 1;
            m().cube.pieces[1][r.slotB % 10].twist = 1;
            const int pair = (1 << m().cube.pieces[1][r.slotA % 10].homeCol) |
                             (1 << m().cube.pieces[1][r.slotB % 10].homeCol);
            const int before = CorrectUpperEdgeSet(m());
            SCOPED_TRACE("pair " + std::to_string(r.order) + " top " + std::to_string(kt));
            ExpectRuleKeepsAndPlaces(m(), before, pair, r.formula);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EightCornerUpperEdges, FlippedPairRules,
                         ::testing::ValuesIn(ec::FlippedPairRules().begin(), ec::FlippedPairRules().end()),
                         [](const auto& info) { return "pair" + std::to_string(info.param.order); });

// ---- the stage's order of rules ----

class UpperEdges : public ModelTest {
protected:
    bool StartsWith(std::string_view formula) { return Record(m()).rfind(std::string(formula), 0) == 0; }
};

TEST_F(UpperEdges, ThreeCorrectEdgesEndTheStageAtOnce) {
    BuildRuleCase(m(), 1, 2, 31, 0, 4);
    m().EightCornerUpperEdges();
    EXPECT_EQ(Record(m()), "");
}

TEST_F(UpperEdges, OneCorrectAndTwoFlippedRunThePairRuleFirst) {
    // 11 correct, 12 and 13 flipped in place, the fourth edge in slot 31 (A3 would match).
    BuildRuleCase(m(), 0, 0, 31, 0, 4);
    m().cube.pieces[1][2].twist = 1;
    m().cube.pieces[1][3].twist = 1;
    ASSERT_EQ(ec::CountCorrectUpperEdges(m()), 1);
    m().EightCornerUpperEdges();
    EXPECT_TRUE(StartsWith("P+;R+;T*;B*;L*;T+;B-;P+;L-;")) << Record(m());
    EXPECT_GE(ec::CountCorrectUpperEdges(m()), 3);
    EXPECT_TRUE(CornersDone(m()));
}

TEST_F(UpperEdges, TwoCorrectAndTwoFlippedFallThroughGroupAToThePair) {
    m().cube.pieces[1][3].twist = 1;
    m().cube.pieces[1][4].twist = 1;
    m().EightCornerUpperEdges();
    EXPECT_EQ(Record(m()), "L+;P+;T*;B*;F*;T+;B-;L+;F-;");
    EXPECT_EQ(ec::CountCorrectUpperEdges(m()), 4);
}

TEST_F(UpperEdges, BottomFrontEdgeIsPlacedByItsTwist) {
    BuildRuleCase(m(), 0, 0, 51, 0, 1);
    m().cube.pieces[1][2] = m().cube.pieces[1][3] = PieceSlot{3, 1, 0};  // two more edges away
    m().EightCornerUpperEdges();
    EXPECT_TRUE(StartsWith("F+;T+;B-;L-;")) << Record(m());

    BuildRuleCase(m(), 0, 0, 51, 1, 1);
    m().cube.pieces[1][2] = m().cube.pieces[1][3] = PieceSlot{3, 1, 0};
    m().EightCornerUpperEdges();
    EXPECT_TRUE(StartsWith("R+;L-;F*;R-;L+;")) << Record(m());
}

TEST_F(UpperEdges, RandomPositionsAfterTheCornerStagesEndWithThreeCorrectEdges) {
    std::mt19937 rng(77);
    for (int i = 0; i < 2000; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 30);
        m().EightCornerBottomCorners();
        m().EightCornerTopTwist();
        m().EightCornerCornerPlaces();
        ASSERT_TRUE(CornersDone(m())) << "deal " << i;
        m().EightCornerUpperEdges();
        ASSERT_GE(ec::CountCorrectUpperEdges(m()), 3) << "deal " << i;
        ASSERT_TRUE(CornersDone(m())) << "deal " << i;
    }
}

}  // namespace
}  // namespace velmora::test
