#include <gtest/gtest.h>

#include <random>
#include <string>

#include "solvers/group/group_slots.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class GroupTopEdges : public ModelTest {
protected:
    // Starts the stage from the position the moves lead to, with an empty record.
    void From(const char* moves) {
        m().ResetCube();
        m().RunMoveString(0, moves);
        m().moveRecord.Clear();
        m().turnCounter = 0;
    }
    std::string Record() const { return std::string(model->moveRecord.view()); }
};

TEST_F(GroupTopEdges, SolvedTopRowTakesNoMove) {
    From("R+;B+;R-;F-;B-;F+;");  // every top edge goes back to its slot
    ASSERT_TRUE(group::RowSolved(m(), 1));
    m().GroupTopEdges();
    EXPECT_EQ(Record(), "");
}

TEST_F(GroupTopEdges, SolvesRowOneOnRandomPositionsThroughTheEngineOnly) {
    std::mt19937 rng(20240611);
    int worst = 0;
    for (int i = 0; i < 3000; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 40);
        const CubeState start = m().cube;
        m().moveRecord.Clear();
        m().turnCounter = 0;
        m().GroupTopEdges();
        ASSERT_TRUE(group::RowSolved(m(), 1)) << "start " << CodeOf(start);
        if (m().turnCounter > worst) worst = m().turnCounter;
        // The record replays to the same position and counts the same turns.
        const CubeState reached = m().cube;
        const std::string record = Record();
        const int turns = m().turnCounter;
        m().cube = start;
        m().moveRecord.Clear();
        m().turnCounter = 0;
        EXPECT_EQ(m().RunMoveString(0, record), turns);
        ASSERT_EQ(CodeOf(m().cube), CodeOf(reached));
    }
    EXPECT_LE(worst, 40);
}

// Three top edges home, the fourth flipped in the bottom row away from its column:
// one bottom turn and one half turn, nothing else.
struct LastEdgeCase {
    const char* setUp;     // moves from the solved cube
    const char* expected;  // the stage's whole record
};

class GroupTopEdgesLastEdge : public GroupTopEdges,
                              public ::testing::WithParamInterface<LastEdgeCase> {};

TEST_P(GroupTopEdgesLastEdge, TakesOneBottomTurnAndOneHalfTurn) {
    From(GetParam().setUp);
    m().GroupTopEdges();
    EXPECT_EQ(Record(), GetParam().expected);
    EXPECT_TRUE(group::RowSolved(m(), 1));
}

// Each set-up is the reverse of the expected pair of turns.
INSTANTIATE_TEST_SUITE_P(EachMissingEdgeAndBottomSlot, GroupTopEdgesLastEdge, ::testing::Values(
    LastEdgeCase{"L*;B+;", "B-;L*;"}, LastEdgeCase{"L*;B*;", "B*;L*;"}, LastEdgeCase{"L*;B-;", "B+;L*;"},
    LastEdgeCase{"F*;B+;", "B-;F*;"}, LastEdgeCase{"F*;B*;", "B*;F*;"}, LastEdgeCase{"F*;B-;", "B+;F*;"},
    LastEdgeCase{"R*;B-;", "B+;R*;"}, LastEdgeCase{"R*;B+;", "B-;R*;"}, LastEdgeCase{"R*;B*;", "B*;R*;"},
    LastEdgeCase{"P*;B*;", "B*;P*;"}, LastEdgeCase{"P*;B-;", "B+;P*;"}, LastEdgeCase{"P*;B+;", "B-;P*;"}));

// The top edges placed but the top turned by k columns: the frame is found and one top
// turn aligns them.
struct TurnedTopCase {
    const char* setUp;
    const char* expected;
};

class GroupTopEdgesTurnedTop : public GroupTopEdges,
                               public ::testing::WithParamInterface<TurnedTopCase> {};

TEST_P(GroupTopEdgesTurnedTop, OneTopTurnAlignsThePlacedEdges) {
    From(GetParam().setUp);
    m().GroupTopEdges();
    EXPECT_EQ(Record(), GetParam().expected);
    EXPECT_TRUE(group::RowSolved(m(), 1));
}

INSTANTIATE_TEST_SUITE_P(EachShift, GroupTopEdgesTurnedTop, ::testing::Values(
    TurnedTopCase{"T-;", "T+;"}, TurnedTopCase{"T*;", "T*;"}, TurnedTopCase{"T+;", "T-;"}));

TEST_F(GroupTopEdges, ShiftedInsertionPutsAnEdgeBesideTheOthersInTheirFrame) {
    // The top turned by T- puts piece 1n at 1(n+1) (frame 1); R- then takes edge 11
    // from slot 12 down to 31 unflipped, where R+ brings it back up.
    From("T-;R-;");
    ASSERT_TRUE(group::Holds(m(), 31, 11, 0));
    m().GroupTopEdgesShifted(1);
    EXPECT_EQ(Record(), "R+;");
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(group::Holds(m(), 10 + group::CycleColumn(n, 1), 10 + n, 0)) << n;
}

}  // namespace
}  // namespace velmora::test
