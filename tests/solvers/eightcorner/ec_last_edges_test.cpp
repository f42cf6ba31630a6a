#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ec_last_edges_support.h"
#include "solvers/eightcorner/ec_last_upper_edge.h"
#include "solvers/eightcorner/ec_middle_edges.h"

namespace velmora::last_upper_edge {
void PrintTo(const KeyedFormula& f, std::ostream* os) { *os << f.key << " " << f.formula; }
}  // namespace velmora::last_upper_edge
namespace velmora::middle_edges {
void PrintTo(const KeyedFormula& f, std::ostream* os) { *os << f.key << " " << f.formula; }
}  // namespace velmora::middle_edges

namespace velmora::test::edges {
namespace {

class LastEdgesTest : public ModelTest {
protected:
    // Stage 6's case of a key: corners, bottom edges and three upper edges done, the
    // free slot in column f; the missing upper edge and middle edge 31 where the key
    // says, the other middle edges in the remaining slots.
    void BuildLastUpperCase(int key, int f, int top, int bottom) {
        StartLayered(m(), top, bottom);
        const int digits[6] = {key / 100000, key / 10000 % 10, key / 1000 % 10,
                               key / 100 % 10, key / 10 % 10, key % 10};
        const int pool[5] = {10 + f, 31, 32, 33, 34};
        PieceSlot pieces[5];
        for (int i = 0; i < 5; ++i) pieces[i] = SlotRef(m(), pool[i]);
        auto place = [](int e, int h) { return e == 1 ? 0 : h; };  // index into pool
        const int upperAt = place(digits[0], digits[1]), middleAt = place(digits[3], digits[4]);
        bool used[5] = {};
        PieceSlot result[5];
        result[upperAt] = pieces[0];
        result[upperAt].twist = digits[2];
        result[middleAt] = pieces[1];
        result[middleAt].twist = digits[5];
        used[upperAt] = used[middleAt] = true;
        int next = 2;
        for (int i = 0; i < 5; ++i)
            if (!used[i]) result[i] = pieces[next++];
        for (int i = 0; i < 5; ++i) SlotRef(m(), pool[i]) = result[i];
    }

    // Stage 7's case of a key: all done but middle edges 32-34, arranged and flipped as
    // the key says.
    void BuildMiddleCase(int key, int top, int bottom) {
        StartLayered(m(), top, bottom);
        const int arrangement = key / 100, t32 = key / 10 % 10, t33 = key % 10;
        // Home columns of the edges in slots 32, 33, 34: in place or one of the cycles.
        const int homes[5][3] = {{}, {}, {2, 3, 4}, {3, 4, 2}, {4, 2, 3}};
        for (int i = 0; i < 3; ++i) m().cube.pieces[3][2 + i] = PieceSlot{3, homes[arrangement][i], 0};
        m().cube.pieces[3][2].twist = t32;
        m().cube.pieces[3][3].twist = t33;
        m().cube.pieces[3][4].twist = t32 ^ t33;
    }

    ::testing::AssertionResult AllButLayerTurnsDone() {
        if (!CornersDone(m())) return ::testing::AssertionFailure() << "corners";
        if (ec::CountCorrectUpperEdges(m()) != 4) return ::testing::AssertionFailure() << "upper edges";
        if (ec::CountCorrectBottomEdges(m()) != 4) return ::testing::AssertionFailure() << "bottom edges";
        for (int c = 1; c <= 4; ++c)
            if (!MiddleEdgeHome(m(), c)) return ::testing::AssertionFailure() << "middle edge " << c;
        return ::testing::AssertionSuccess();
    }
};

TEST_F(LastEdgesTest, EveryFormulaUsesOnlyMoveTableTokensAndStage6TakesAPreTurn) {
    for (const auto& f : last_upper_edge::kFormulas) {
        EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), f.formula)) << f.key;
        // Keys beginning 110 have all four upper edges correct: free slot 1, no pre-turn.
        if (f.key / 1000 != 110) {
            EXPECT_TRUE(ec::TakesPreTurn(f.formula)) << f.key;
        }
    }
    for (const auto& f : middle_edges::kFormulas) EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), f.formula)) << f.key;
}

// ---- stage 6, row by row ----

class LastUpperEdgeRow : public LastEdgesTest, public ::testing::WithParamInterface<last_upper_edge::KeyedFormula> {};

// The stage reads the row's key off its case, merges the free-slot pre-turn into the
// leading top move, and ends with all upper edges correct and middle edge 31 home,
// keeping the corners and the bottom edges.
TEST_P(LastUpperEdgeRow, FindsItsKeyAndPlacesBothEdges) {
    const auto& row = GetParam();
    // With the upper edge at home in the free slot all four are correct: column 1.
    const int lastFree = row.key / 1000 == 110 ? 1 : 4;
    for (int f = 1; f <= lastFree; ++f) {
        SCOPED_TRACE("free column " + std::to_string(f));
        BuildLastUpperCase(row.key, f, (row.key / 10 + f) % 4, (row.key + f) % 4);
        ASSERT_EQ(ec::FreeSlotColumn(m()), f);
        m().EightCornerLastUpperEdge();
        EXPECT_EQ(std::string(m().methodIdText.view()), "第6阶段ID:" + std::to_string(row.key) + "    ");
        EXPECT_EQ(std::string(m().moveRecord.view()),
                  lastFree == 1 ? std::string(row.formula) : MergedRecord(row.formula, f - 1));
        EXPECT_TRUE(CornersDone(m()));
        EXPECT_EQ(ec::CountCorrectBottomEdges(m()), 4);
        EXPECT_EQ(ec::CountCorrectUpperEdges(m()), 4);
        EXPECT_TRUE(MiddleEdgeHome(m(), 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, LastUpperEdgeRow, ::testing::ValuesIn(last_upper_edge::kFormulas),
                         [](const auto& info) { return std::to_string(info.param.key); });

TEST_F(LastEdgesTest, Key110311RunsItsFormulaWithoutPreTurn) {
    BuildLastUpperCase(110311, 1, 0, 0);
    m().EightCornerLastUpperEdge();
    EXPECT_EQ(std::string(m().moveRecord.view()), "F+;R-;B+;F-;R+;T+;B-;F-;L+;B-;F+;L-;");
}

TEST_F(LastEdgesTest, LeadingTopMoveEndedByACommaStillTakesThePreTurn) {
    // Key 111310: "T*,L+;..."; with the free slot in column 2, T* and one quarter turn
    // make T-.
    BuildLastUpperCase(111310, 2, 0, 0);
    m().EightCornerLastUpperEdge();
    EXPECT_EQ(std::string(m().moveRecord.view()), "T-;L+;T-;L-;T-;L*;B+;F+;T+;F-;B*;P*;");
    EXPECT_EQ(ec::CountCorrectUpperEdges(m()), 4);
}

TEST_F(LastEdgesTest, KeyWithoutEntryAppendsOneBlankAndRunsNothing) {
    // Everything in place but middle edge 31 out of the middle layer: no key fits.
    StartLayered(m(), 0, 0);
    SwapSlots(m(), 31, 51);
    m().EightCornerLastUpperEdge();
    EXPECT_EQ(std::string(m().methodIdText.view()), " ");
    EXPECT_TRUE(m().moveRecord.empty());
}

// ---- stage 7, row by row ----

class MiddleEdgesRow : public LastEdgesTest, public ::testing::WithParamInterface<middle_edges::KeyedFormula> {};

// Each formula puts all middle edges home. Some leave the top and bottom layers turned
// as a whole; turning them home then gives the restored cube.
TEST_P(MiddleEdgesRow, FindsItsKeyAndRestoresTheMiddleLayer) {
    const auto& row = GetParam();
    for (int top = 0; top < 4; ++top) {
        SCOPED_TRACE("top turned " + std::to_string(top));
        BuildMiddleCase(row.key, top, (row.key + top) % 4);
        m().EightCornerMiddleEdges();
        EXPECT_EQ(std::string(m().methodIdText.view()), "第7阶段ID:" + std::to_string(row.key) + "    ");
        EXPECT_EQ(std::string(m().moveRecord.view()), std::string(row.formula));
        EXPECT_TRUE(AllButLayerTurnsDone());
        TurnLayersHome(m());
        EXPECT_TRUE(PiecesSolved(m().cube));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, MiddleEdgesRow, ::testing::ValuesIn(middle_edges::kFormulas),
                         [](const auto& info) { return std::to_string(info.param.key); });

TEST_F(LastEdgesTest, RestoredMiddleLayerHasNoStage7Entry) {
    BuildMiddleCase(200, 1, 2);
    m().EightCornerMiddleEdges();
    EXPECT_EQ(std::string(m().methodIdText.view()), " ");
    EXPECT_TRUE(m().moveRecord.empty());
}

TEST_F(LastEdgesTest, Key311RunsTheFourMoveFormula) {
    BuildMiddleCase(311, 0, 0);
    m().EightCornerMiddleEdges();
    EXPECT_EQ(std::string(m().moveRecord.view()), "L*;T+;B-;P*;");
    EXPECT_EQ(m().turnCounter, 4);
}

// ---- stages 6 and 7 together ----

// Every case of stage 6 with every flip of the middle edges left over is finished by
// stage 6 once and stage 7 at most once.
TEST_F(LastEdgesTest, Stage6ThenStage7RestoreEveryCase) {
    int legal = 0;
    for (const auto& row : last_upper_edge::kFormulas) {
        for (int flips = 0; flips < 8; ++flips) {
            BuildLastUpperCase(row.key, row.key / 1000 == 110 ? 1 : 2, 1, 3);
            // Flip the remaining middle edges (not the two the key places) by the bits.
            int bit = 0;
            for (int c = 1; c <= 4; ++c) {
                PieceSlot& p = m().cube.pieces[3][c];
                if (p.homeRow == 3 && p.homeCol != 1) p.twist = (flips >> bit++) & 1;
            }
            // Only positions a real cube can take (even flips and exchanges) must finish.
            if (m().CheckAssembly() != 0) continue;
            ++legal;
            m().EightCornerLastUpperEdge();
            ASSERT_EQ(ec::CountCorrectUpperEdges(m()), 4) << row.key;
            if (!(MiddleEdgeHome(m(), 2) && MiddleEdgeHome(m(), 3) && MiddleEdgeHome(m(), 4)))
                m().EightCornerMiddleEdges();
            ASSERT_TRUE(AllButLayerTurnsDone()) << row.key << " flips " << flips;
        }
    }
    EXPECT_GT(legal, 79);
}

}  // namespace
}  // namespace velmora::test::edges
