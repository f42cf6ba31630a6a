#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "solvers/group/group_slots.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class GroupMethod : public ModelTest {
protected:
    // Runs the method on the present cube as the solve driver would.
    int Run() {
        m().moveRecord.Clear();
        m().turnCounter = 0;
        m().methodIdText.Assign("解法各阶段    ");
        return m().GroupMethod();
    }
    std::string Record() const { return std::string(model->moveRecord.view()); }
};

TEST_F(GroupMethod, SolvedCubeTakesNoMoveAndNoSeparator) {
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Record(), "");
    EXPECT_EQ(m().turnCounter, 0);
    // Only the bottom-edge stage leaves its blank for the solved bottom layer.
    EXPECT_EQ(std::string(m().methodIdText.view()), "解法各阶段     ");
}

TEST_F(GroupMethod, CubeHeldTurnedIsTurnedBackWithoutFaceTurns) {
    static const char* kFirst[] = {"", "TF", "TR", "TP", "TL", "TB"};
    static const char* kSecond[] = {"", "FR", "FP", "FL"};
    int orientations = 0;
    for (const char* a : kFirst) {
        for (const char* b : kSecond) {
            m().ResetCube();
            if (*a) m().ApplyToken(a);
            if (*b) m().ApplyToken(b);
            const CubeState held = m().cube;
            EXPECT_EQ(Run(), 1) << a << b;
            EXPECT_EQ(m().turnCounter, 0) << a << b;
            EXPECT_TRUE(PiecesSolved(m().cube)) << a << b;
            // At most one token for the top centre and one for the front centre.
            const std::string record = Record();
            EXPECT_LE(record.size(), 6u) << record;
            m().cube = held;
            m().RunMoveString(0, record);
            EXPECT_TRUE(PiecesSolved(m().cube)) << a << b << ": " << record;
            ++orientations;
        }
    }
    EXPECT_EQ(orientations, 24);
}

TEST_F(GroupMethod, TurnedAndScrambledCubeIsSolvedUpright) {
    std::mt19937 rng(515);
    for (const char* whole : {"FT", "RT", "PT", "LT", "BT", "RF"}) {
        m().ResetCube();
        RandomTurns(m(), rng, 30);
        m().ApplyToken(whole);
        EXPECT_EQ(Run(), 1) << whole;
        EXPECT_TRUE(PiecesSolved(m().cube)) << whole;
    }
}

TEST_F(GroupMethod, TopLayerAloneIsFinishedWithoutTheEdgeAndPairStages) {
    m().RunMoveString(0, "R+;T+;R-;T+;R+;T*;R-;T-;");  // only the top layer moves
    ASSERT_TRUE(group::RowSolved(m(), 3) && group::RowSolved(m(), 4) && group::RowSolved(m(), 5));
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(PiecesSolved(m().cube));
    EXPECT_EQ(Record().find("#  "), std::string::npos) << Record();
    EXPECT_EQ(Record().find("## "), std::string::npos) << Record();
}

TEST_F(GroupMethod, BottomEdgesAloneStillPassThroughTheCornerStage) {
    // Two exchanges of bottom edges (an even arrangement): rows 1-4 stay solved.
    std::swap(m().cube.pieces[5][1], m().cube.pieces[5][2]);
    std::swap(m().cube.pieces[5][3], m().cube.pieces[5][4]);
    ASSERT_EQ(m().CheckAssembly(), 0);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(PiecesSolved(m().cube));
    EXPECT_EQ(Record().rfind(",# ", 0), 0u) << Record();
    EXPECT_EQ(Record().find("#  "), std::string::npos);
    EXPECT_EQ(Record().find("## "), std::string::npos);
}

TEST_F(GroupMethod, NoPassStartsBeyondTheTurnBudget) {
    m().RunMoveString(0, "F+;R+;");
    m().moveRecord.Clear();
    m().turnCounter = 100;
    EXPECT_EQ(m().GroupMethod(), -1);
    EXPECT_EQ(Record(), "");
    EXPECT_EQ(m().turnCounter, 100);
}

// The stage separators of a record in order: 1 "#  ", 2 "## ", 3 ",# " (a comma that
// ends a rotation token followed by "#  " is the first kind).
std::string SeparatorRanks(const std::string& moves) {
    std::string ranks;
    for (std::size_t i = 0; i + 3 <= moves.size(); ++i) {
        if (moves.compare(i, 3, "#  ") == 0) {
            ranks += '1';
            i += 2;
        } else if (moves.compare(i, 3, "## ") == 0) {
            ranks += '2';
            i += 2;
        } else if (moves.compare(i, 3, ",# ") == 0 && (i + 3 >= moves.size() || moves[i + 3] != ' ')) {
            ranks += '3';
            i += 2;
        }
    }
    return ranks;
}

TEST_F(GroupMethod, RandomPositionsReplayToTheSolvedCubeWithTheirTurnCount) {
    std::mt19937 rng(90210);
    int worst = 0;
    long total = 0;
    const int kPositions = 4000;
    for (int i = 0; i < kPositions; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 40);
        m().moveRecord.Clear();
        m().turnCounter = 0;
        m().ExecuteAndSolve();
        ASSERT_EQ(m().lastSolveResult, 1) << m().SolutionRecord.c_str();
        ASSERT_EQ(m().methodUsed, 1);
        const std::string moves(m().SolutionRecord.view().substr(kRecordMovesStart));
        // ExecuteAndSolve left the start position; the record's moves solve it.
        m().moveRecord.Clear();
        m().turnCounter = 0;
        EXPECT_EQ(m().RunMoveString(0, moves), m().lastSolveTurns);
        ASSERT_TRUE(PiecesSolved(m().cube)) << m().SolutionRecord.c_str();
        const std::string ranks = SeparatorRanks(moves);
        EXPECT_TRUE(std::is_sorted(ranks.begin(), ranks.end())) << moves;
        worst = std::max(worst, m().lastSolveTurns);
        total += m().lastSolveTurns;
    }
    EXPECT_LE(worst, 90);
    EXPECT_LT(static_cast<double>(total) / kPositions, 62.0);
}

TEST_F(GroupMethod, OneFlippedEdgeEndsInAnOrderlyPattern) {
    m().cube.pieces[1][1].twist = 1;
    ASSERT_EQ(m().CheckAssembly(), 10);
    EXPECT_EQ(Run(), 1);
    for (int row = 1; row <= 4; ++row) EXPECT_TRUE(group::RowSolved(m(), row)) << row;
    int flipped = 0;
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(m().cube.pieces[5][c].homeCol, c);
        flipped += m().cube.pieces[5][c].twist;
    }
    EXPECT_EQ(flipped, 1);
}

}  // namespace
}  // namespace velmora::test
