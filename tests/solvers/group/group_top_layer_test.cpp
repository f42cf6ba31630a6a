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

constexpr std::string_view kHeader = "解法各阶段    ";

std::string EntryA(int caseNumber) { return "第七A阶段ID:" + std::to_string(caseNumber) + "    "; }

// Arranges the top edges so that the whole arrangement stays even: the two slots after
// the fixed ones are exchanged when the parity of the edges differs from the corners'.
void SetTopLayer(CubeState& s, const std::array<int, 4>& corners,
                 const std::array<int, 4>& twists, std::array<int, 4> edges,
                 const std::array<int, 4>& flips, int swapA, int swapB) {
    if (IsOdd(corners) != IsOdd(edges)) std::swap(edges[swapA], edges[swapB]);
    SetRow(s, 2, corners, twists);
    SetRow(s, 1, edges, flips);
}

// The moves of step 7A: the record up to the separator between the steps.
std::string_view EdgeTwistMoves(const CTarnexSource& m) {
    std::string_view record = m.moveRecord.view();
    return record.substr(0, record.find("# #"));
}

bool CornersInRingOrder(const CubeState& s) {
    for (int c = 2; c <= 4; ++c)
        if (s.pieces[2][c].homeCol != After(s.pieces[2][1].homeCol, c - 1)) return false;
    return true;
}

TEST(GroupTopLayerTables, HoldEveryLegalCaseButTheFinishedOneInAscendingOrder) {
    std::vector<int> expectedA, listedA, expectedB, listedB;
    for (int h = 1; h <= 4; ++h)
        for (int t = 1; t <= 6; ++t)
            if (10 * h + t != 11) expectedA.push_back(10 * h + t);
    for (int i = 1; i <= 8; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                if (j != k && 100 * i + 10 * j + k != 101) expectedB.push_back(100 * i + 10 * j + k);
    for (const group::CaseFormula& f : group::EdgeTwistFormulas()) listedA.push_back(f.caseNumber);
    for (const group::CaseFormula& f : group::CornerTwistFormulas()) listedB.push_back(f.caseNumber);
    EXPECT_EQ(listedA, expectedA);
    EXPECT_EQ(listedB, expectedB);
    // Only these formulas begin without a top move, and so take no pre-turn.
    std::vector<int> withoutTop;
    for (const group::CaseFormula& f : group::EdgeTwistFormulas())
        if (f.formula.front() != 'T') withoutTop.push_back(f.caseNumber);
    for (const group::CaseFormula& f : group::CornerTwistFormulas())
        if (f.formula.front() != 'T') withoutTop.push_back(f.caseNumber);
    EXPECT_EQ(withoutTop, (std::vector<int>{16, 110, 123, 132}));
}

auto RowName = [](const ::testing::TestParamInfo<group::CaseFormula>& info) {
    return "Case" + std::to_string(info.param.caseNumber);
};

class GroupEdgeTwistRows : public ModelTest,
                           public ::testing::WithParamInterface<group::CaseFormula> {};

// Each rotation of the flipped edges, each placing of the corner ring, and random
// corner twists and edge places: step 7A leaves the top edges unflipped and the
// corners in ring order without touching rows 3-5, and the call ends solved.
TEST_P(GroupEdgeTwistRows, UnflipsTheEdgesAndOrdersTheCornersOfItsCase) {
    const group::CaseFormula& row = GetParam();
    ExpectTableTokens(m(), row.formula);
    const int h = row.caseNumber / 10, t = row.caseNumber % 10;
    const int rotations = h == 2 ? 4 : h == 3 ? 2 : 1;
    std::mt19937 rng(static_cast<unsigned>(row.caseNumber));
    for (int l = 0; l < rotations; ++l) {
        std::array<int, 4> flips{};
        if (h == 4) flips = {1, 1, 1, 1};
        if (h == 2) flips[l] = flips[(l + 1) % 4] = 1;
        if (h == 3) flips[l] = flips[l + 2] = 1;
        for (int x = 1; x <= 4; ++x) {
            for (int variant = 0; variant < 3; ++variant) {
                std::array<int, 4> twists{}, edges{1, 2, 3, 4};
                for (int n = 0; n < 3; ++n) twists[n] = static_cast<int>(rng() % 3);
                twists[3] = (6 - twists[0] - twists[1] - twists[2]) % 3;
                std::shuffle(edges.begin(), edges.end(), rng);
                m().ResetCube();
                SetTopLayer(m().cube, ColumnsOfCase(t, l, x), twists, edges, flips, 0, 1);
                ASSERT_EQ(m().CheckAssembly(), 0);
                const CubeState start = m().cube;
                m().methodIdText.Assign(kHeader);
                m().GroupTopLayer();
                const std::string entry = EntryAfter(m(), kHeader.size());
                EXPECT_EQ(entry.substr(0, EntryA(row.caseNumber).size()), EntryA(row.caseNumber))
                    << "l " << l;
                EXPECT_TRUE(PiecesSolved(m().cube)) << "l " << l << " x " << x;

                // Replay step 7A alone from the start.
                const std::string moves(EdgeTwistMoves(m()));
                m().cube = start;
                m().RunMoveString(0, moves);
                const CubeState& s = m().cube;
                for (int r = 3; r <= 5; ++r) EXPECT_TRUE(RowSolved(s, r)) << "row " << r;
                for (int c = 1; c <= 4; ++c) {
                    EXPECT_EQ(s.pieces[1][c].homeRow, 1);
                    EXPECT_EQ(s.pieces[1][c].twist, 0) << "edge at 1" << c << " flipped, l " << l;
                    EXPECT_EQ(s.pieces[2][c].homeRow, 2);
                }
                EXPECT_TRUE(CornersInRingOrder(s)) << "l " << l << " x " << x;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllRows, GroupEdgeTwistRows,
                         ::testing::ValuesIn(group::EdgeTwistFormulas().begin(),
                                             group::EdgeTwistFormulas().end()),
                         RowName);

class GroupCornerTwistRows : public ModelTest,
                             public ::testing::WithParamInterface<group::CaseFormula> {};

// Edges unflipped and corners in ring order (so step 7A has nothing to do), each
// rotation of the corner twists and each turn of the layer: step 7B and the final top
// turn finish the cube.
TEST_P(GroupCornerTwistRows, FinishesTheLayerFromItsCase) {
    const group::CaseFormula& row = GetParam();
    ExpectTableTokens(m(), row.formula);
    const int i = row.caseNumber / 100, j = row.caseNumber / 10 % 10, k = row.caseNumber % 10;
    for (int g = 0; g < kTwistRotations[i]; ++g) {
        for (int c = 1; c <= 4; ++c) {
            const std::array<int, 4> corners{c, After(c, 1), After(c, 2), After(c, 3)};
            const int u = After(c, g + j), v = After(c, g + k);
            std::array<int, 4> edges{};
            edges[g] = u;
            edges[(g + 1) % 4] = v;
            int n = 2;
            for (int col = 1; col <= 4; ++col)
                if (col != u && col != v) edges[(g + n++) % 4] = col;
            m().ResetCube();
            SetTopLayer(m().cube, corners, TwistsOfCase(i, g), edges, {0, 0, 0, 0}, (g + 2) % 4,
                        (g + 3) % 4);
            ASSERT_EQ(m().CheckAssembly(), 0);
            m().methodIdText.Assign(kHeader);
            m().GroupTopLayer();
            const std::string prefix = " 第七B阶段ID:" + std::to_string(row.caseNumber) + " " +
                                       std::to_string(g) + std::to_string(c) + " ";
            EXPECT_EQ(EntryAfter(m(), kHeader.size()).substr(0, prefix.size()), prefix);
            EXPECT_TRUE(PiecesSolved(m().cube)) << "g " << g << " c " << c;
            EXPECT_TRUE(m().moveRecord.view().starts_with("# #"));
            EXPECT_TRUE(m().moveRecord.view().ends_with("###"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllRows, GroupCornerTwistRows,
                         ::testing::ValuesIn(group::CornerTwistFormulas().begin(),
                                             group::CornerTwistFormulas().end()),
                         RowName);

class GroupTopLayer : public ModelTest {};

TEST_F(GroupTopLayer, SolvedCubeReturnsAtOnce) {
    m().methodIdText.Assign(kHeader);
    m().GroupTopLayer();
    EXPECT_EQ(m().methodIdText.view(), kHeader);
    EXPECT_TRUE(m().moveRecord.empty());
}

TEST_F(GroupTopLayer, TurnedTopIsAlignedByOneTurnBetweenBlankEntries) {
    m().ApplyToken("T+");
    m().moveRecord.Clear();
    m().methodIdText.Assign(kHeader);
    m().GroupTopLayer();
    EXPECT_EQ(m().methodIdText.view(), std::string(kHeader) + "  ");
    EXPECT_EQ(m().moveRecord.view(), "# #T-;###");
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(GroupTopLayer, AdjacentFlippedEdgesRunWithTheirLeadingTopMoveUnchanged) {
    SetRow(m().cube, 1, {1, 2, 3, 4}, {1, 1, 0, 0});
    m().methodIdText.Clear();
    m().GroupTopLayer();
    EXPECT_TRUE(m().methodIdText.view().starts_with(EntryA(21)));
    EXPECT_EQ(EdgeTwistMoves(m()), "T-;F+;R+;P-;R+;P+;R*;F-;");
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(GroupTopLayer, OppositeFlippedEdgesMergeThePreTurnIntoTheLeadingTopMove) {
    // Edges 12 and 14 flipped: rotation 1, pre-turn 3 merged into "T0;" of case 31.
    SetRow(m().cube, 1, {1, 2, 3, 4}, {0, 1, 0, 1});
    m().methodIdText.Clear();
    m().GroupTopLayer();
    EXPECT_TRUE(m().methodIdText.view().starts_with(EntryA(31)));
    EXPECT_TRUE(EdgeTwistMoves(m()).starts_with("T+;F+;T+;F-;R-;L+;B+;F-;B-;R+;L-;"));
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(GroupTopLayer, CornerTwistEntryListsItsSixteenNumbers) {
    SetRow(m().cube, 2, {1, 2, 3, 4}, {2, 2, 2, 0});
    m().methodIdText.Clear();
    m().GroupTopLayer();
    EXPECT_EQ(m().methodIdText.view(), " 第七B阶段ID:201 01 1234 2220 112   ");
    EXPECT_TRUE(PiecesSolved(m().cube));

    m().ResetCube();
    SetRow(m().cube, 2, {1, 2, 3, 4}, {0, 2, 2, 2});
    m().methodIdText.Clear();
    m().GroupTopLayer();
    EXPECT_EQ(m().methodIdText.view(), " 第七B阶段ID:201 11 1234 0222 223   ");
    EXPECT_TRUE(PiecesSolved(m().cube));
}

// Seeded random top layers over solved rows 3-5: one call restores the cube, with the
// step separator once and the end separator last.
TEST_F(GroupTopLayer, RandomTopLayersAreRestoredInOneCall) {
    std::mt19937 rng(777);
    for (int n = 0; n < 3000; ++n) {
        std::array<int, 4> corners{1, 2, 3, 4}, edges{1, 2, 3, 4}, twists{}, flips{};
        std::shuffle(corners.begin(), corners.end(), rng);
        std::shuffle(edges.begin(), edges.end(), rng);
        for (int i = 0; i < 3; ++i) {
            twists[i] = static_cast<int>(rng() % 3);
            flips[i] = static_cast<int>(rng() % 2);
        }
        twists[3] = (6 - twists[0] - twists[1] - twists[2]) % 3;
        flips[3] = (flips[0] + flips[1] + flips[2]) % 2;
        m().ResetCube();
        SetTopLayer(m().cube, corners, twists, edges, flips, 2, 3);
        ASSERT_EQ(m().CheckAssembly(), 0);
        const std::string start = Code();
        m().GroupTopLayer();
        if (start == kSolvedCode) continue;
        ASSERT_TRUE(PiecesSolved(m().cube)) << start;
        const std::string_view record = m().moveRecord.view();
        EXPECT_EQ(record.find("# #"), record.rfind("# #")) << start;
        EXPECT_TRUE(record.ends_with("###")) << start;
    }
}

}  // namespace
}  // namespace velmora::test
