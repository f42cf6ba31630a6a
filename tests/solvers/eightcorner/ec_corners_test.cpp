// The corner stages of the eight-corner method: stage 1 brings the bottom corners down,
// stage 2 twists the top corners, stage 3 puts the corners of both layers in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "solvers/eightcorner/ec_tables.h"
#include "tests/solvers/eightcorner/ec_driver_support.h"

namespace velmora::test {
namespace {

// ---- every move text of the corner tables is made of move-table tokens ----

std::vector<std::string> CornerStageMoveTexts() {
    std::vector<std::string> texts;
    for (const ec::WaitingCornerCase& c : ec::WaitingCornerCases()) texts.emplace_back(c.closing);
    for (const ec::OverBadSlotCase& c : ec::OverBadSlotCases()) {
        for (const ec::OverBadSlotAlternative& a : c.alternatives) texts.emplace_back(a.moves);
        texts.emplace_back(c.last);
    }
    for (const ec::TwistedBottomCase& c : ec::TwistedBottomCases()) {
        texts.emplace_back(c.closingOnly);
        texts.emplace_back(c.otherwise);
    }
    for (const ec::TopCornerCase& c : ec::TopCornerCases()) {
        texts.emplace_back(c.thenMoves);
        texts.emplace_back(c.thenElse);
        for (int i = 0; i < c.otherwiseCount; ++i)
            if (c.otherwise[i].moves != ec::kGoToRule7) texts.emplace_back(c.otherwise[i].moves);
    }
    for (const ec::TopTwistFormula& f : ec::TopTwistFormulas()) texts.emplace_back(f.formula);
    for (const ec::CornerPlaceCase& c : ec::CornerPlaceCases()) {
        texts.emplace_back(c.formula);
        for (std::string_view mv : c.bottomMoves) if (!mv.empty()) texts.emplace_back(std::string(mv) + ";");
        for (std::string_view mv : c.topMoves) if (!mv.empty()) texts.emplace_back(std::string(mv) + ";");
    }
    return texts;
}

class CornerStageMoves : public ModelTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(CornerStageMoves, ConsistOnlyOfMoveTableTokens) {
    EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), GetParam())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(EightCornerCorners, CornerStageMoves, ::testing::ValuesIn(CornerStageMoveTexts()));

// ---- stage 1 ----

class BottomCorners : public ModelTest {};

TEST_F(BottomCorners, RandomPositionsEndWithFourGoodBottomSlotsInFewMoves) {
    std::mt19937 rng(2024);
    int worst = 0;
    for (int i = 0; i < 3000; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 30);
        ForgetMoves(m());
        m().EightCornerBottomCorners();
        ASSERT_TRUE(BottomCornersGood(m())) << "deal " << i;
        worst = std::max(worst, m().turnCounter);
    }
    EXPECT_LE(worst, 14);
}

TEST_F(BottomCorners, GoodBottomLayerIsLeftAlone) {
    m().RunMoveString(0, "T+;B*;");
    m().cube.pieces[2][1].twist = 1;
    m().cube.pieces[2][2].twist = 2;
    ForgetMoves(m());
    m().EightCornerBottomCorners();
    EXPECT_EQ(Record(m()), "");
}

TEST_F(BottomCorners, AllFourTwistedOnceRunTheFirstRule) {
    for (int c = 1; c <= 4; ++c) m().cube.pieces[4][c].twist = 1;
    m().EightCornerBottomCorners();
    EXPECT_EQ(Record(m()).rfind("F+;L+;P+;R+;", 0), 0u) << Record(m());
    EXPECT_TRUE(BottomCornersGood(m()));
}

// ---- stage 2 ----

class TopTwistKeys : public ModelTest, public ::testing::WithParamInterface<ec::TopTwistKey> {};

TEST_P(TopTwistKeys, LeaveTopTwistsZeroAndBottomGoodThenCornerOrderFinishes) {
    const ec::TopTwistKey key = GetParam();
    const int t[3] = {key.key / 100, key.key / 10 % 10, key.key % 10};
    for (int kt = 0; kt < 4; ++kt) {
        m().ResetCube();
        TurnLayers(m(), kt, 3 - kt);
        for (int c = 1; c <= 3; ++c) m().cube.pieces[2][c].twist = t[c - 1];
        m().cube.pieces[2][4].twist = (6 - t[0] - t[1] - t[2]) % 3;
        ForgetMoves(m());
        m().EightCornerTopTwist();
        for (int c = 1; c <= 4; ++c) {
            EXPECT_EQ(m().cube.pieces[2][c].homeRow, 2) << "slot 2" << c;
            EXPECT_EQ(m().cube.pieces[2][c].twist, 0) << "slot 2" << c;
        }
        EXPECT_TRUE(BottomCornersGood(m()));
        EXPECT_EQ(std::string(m().methodIdText.view()),
                  "解法各阶段    第2阶段ID:" + std::to_string(key.id) + "    ");
        m().EightCornerCornerPlaces();
        EXPECT_TRUE(CornersDone(m())) << "key " << key.key << " turned " << kt;
    }
}

INSTANTIATE_TEST_SUITE_P(EightCornerCorners, TopTwistKeys, ::testing::ValuesIn(ec::TopTwistKeys().begin(), ec::TopTwistKeys().end()),
                         [](const auto& info) { return "key" + std::to_string(info.param.key); });

TEST(TopTwistTable, HasTwentySixDistinctKeysEachWithAFormula) {
    std::vector<int> keys;
    for (const ec::TopTwistKey& k : ec::TopTwistKeys()) {
        keys.push_back(k.key);
        EXPECT_TRUE(std::any_of(ec::TopTwistFormulas().begin(), ec::TopTwistFormulas().end(),
                                [&](const ec::TopTwistFormula& f) { return f.id == k.id; }));
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
    EXPECT_EQ(keys.size(), 26u);
}

class TopTwist : public ModelTest {
protected:
    std::string RunKey(int t21, int t22, int t23) {
        m().ResetCube();
        m().cube.pieces[2][1].twist = t21;
        m().cube.pieces[2][2].twist = t22;
        m().cube.pieces[2][3].twist = t23;
        m().cube.pieces[2][4].twist = (6 - t21 - t22 - t23) % 3;
        ForgetMoves(m());
        m().EightCornerTopTwist();
        return Record(m());
    }
};

TEST_F(TopTwist, PreTurnMergesIntoTheLeadingTopMove) {
    // ID 3 "T0;..." with one quarter turn: the carrier becomes T+.
    EXPECT_EQ(RunKey(0, 1, 1).rfind("T+;R+;T+;R-;", 0), 0u);
    // ID 3 without pre-turn: the carrier T0 leaves no move.
    EXPECT_EQ(RunKey(1, 1, 1).rfind("R+;T+;R-;", 0), 0u);
    // ID 2 "T*;..." with one quarter turn: three quarter turns, recorded T-.
    EXPECT_EQ(RunKey(0, 2, 2).rfind("T-;R+;T*;", 0), 0u);
    // ID 8 "T+;..." with three quarter turns: a whole turn, no top move at all.
    EXPECT_EQ(RunKey(2, 0, 1).rfind("F-;T+;F+;", 0), 0u);
}

TEST_F(TopTwist, TwistsOneOneTwoLeaveTwoBottomCornersExchanged) {
    RunKey(1, 1, 2);
    EXPECT_TRUE(BottomCornersGood(m()));
    EXPECT_LT(ec::CountMatchingPairs(m(), 4), 4);
}

TEST_F(TopTwist, UntwistedTopWritesASingleBlank) {
    EXPECT_EQ(RunKey(0, 0, 0), "");
    EXPECT_EQ(std::string(m().methodIdText.view()), "解法各阶段     ");
}

// ---- stage 3 ----

// Sets the top and bottom corners to the given arrangements (home columns by slot
// column 1-4), all with twist 0.
void PlaceCorners(CTarnexSource& m, const std::array<int, 4>& top, const std::array<int, 4>& bottom) {
    m.ResetCube();
    for (int c = 1; c <= 4; ++c) {
        m.cube.pieces[2][c] = PieceSlot{2, top[c - 1], 0};
        m.cube.pieces[4][c] = PieceSlot{4, bottom[c - 1], 0};
    }
    ForgetMoves(m);
}

std::vector<std::array<int, 4>> Arrangements() {
    std::vector<std::array<int, 4>> all;
    std::array<int, 4> p{1, 2, 3, 4};
    do all.push_back(p); while (std::next_permutation(p.begin(), p.end()));
    return all;
}

int CornerPlaceId(const CTarnexSource& m) {
    return 10 * (ec::CountMatchingPairs(m, 2) + 1) + ec::CountMatchingPairs(m, 4) + 1;
}

class CornerPlaceCases : public ModelTest, public ::testing::WithParamInterface<ec::CornerPlaceCase> {};

TEST_P(CornerPlaceCases, MakeAllEightPairsMatchFromEveryArrangementOfTheirCase) {
    const ec::CornerPlaceCase row = GetParam();
    int seen = 0;
    for (const auto& top : Arrangements()) {
        for (const auto& bottom : Arrangements()) {
            PlaceCorners(m(), top, bottom);
            if (CornerPlaceId(m()) != row.id) continue;
            ++seen;
            m().EightCornerCornerPlaces();
            ASSERT_TRUE(CornersDone(m())) << "ID " << row.id << " from top " << top[0] << top[1]
                                          << top[2] << top[3] << " bottom " << bottom[0] << bottom[1]
                                          << bottom[2] << bottom[3];
            EXPECT_EQ(std::string(m().methodIdText.view()),
                      "解法各阶段    第3阶段ID:" + std::to_string(row.id) + "    ");
        }
    }
    EXPECT_GT(seen, 0);
}

INSTANTIATE_TEST_SUITE_P(EightCornerCorners, CornerPlaceCases, ::testing::ValuesIn(ec::CornerPlaceCases().begin(), ec::CornerPlaceCases().end()),
                         [](const auto& info) { return "id" + std::to_string(info.param.id); });

class CornerPlaces : public ModelTest {};

TEST_F(CornerPlaces, EveryUntwistedArrangementHasZeroOneOrFourPairsPerLayer) {
    for (const auto& top : Arrangements()) {
        PlaceCorners(m(), top, top);
        int n = ec::CountMatchingPairs(m(), 2);
        EXPECT_TRUE(n == 0 || n == 1 || n == 4);
        EXPECT_EQ(ec::CountMatchingPairs(m(), 4), n);
    }
}

TEST_F(CornerPlaces, OnePairInEachLayerTakesTwoSingleMovesBeforeItsFormula) {
    // Only pair (24, 21) matches in each layer: kt = kb = 0.
    PlaceCorners(m(), {1, 3, 2, 4}, {1, 3, 2, 4});
    ASSERT_EQ(CornerPlaceId(m()), 22);
    m().EightCornerCornerPlaces();
    EXPECT_EQ(Record(m()), "B-;T+;F*;T+;F*;B*;R*;T+;R*;");
    EXPECT_TRUE(CornersDone(m()));
}

TEST_F(CornerPlaces, CornersInOrderWriteASingleBlankAndMoveNothing) {
    PlaceCorners(m(), {2, 3, 4, 1}, {4, 1, 2, 3});
    m().EightCornerCornerPlaces();
    EXPECT_EQ(Record(m()), "");
    EXPECT_EQ(std::string(m().methodIdText.view()), "解法各阶段     ");
}

}  // namespace
}  // namespace velmora::test
