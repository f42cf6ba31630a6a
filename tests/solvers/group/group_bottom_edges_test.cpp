#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "solvers/group/group_bottom_positions.h"
#include "solvers/group/group_cases.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

std::string FifthStageEntry(int caseNumber) { return "第五阶段ID:" + std::to_string(caseNumber) + "    "; }

// The bottom row of a case number: the edges at 51 and 52 and the twists of 51-53 as
// its digits, 53 and 54 holding the other two edges in the order that keeps the
// arrangement even, the twist of 54 making the sum even.
void SetBottomEdgesOfCase(CubeState& s, int caseNumber) {
    const int c51 = caseNumber / 10000, c52 = caseNumber / 1000 % 10;
    const int w51 = caseNumber / 100 % 10, w52 = caseNumber / 10 % 10, w53 = caseNumber % 10;
    std::array<int, 4> cols{c51, c52, 0, 0};
    int n = 2;
    for (int c = 1; c <= 4; ++c)
        if (c != c51 && c != c52) cols[n++] = c;
    if (IsOdd(cols)) std::swap(cols[2], cols[3]);
    SetRow(s, 5, cols, {w51, w52, w53, (w51 + w52 + w53) % 2});
}

TEST(GroupBottomEdgeTable, HoldsEveryLegalCaseButTheSolvedOneInAscendingOrder) {
    std::vector<int> expected;
    for (int c51 = 1; c51 <= 4; ++c51)
        for (int c52 = 1; c52 <= 4; ++c52)
            for (int w = 0; w < 8; ++w)
                if (c51 != c52 && !(c51 == 1 && c52 == 2 && w == 0))
                    expected.push_back(10000 * c51 + 1000 * c52 + 100 * (w >> 2) +
                                       10 * (w >> 1 & 1) + (w & 1));
    std::vector<int> listed;
    for (const group::CaseFormula& f : group::BottomEdgeFormulas()) listed.push_back(f.caseNumber);
    EXPECT_EQ(listed, expected);
}

class GroupBottomEdgeRows : public ModelTest,
                            public ::testing::WithParamInterface<group::CaseFormula> {};

TEST_P(GroupBottomEdgeRows, FinishesTheCubeFromItsCaseInOneCall) {
    const group::CaseFormula& row = GetParam();
    ExpectTableTokens(m(), row.formula);
    SetBottomEdgesOfCase(m().cube, row.caseNumber);
    ASSERT_EQ(m().CheckAssembly(), 0);
    m().methodIdText.Clear();
    m().GroupBottomEdges();
    EXPECT_EQ(m().methodIdText.view(), FifthStageEntry(row.caseNumber));
    EXPECT_TRUE(PiecesSolved(m().cube)) << Code();
    EXPECT_GT(m().turnCounter, 0);
}

INSTANTIATE_TEST_SUITE_P(AllRows, GroupBottomEdgeRows,
                         ::testing::ValuesIn(group::BottomEdgeFormulas().begin(),
                                             group::BottomEdgeFormulas().end()),
                         [](const ::testing::TestParamInfo<group::CaseFormula>& info) {
                             return "Case" + std::to_string(info.param.caseNumber);
                         });

class GroupBottomEdges : public ModelTest {};

TEST_F(GroupBottomEdges, SolvedBottomRowLogsABlankAndApplyNothing) {
    m().methodIdText.Assign("解法各阶段    ");
    m().GroupBottomEdges();
    EXPECT_EQ(m().methodIdText.view(), "解法各阶段     ");
    EXPECT_TRUE(m().moveRecord.empty());
}

TEST_F(GroupBottomEdges, NumberOutsideTheTableLogsABlankAndApplyNothing) {
    // Two slots holding the same edge: case 11000, which no legal cube reaches.
    SetRow(m().cube, 5, {1, 1, 3, 4}, {0, 0, 0, 0});
    m().methodIdText.Clear();
    m().GroupBottomEdges();
    EXPECT_EQ(m().methodIdText.view(), " ");
    EXPECT_TRUE(m().moveRecord.empty());
}

TEST_F(GroupBottomEdges, ThreeCyclesInEitherDirectionAreOneFormulaEach) {
    // 51 <- 53 <- 52 and 51 <- 52 <- 53 with all twists 0.
    for (auto [cols, caseNumber] : {std::pair{std::array<int, 4>{3, 1, 2, 4}, 31000},
                                    std::pair{std::array<int, 4>{2, 3, 1, 4}, 23000}}) {
        m().ResetCube();
        SetRow(m().cube, 5, cols, {0, 0, 0, 0});
        m().methodIdText.Clear();
        m().GroupBottomEdges();
        EXPECT_EQ(m().methodIdText.view(), FifthStageEntry(caseNumber));
        EXPECT_TRUE(PiecesSolved(m().cube));
    }
}

TEST_F(GroupBottomEdges, ImpossibleBottomRowIsClassifiedAndLeftUnsolved) {
    // One edge flipped alone reads as case 12100, whose formula flips two.
    SetRow(m().cube, 5, {1, 2, 3, 4}, {1, 0, 0, 0});
    m().methodIdText.Clear();
    m().GroupBottomEdges();
    EXPECT_EQ(m().methodIdText.view(), FifthStageEntry(12100));
    EXPECT_FALSE(PiecesSolved(m().cube));
    for (int r = 1; r <= 4; ++r) EXPECT_TRUE(RowSolved(m().cube, r));
}

// Seeded random bottom layers on a cube whose rows 1-3 are solved: one bottom-corner
// call, the driver's bottom turn and one bottom-edge call restore the cube.
TEST_F(GroupBottomEdges, RandomBottomLayersAreRestoredByTheLastTwoStages) {
    std::mt19937 rng(20240611);
    for (int n = 0; n < 3000; ++n) {
        std::array<int, 4> corners{1, 2, 3, 4}, edges{1, 2, 3, 4};
        std::shuffle(corners.begin(), corners.end(), rng);
        std::shuffle(edges.begin(), edges.end(), rng);
        if (IsOdd(corners) != IsOdd(edges)) std::swap(edges[0], edges[1]);
        std::array<int, 4> twists{}, flips{};
        for (int i = 0; i < 3; ++i) {
            twists[i] = static_cast<int>(rng() % 3);
            flips[i] = static_cast<int>(rng() % 2);
        }
        twists[3] = (6 - twists[0] - twists[1] - twists[2]) % 3;
        flips[3] = (flips[0] + flips[1] + flips[2]) % 2;
        m().ResetCube();
        SetRow(m().cube, 4, corners, twists);
        SetRow(m().cube, 5, edges, flips);
        ASSERT_EQ(m().CheckAssembly(), 0);
        const std::string start = Code();
        m().GroupBottomCorners();
        switch (m().cube.pieces[4][1].homeCol) {
            case 2: m().ApplyToken("B+"); break;
            case 3: m().ApplyToken("B*"); break;
            case 4: m().ApplyToken("B-"); break;
            default: break;
        }
        ASSERT_TRUE(RowSolved(m().cube, 4)) << start;
        m().GroupBottomEdges();
        ASSERT_TRUE(PiecesSolved(m().cube)) << start;
    }
}

}  // namespace
}  // namespace velmora::test
