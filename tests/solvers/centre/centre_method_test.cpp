#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "solvers/centre/centre_formulas.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class CentreMethod : public ModelTest {
protected:
    // Runs the method as the solve driver does: empty record and counter.
    int Run() {
        m().moveRecord.Clear();
        m().turnCounter = 0;
        m().methodIdText.Assign("解法各阶段    ");
        return m().CentreMethod();
    }
    static bool SamePieces(const CubeState& a, const CubeState& b) {
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) {
                const PieceSlot& x = a.pieces[r][c];
                const PieceSlot& y = b.pieces[r][c];
                if (x.homeRow != y.homeRow || x.homeCol != y.homeCol || x.twist != y.twist) return false;
            }
        for (int k = 1; k <= 6; ++k)
            if (a.centres[k] != b.centres[k]) return false;
        return true;
    }
};

TEST_F(CentreMethod, UprightCentresGiveOnlyTheIdLineAndTheSeparator) {
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m().moveRecord.view(), "#  ");
    EXPECT_EQ(m().turnCounter, 0);
    EXPECT_EQ(m().methodIdText.view(), "解法各阶段    第8阶段ID:000000    ");
}

TEST_F(CentreMethod, EveryCombinationOfCentreTurnsOnTheSolvedCube) {
    for (int combo = 0; combo < 4096; ++combo) {
        m().ResetCube();
        int sum = 0;
        for (int k = 1; k <= 6; ++k) {
            m().cube.centreTurns[k] = (combo >> (2 * (k - 1))) & 3;
            sum += m().cube.centreTurns[k];
        }
        const CubeState before = m().cube;
        ASSERT_EQ(Run(), 1) << combo;
        ASSERT_TRUE(SamePieces(before, m().cube)) << combo;
        for (int k = 1; k <= 5; ++k) ASSERT_EQ(m().cube.centreTurns[k], 0) << combo;
        ASSERT_EQ(m().cube.centreTurns[6], sum % 2) << combo;
        // The record replays to the same result from the start.
        std::string record(m().moveRecord.view());
        CubeState after = m().cube;
        m().cube = before;
        m().RunMoveString(0, record);
        ASSERT_EQ(CodeOf(m().cube), CodeOf(after)) << combo;
    }
}

TEST_F(CentreMethod, ChangesNoPieceOnScrambledCubes) {
    std::mt19937 rng(4242);
    int bottomOff = 0;
    const int kRuns = 400;
    for (int i = 0; i < kRuns; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 30);
        const CubeState before = m().cube;
        ASSERT_EQ(Run(), 1) << i;
        ASSERT_TRUE(SamePieces(before, m().cube)) << i;
        for (int k = 1; k <= 5; ++k) ASSERT_EQ(m().cube.centreTurns[k], 0);
        ASSERT_LE(m().cube.centreTurns[6], 1);
        bottomOff += m().cube.centreTurns[6];
    }
    // About half of random positions keep the bottom centre a quarter turn off.
    EXPECT_GT(bottomOff, kRuns / 3);
    EXPECT_LT(bottomOff, 2 * kRuns / 3);
}

TEST_F(CentreMethod, FrontAndBackAtHalfTurnTakeTheShortcutFirst) {
    m().cube.centreTurns[2] = 2;
    m().cube.centreTurns[4] = 2;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m().moveRecord.view(), std::string(centre::kFrontBackHalf) + "#  ");
    EXPECT_EQ(m().turnCounter, 10);
}

TEST_F(CentreMethod, TopOffWithLeftUprightSkipsTheSecondPhase) {
    // Top at 1 and left upright: phases 1 and 2 run nothing, phase 3 turns the top
    // back (and the bottom a quarter turn on, to 0).
    m().cube.centreTurns[1] = 1;
    m().cube.centreTurns[6] = 3;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m().moveRecord.view(), "#  " + std::string(centre::kPhase3TopQuarter));
    EXPECT_EQ(m().methodIdText.view(), "解法各阶段    第8阶段ID:100003    ");
}

TEST_F(CentreMethod, SolveDriverRunsItInCentreOnlyMode) {
    m().RunMoveString(0, "F+;R+;T-;");
    m().centreOnlyMode = 1;
    m().ExecuteAndSolve();
    EXPECT_EQ(m().methodUsed, 4);
    EXPECT_EQ(m().lastSolveResult, 1);
    // The record starts from the scrambled position and ends with it, centres upright.
    m().RunMoveString(0, m().SolutionRecord.view().substr(kRecordMovesStart));
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(m().cube.centreTurns[k], 0);
    EXPECT_EQ(CodeOf(m().cube).substr(0, 66), CodeOf(m().startState).substr(0, 66));
}

// Each conjugate turns the centre of its middle face by the middle turn; each phase-3
// formula leaves every piece in place and turns only the centres it is chosen for.
struct ConjugateRow {
    std::string_view formula;
    int face;   // face whose centre the middle turn moves
    int turns;  // quarter turns clockwise it gives that centre
};

class CentreConjugates : public ModelTest, public ::testing::WithParamInterface<ConjugateRow> {};

TEST_P(CentreConjugates, TurnsTheMiddleFaceCentre) {
    const ConjugateRow& row = GetParam();
    m().RunMoveString(0, row.formula);
    for (int k = 1; k <= 6; ++k) {
        int expected = k == row.face ? row.turns : 0;
        EXPECT_EQ(m().cube.centreTurns[k], expected) << row.formula << " face " << k;
    }
}

std::vector<ConjugateRow> ConjugateRows() {
    std::vector<ConjugateRow> rows;
    // Row t of every table takes t quarter turns off its centre.
    auto add = [&](const centre::ByTurn& table, int face) {
        for (int t = 1; t <= 3; ++t)
            rows.push_back({table[static_cast<std::size_t>(t - 1)], face, 4 - t});
    };
    add(centre::kPhase1Front, 2);
    add(centre::kPhase1Right, 3);
    add(centre::kPhase1Back, 4);
    add(centre::kPhase1Left, 5);
    add(centre::kPhase2Top, 1);
    add(centre::kPhase2Left, 5);
    add(centre::kPhase2Bottom, 6);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, CentreConjugates, ::testing::ValuesIn(ConjugateRows()));

struct PieceNeutralRow {
    std::string_view formula;
    int centreTurns[7];  // resulting centre turns from the solved cube
};

class CentreLongFormulas : public ModelTest, public ::testing::WithParamInterface<PieceNeutralRow> {};

TEST_P(CentreLongFormulas, LeaveEveryPieceHome) {
    const PieceNeutralRow& row = GetParam();
    m().RunMoveString(0, row.formula);
    EXPECT_TRUE(PiecesSolved(m().cube)) << row.formula;
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(m().cube.centreTurns[k], row.centreTurns[k]) << row.formula << " face " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CentreLongFormulas,
    ::testing::Values(
        PieceNeutralRow{centre::kFrontBackHalf, {0, 0, 2, 0, 2, 0, 0}},
        PieceNeutralRow{centre::kPhase3Left[0].topUpright, {0, 0, 0, 0, 0, 3, 1}},
        PieceNeutralRow{centre::kPhase3Left[0].topOff, {0, 1, 0, 0, 0, 3, 0}},
        PieceNeutralRow{centre::kPhase3Left[1].topUpright, {0, 0, 0, 0, 0, 2, 0}},
        PieceNeutralRow{centre::kPhase3Left[2].topUpright, {0, 0, 0, 0, 0, 1, 3}},
        PieceNeutralRow{centre::kPhase3Left[2].topOff, {0, 3, 0, 0, 0, 1, 0}},
        PieceNeutralRow{centre::kPhase3TopQuarter, {0, 3, 0, 0, 0, 0, 1}},
        PieceNeutralRow{centre::kPhase3TopHalfBottomLow, {0, 2, 0, 0, 0, 0, 0}},
        PieceNeutralRow{centre::kPhase3TopHalfBottomHigh, {0, 2, 0, 0, 0, 0, 2}},
        PieceNeutralRow{centre::kPhase3TopThreeQuarters, {0, 1, 0, 0, 0, 0, 3}},
        PieceNeutralRow{centre::kPhase3BottomHalf, {0, 0, 0, 0, 0, 0, 2}}));

}  // namespace
}  // namespace velmora::test
