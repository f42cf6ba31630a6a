// The shortest method: the search's own cube agrees with the program's turns, every
// solution restores its start position within 20 turns, cubes a few turns from solved
// get no longer solutions, and cubes the method cannot take go to the group method.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include "support/model_fixture.h"
#include "solvers/shortest/search_tables.h"
#include "solvers/shortest/two_phase.h"
#include "support/sanitized.h"

namespace velmora::test {
namespace {

using shortest::CubieCube;

class ShortestMethod : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        m().methodChoice = 3;
    }
    // Solves the current cube and checks the record: it replays from its start to the
    // restored cube. Returns the turns of the solution.
    int SolveAndReplay() {
        const std::string start = Code();
        m().ExecuteAndSolve();
        EXPECT_EQ(m().lastSolveResult, 1);
        EXPECT_EQ(m().methodUsed, 3);
        EXPECT_EQ(Code(), start) << "the cube goes back to the start";
        const int turns = m().lastSolveTurns;
        m().RunMoveString(0, m().SolutionRecord.view().substr(kRecordMovesStart));
        EXPECT_TRUE(PiecesSolved(m().cube)) << m().SolutionRecord.c_str();
        EXPECT_EQ(m().turnCounter, turns);
        m().StepSolution(0);
        return turns;
    }
};

// The search numbers corners and edges its own way; reading the program's cube after
// each face turn must give exactly the search's move, or no solution would replay.
TEST_F(ShortestMethod, EachFaceTurnReadsAsTheSearchMoveOfTheSameName) {
    for (int move = 0; move < shortest::kMoveCount; ++move) {
        m().ResetCube();
        // The search's move m solves the cube that its inverse turned.
        const int inverse = move / 3 * 3 + 2 - move % 3;
        m().ApplyToken(shortest::MoveToken(inverse));
        CubieCube c;
        ASSERT_TRUE(shortest::ReadCubie(m(), c));
        EXPECT_EQ(shortest::Multiply(c, shortest::MoveCubie(move)), shortest::SolvedCubie())
            << shortest::MoveToken(move);
    }
}

TEST(TwoPhaseTables, ViewsAboutTheDiagonalMapEveryMoveToAMove) {
    const shortest::SearchTables& t = shortest::Tables();
    for (int k = 0; k < 3; ++k) {
        std::vector<bool> seen(shortest::kMoveCount);
        for (int m = 0; m < shortest::kMoveCount; ++m) {
            ASSERT_LT(t.conjugateMove[k][m], shortest::kMoveCount);
            seen[t.conjugateMove[k][m]] = true;
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), true), shortest::kMoveCount);
    }
}

// The phase-1 table stores distances mod 3: from every cube a turn leads one step
// down (value one less, mod 3) until the cube is in the phase-2 group, where the value
// is 0, and no cube needs more than 12 such steps.
TEST(TwoPhaseTables, PhaseOneDistancesLeadDownToThePhaseTwoGroup) {
    const shortest::SearchTables& t = shortest::Tables();
    auto value = [&t](const CubieCube& c) {
        const int fs = shortest::SliceOf(c) * shortest::kFlips + shortest::FlipOf(c);
        return t.Phase1Mod3(t.Phase1Index(shortest::TwistOf(c), fs));
    };
    auto inGroup = [](const CubieCube& c) {
        return shortest::TwistOf(c) == 0 && shortest::FlipOf(c) == 0 && shortest::SliceOf(c) == 0;
    };
    std::mt19937 rng(17);
    CubieCube c = shortest::SolvedCubie();
    for (int step = 0; step < 2000; ++step) {
        c = shortest::Multiply(c, shortest::MoveCubie(static_cast<int>(rng() % 18)));
        CubieCube walk = c;
        int steps = 0;
        while (!inGroup(walk) && steps <= 12) {
            const int down = (value(walk) + 2) % 3;
            bool found = false;
            for (int m = 0; m < shortest::kMoveCount && !found; ++m) {
                const CubieCube next = shortest::Multiply(walk, shortest::MoveCubie(m));
                if (value(next) == down) {
                    walk = next;
                    found = true;
                }
            }
            ASSERT_TRUE(found) << "no turn leads down at step " << step;
            ++steps;
        }
        EXPECT_LE(steps, 12);
        EXPECT_EQ(value(walk), 0);
    }
}

// Phase 2 follows permutations as a class and a symmetry. Along random phase-2 turns,
// the class followed turn by turn must be the class of the cube itself, every lower
// bound must read the same both ways, and none may exceed the turns made (one turn
// from solved, each bound is exactly one).
TEST(TwoPhaseTables, PhaseTwoBoundsFollowTheCubeAndNeverOverestimate) {
    using namespace shortest;
    const SearchTables& t = Tables();
    std::mt19937 rng(29);
    for (int walk = 0; walk < 300; ++walk) {
        CubieCube c = SolvedCubie();
        int cc = 0, ec = 0, sp = 0, u = kSolvedUpSpot, d = kSolvedDownSpot;
        for (int step = 1; step <= 18; ++step) {
            const int k = static_cast<int>(rng() % kPhase2MoveCount);
            c = Multiply(c, MoveCubie(kPhase2Moves[k]));
            cc = t.ClassAfterMove(t.cornerClassMove, cc, k);
            ec = t.ClassAfterMove(t.edgeClassMove, ec, k);
            sp = t.slicePermMove[sp][k];
            u = t.spotMove[u][k];
            d = t.spotMove[d][k];
            const int rc = t.cornerClassSym[CornerPermOf(c)], re = t.edgeClassSym[EdgePermOf(c)];
            ASSERT_EQ(cc >> 4, rc >> 4) << "walk " << walk << " step " << step;
            ASSERT_EQ(ec >> 4, re >> 4) << "walk " << walk << " step " << step;
            ASSERT_EQ(sp, SlicePermOf(c));
            ASSERT_EQ(u, LayerSpotOf(c.ep, 0));
            ASSERT_EQ(d, LayerSpotOf(c.ep, 4));
            const int bounds[3] = {t.CornerSliceBound(rc, sp), t.EdgeSliceBound(re, sp), t.LayerBound(rc, u, d)};
            EXPECT_EQ(t.CornerSliceBound(cc, sp), bounds[0]);
            EXPECT_EQ(t.EdgeSliceBound(ec, sp), bounds[1]);
            EXPECT_EQ(t.LayerBound(cc, u, d), bounds[2]);
            for (int b : bounds) {
                EXPECT_LE(b, step);
                if (step == 1) {
                    EXPECT_EQ(b, 1);
                }
            }
        }
    }
}

TEST(TwoPhaseSearch, RefusesCubesNoTurnsCanSolve) {
    shortest::TwoPhaseSolution out;
    CubieCube twisted = shortest::SolvedCubie();
    twisted.co[0] = 1;
    EXPECT_FALSE(shortest::SolveTwoPhase(twisted, 20, out));
    CubieCube swapped = shortest::SolvedCubie();
    std::swap(swapped.ep[0], swapped.ep[1]);
    EXPECT_FALSE(shortest::SolveTwoPhase(swapped, 20, out));
    CubieCube doubled = shortest::SolvedCubie();
    doubled.cp[1] = 0;
    EXPECT_FALSE(shortest::SolveTwoPhase(doubled, 20, out));
    EXPECT_TRUE(shortest::SolveTwoPhase(shortest::SolvedCubie(), 20, out));
    EXPECT_EQ(out.length, 0);
}

// A look limited by its steps: nothing without steps; a raised cancel ends a look that
// could never succeed (every edge flipped takes twenty turns); and ample steps give the
// same solution as the unlimited look.
TEST(TwoPhaseSearch, ALookLimitedByStepsEndsWithinThemOrMatchesTheUnlimitedLook) {
    CubieCube superflip = shortest::SolvedCubie();
    for (auto& e : superflip.eo) e = 1;
    shortest::TwoPhaseSolution out;
    std::atomic<bool> raised{true};
    shortest::LookStop none, ample, cancelled;
    none.steps = 0;
    ample.steps = 1'000'000'000;
    cancelled.cancel = &raised;
    EXPECT_FALSE(shortest::SolveTwoPhase(superflip, 20, out, 0, &none));
    EXPECT_FALSE(shortest::SolveTwoPhase(superflip, 19, out, 0, &cancelled));
    std::mt19937 rng(4);
    for (int k = 0; k < 3; ++k) {
        CubieCube c = shortest::SolvedCubie();
        for (int i = 0; i < 25; ++i) c = shortest::Multiply(c, shortest::MoveCubie(static_cast<int>(rng() % 18)));
        shortest::TwoPhaseSolution free, limited;
        ASSERT_TRUE(shortest::SolveTwoPhase(c, 20, free, 50'000));
        ASSERT_TRUE(shortest::SolveTwoPhase(c, 20, limited, 50'000, &ample));
        ASSERT_EQ(free.length, limited.length);
        EXPECT_TRUE(std::equal(free.moves, free.moves + free.length, limited.moves));
    }
}

TEST_F(ShortestMethod, SeededDealsReplayToTheRestoredCubeWithinTwentyTurns) {
    m().SeedRandom(20261208);
    int longest = 0;
    long total = 0;
    constexpr int kDeals = Rounds(2000);
    for (int i = 0; i < kDeals; ++i) {
        m().Scramble(1);
        const int turns = SolveAndReplay();
        ASSERT_LE(turns, 20) << m().SolutionRecord.c_str();
        longest = std::max(longest, turns);
        total += turns;
    }
    EXPECT_LE(static_cast<double>(total) / kDeals, 19.8);
}

TEST_F(ShortestMethod, SuperflipAndTwentyRandomTurns) {
    for (int r : {1, 3, 5})
        for (int c = 1; c <= 4; ++c) m().cube.pieces[r][c].twist = 1;  // every edge flipped in place
    EXPECT_EQ(SolveAndReplay(), 20);

    std::mt19937 rng(2026);
    m().ResetCube();
    RandomTurns(m(), rng, 20);
    EXPECT_LE(SolveAndReplay(), 20);
}

// Every cube one or two turns from restored, and every third one of three turns, is
// solved in at most that many turns.
TEST_F(ShortestMethod, CubesAFewTurnsFromRestoredGetNoLongerSolutions) {
    int checked = 0;
    for (int a = 0; a < 18; ++a)
        for (int b = -1; b < 18; ++b)
            for (int c = -1; c < 18; ++c) {
                if (b < 0 && c >= 0) continue;
                if (c >= 0 && (a * 18 + b + c) % 3 != 0) continue;
                m().ResetCube();
                int applied = 0;
                for (int t : {a, b, c})
                    if (t >= 0) applied += m().ApplyToken(kFaceTurnTokens[t]);
                const int turns = SolveAndReplay();
                EXPECT_LE(turns, applied) << kFaceTurnTokens[a];
                ++checked;
            }
    EXPECT_GT(checked, 1900);
}

TEST_F(ShortestMethod, PhasesAreMarkedAndCountedInTheMethodIds) {
    m().RunMoveString(0, "F+;R-;T*;L+;P-;B+;F*;R+;T-;L*;P+;");
    SolveAndReplay();
    const std::string record(m().SolutionRecord.view());
    const std::string ids(m().methodIdText.view());
    ASSERT_NE(ids.find("第1阶段:"), std::string::npos) << ids;
    const int first = std::stoi(ids.substr(ids.find("第1阶段:") + std::string("第1阶段:").size()));
    const int second = std::stoi(ids.substr(ids.find("第2阶段:") + std::string("第2阶段:").size()));
    EXPECT_EQ(first + second, m().lastSolveTurns);
    // The marker follows exactly the first phase's turns (three characters each).
    EXPECT_EQ(record.substr(kRecordMovesStart + 3 * first, 3), "#  ") << record;

    // The same position always gives the same record.
    const std::string again = record;
    m().ExecuteAndSolve();
    EXPECT_EQ(std::string(m().SolutionRecord.view()), again);
}

TEST_F(ShortestMethod, ACubeHeldTurnedIsFirstBroughtUpright) {
    m().RunMoveString(0, "R+;F-;T*;RT,FP,");
    ASSERT_NE(m().cube.centres[1], 1);
    SolveAndReplay();
    const std::string record(m().SolutionRecord.view());
    EXPECT_EQ(record[kRecordMovesStart + 2], ',') << record;
    EXPECT_LE(m().lastSolveTurns, 3);
}

TEST_F(ShortestMethod, PartsAndAssemblyErrorsGoToTheGroupMethod) {
    m().cube.pieces[1][1].twist = 1;  // one edge flipped
    m().ExecuteAndSolve();
    EXPECT_EQ(m().methodUsed, 1);
    ASSERT_FALSE(user.Messages().empty());
    EXPECT_NE(user.Messages().back().find("至少需要调换边块的色向"), std::string::npos);
    EXPECT_EQ(m().methodChoice, 3);

    user.Clear();
    m().ResetCube();
    m().cube.pieces[1][2] = m().cube.pieces[1][1];  // a piece doubled
    m().ExecuteAndSolve();
    ASSERT_FALSE(user.Messages().empty());
    EXPECT_EQ(user.Messages().back(), "魔方零件错误，不能复原！");
    EXPECT_EQ(m().lastSolveResult, -1);
    EXPECT_EQ(m().methodChoice, 3);
}

}  // namespace
}  // namespace velmora::test
