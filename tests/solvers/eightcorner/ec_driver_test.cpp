// The eight-corner driver: holding the cube upright, choosing the stage, the markers,
// the final layer turns and the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "tests/solvers/eightcorner/ec_driver_support.h"

namespace velmora::test {
namespace {

class EightCornerDriver : public ModelTest {
protected:
    int Solve() {
        ForgetMoves(m());
        return m().EightCornerMethod();
    }
    int WarningCount() const {
        auto msgs = user.Messages();
        return static_cast<int>(std::count(msgs.begin(), msgs.end(), std::string("转数超过99转！")));
    }
};

TEST_F(EightCornerDriver, RestoredCubeHeldTurnedIsOnlyRotatedUpright) {
    for (const char* hold : {"TF,", "RT,FR,", "BT,", "TR,LP,", "FT,TL,"}) {
        m().ResetCube();
        m().RunMoveString(0, hold);
        EXPECT_EQ(Solve(), 1) << hold;
        EXPECT_TRUE(PiecesSolved(m().cube)) << hold;
        EXPECT_EQ(m().turnCounter, 0) << hold;
        const std::string rec = Record(m());
        EXPECT_FALSE(rec.empty()) << hold;
        for (std::size_t i = 0; i + 2 < rec.size() + 1; i += 3) EXPECT_EQ(rec[i + 2], ',') << rec;
    }
}

TEST_F(EightCornerDriver, RestoredCubeWithItsLayersTurnedTakesOneTurnEach) {
    m().RunMoveString(0, "T+;");
    EXPECT_EQ(Solve(), 1);
    EXPECT_EQ(Record(m()), "T-;");
    EXPECT_EQ(m().turnCounter, 1);

    m().ResetCube();
    m().RunMoveString(0, "T*;B+;");
    EXPECT_EQ(Solve(), 1);
    EXPECT_EQ(Record(m()), "T*;B-;");
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(EightCornerDriver, MiddleEdgesAloneRunStageSevenWithoutAMarker) {
    // The reverse of the stage-7 formula of key 311.
    m().RunMoveString(0, "P*;B+;T-;L*;");
    EXPECT_EQ(Solve(), 1);
    EXPECT_EQ(Record(m()).rfind("L*;T+;B-;P*;", 0), 0u) << Record(m());
    EXPECT_EQ(Record(m()).find('#'), std::string::npos) << Record(m());
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(EightCornerDriver, MarkersFollowTheStagesInOrder) {
    std::mt19937 rng(5);
    RandomTurns(m(), rng, 40);
    ASSERT_EQ(Solve(), 1);
    const std::string rec = Record(m());
    std::size_t at = 0;
    for (const char* marker : {"#  ", " # ", "  #", "## ", "# #"}) {
        std::size_t found = rec.find(marker, at);
        if (found == std::string::npos) continue;  // a stage with nothing to do is skipped
        EXPECT_EQ(found % 3, 0u) << rec;
        at = found + 3;
    }
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(EightCornerDriver, WarnsOnEveryPassAboveNinetyNineTurnsAndGivesUpAbove123) {
    m().RunMoveString(0, "T+;");
    ForgetMoves(m());
    m().turnCounter = 100;
    EXPECT_EQ(m().EightCornerMethod(), 1);
    EXPECT_EQ(WarningCount(), 1);
    EXPECT_EQ(user.calls.back().buttons, Buttons::Ok);

    user.Clear();
    m().ResetCube();
    m().RunMoveString(0, "T+;");
    ForgetMoves(m());
    m().turnCounter = 124;
    EXPECT_EQ(m().EightCornerMethod(), -1);
    EXPECT_EQ(Record(m()), "");
    EXPECT_EQ(WarningCount(), 0);
}

TEST_F(EightCornerDriver, PositionNoStageCanChangeEndsAfterTwelvePasses) {
    // Corner 23 twice in the top layer: the last-upper-edge stage finds no key for it on
    // every pass and changes nothing.
    m().cube.pieces[2][4] = PieceSlot{2, 3, 0};
    EXPECT_EQ(Solve(), -1);
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += " ##";
    EXPECT_EQ(Record(m()), twelve);
    EXPECT_EQ(m().turnCounter, 0);
}

TEST_F(EightCornerDriver, SeededRandomPositionsAreRestoredWithinNinetyNineTurns) {
    m().methodChoice = 2;
    std::mt19937 rng(99);
    int worst = 0;
    for (int i = 0; i < 1000; ++i) {
        m().ResetCube();
        if (i % 5 == 0) m().RunMoveString(0, i % 10 == 0 ? "TR,FL," : "BT,");
        RandomTurns(m(), rng, 25);
        const CubeState start = m().cube;
        ASSERT_EQ(m().SolveDispatch(), 1) << CodeOf(start);
        ASSERT_TRUE(PiecesSolved(m().cube)) << CodeOf(start);
        worst = std::max(worst, m().turnCounter);
        // Replaying the record from the start gives the same restored cube.
        const std::string rec = Record(m());
        m().cube = start;
        m().RunMoveString(0, rec);
        ASSERT_TRUE(PiecesSolved(m().cube)) << CodeOf(start);
    }
    EXPECT_LE(worst, 99);
    EXPECT_EQ(WarningCount(), 0);
}

// ---- the pre-turn merge and the free slot shared by the edge stages ----

class PreTurnMerge : public ModelTest {
protected:
    std::string Run(int n, std::string_view formula) {
        m().ResetCube();
        ec::RunWithPreTurn(m(), n, formula);
        return Record(m());
    }
};

TEST_F(PreTurnMerge, JoinsTheClockwisePreTurnWithTheLeadingTopMove) {
    EXPECT_EQ(Run(2, "T0;F+;"), "T*;F+;");
    EXPECT_EQ(Run(0, "T0;F+;"), "F+;");
    EXPECT_EQ(Run(1, "T*;R+;"), "T-;R+;");
    EXPECT_EQ(Run(3, "T+;R+;"), "R+;");
    EXPECT_EQ(Run(3, "T-;R+;"), "T*;R+;");
    // A leading token ended by a comma takes the pre-turn too.
    EXPECT_EQ(Run(1, "T*,L+;T-;"), "T-;L+;T-;");
}

TEST_F(PreTurnMerge, FreeSlotIsTheFirstIncorrectUpperEdgeSlot) {
    EXPECT_EQ(ec::FreeSlotColumn(m()), 1);
    m().RunMoveString(0, "T+;B-;");
    EXPECT_EQ(ec::FreeSlotColumn(m()), 1);  // correctness follows the corners above
    std::swap(m().cube.pieces[1][3], m().cube.pieces[3][2]);
    EXPECT_EQ(ec::FreeSlotColumn(m()), 3);
    ForgetMoves(m());
    ec::RunFromFreeSlot(m(), "T0;R+;");
    EXPECT_EQ(Record(m()), "T*;R+;");
}

}  // namespace
}  // namespace velmora::test
