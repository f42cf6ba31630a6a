#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "solvers/group/group_cases.h"
#include "solvers/group/group_bottom_positions.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

// The driver's turn after the bottom-corner stage: bring the corner of slot 41 home.
void DriverBottomTurn(CTarnexSource& m) {
    switch (m.cube.pieces[4][1].homeCol) {
        case 2: m.ApplyToken("B+"); break;
        case 3: m.ApplyToken("B*"); break;
        case 4: m.ApplyToken("B-"); break;
        default: break;
    }
}

// Sets the bottom corners and fills the bottom edges so that the cube stays legal:
// edges in the given arrangement, with 53 and 54 exchanged when the parities differ.
void SetBottomCorners(CubeState& s, const std::array<int, 4>& cols,
                      const std::array<int, 4>& twists, std::array<int, 4> edges,
                      const std::array<int, 4>& flips) {
    SetRow(s, 4, cols, twists);
    if (IsOdd(cols) != IsOdd(edges)) std::swap(edges[2], edges[3]);
    SetRow(s, 5, edges, flips);
}

std::string FourthStageEntry(int caseNumber) { return "第四阶段ID:" + std::to_string(caseNumber) + "    "; }

TEST(GroupTwistCases, EveryTwistTupleHasOneCaseThatReadsAsItsPattern) {
    std::set<std::pair<int, int>> seen;
    for (int t1 = 0; t1 < 3; ++t1)
        for (int t2 = 0; t2 < 3; ++t2)
            for (int t3 = 0; t3 < 3; ++t3) {
                const group::TwistCase tc = group::TwistCaseOf(t1, t2, t3);
                const int t4 = (6 - t1 - t2 - t3) % 3;
                ASSERT_GE(tc.e, 1);
                ASSERT_LE(tc.e, 8);
                EXPECT_LT(tc.d, kTwistRotations[tc.e]);
                EXPECT_EQ(TwistsOfCase(tc.e, tc.d), (std::array<int, 4>{t1, t2, t3, t4}))
                    << t1 << t2 << t3;
                seen.insert({tc.e, tc.d});
            }
    EXPECT_EQ(seen.size(), 27u);
    // Rotation examples: (2,1,2,1) reads as case 4 from slot 42; (0,2,1,0) as case 6
    // from slot 44.
    EXPECT_EQ(group::TwistCaseOf(2, 1, 2).e, 4);
    EXPECT_EQ(group::TwistCaseOf(2, 1, 2).d, 1);
    EXPECT_EQ(group::TwistCaseOf(0, 2, 1).e, 6);
    EXPECT_EQ(group::TwistCaseOf(0, 2, 1).d, 3);
}

TEST(GroupTwistCases, RingOrderCasesFollowTheOffsetsOfTheSecondAndThirdCorner) {
    for (int h = 1; h <= 6; ++h)
        for (int x = 1; x <= 4; ++x)
            EXPECT_EQ(group::RingOrderCase(x, After(x, kOrderOffsets[h][0]),
                                           After(x, kOrderOffsets[h][1])),
                      h);
    EXPECT_EQ(group::RingOrderCase(2, 2, 3), 1);  // a repeated column counts as in order
}

TEST(GroupBottomCornerTable, HoldsEveryCaseButTheFinishedOneInAscendingOrder) {
    std::vector<int> expected;
    for (int e = 1; e <= 8; ++e)
        for (int h = 1; h <= 6; ++h)
            if (10 * e + h != 11) expected.push_back(10 * e + h);
    std::vector<int> listed;
    for (const group::BottomCornerFormula& f : group::BottomCornerFormulas())
        listed.push_back(f.caseNumber);
    EXPECT_EQ(listed, expected);
}

class GroupBottomCornerRows : public ModelTest,
                              public ::testing::WithParamInterface<group::BottomCornerFormula> {};

// Every rotation of the twist pattern and every placing of the ring, with two
// different bottom-edge arrangements: one call and the driver's bottom turn finish the
// corners and leave rows 1-3 solved.
TEST_P(GroupBottomCornerRows, FinishesTheCornersOfItsCaseInOneCall) {
    const group::BottomCornerFormula& row = GetParam();
    ExpectTableTokens(m(), row.formula);
    EXPECT_NE(row.formula.front(), 'T') << "the pre-turn must turn the bottom";
    const int e = row.caseNumber / 10, h = row.caseNumber % 10;
    for (int d = 0; d < kTwistRotations[e]; ++d) {
        for (int x = 1; x <= 4; ++x) {
            for (int variant = 0; variant < 2; ++variant) {
                m().ResetCube();
                m().methodIdText.Assign("解法各阶段    ");
                SetBottomCorners(m().cube, ColumnsOfCase(h, d, x), TwistsOfCase(e, d),
                                 variant == 0 ? std::array<int, 4>{1, 2, 3, 4}
                                              : std::array<int, 4>{3, 1, 4, 2},
                                 variant == 0 ? std::array<int, 4>{0, 0, 0, 0}
                                              : std::array<int, 4>{1, 0, 1, 0});
                ASSERT_EQ(m().CheckAssembly(), 0);
                const std::size_t before = m().methodIdText.size();
                m().GroupBottomCorners();
                EXPECT_EQ(EntryAfter(m(), before), FourthStageEntry(row.caseNumber)) << "d " << d;
                DriverBottomTurn(m());
                const CubeState& s = m().cube;
                EXPECT_TRUE(RowSolved(s, 1) && RowSolved(s, 2) && RowSolved(s, 3))
                    << "rows 1-3 disturbed, d " << d << " x " << x << " variant " << variant;
                EXPECT_TRUE(RowSolved(s, 4))
                    << "corners not finished, d " << d << " x " << x << " variant " << variant;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllRows, GroupBottomCornerRows, ::testing::ValuesIn(group::BottomCornerFormulas().begin(),
                                                        group::BottomCornerFormulas().end()),
    [](const ::testing::TestParamInfo<group::BottomCornerFormula>& info) {
        return "Case" + std::to_string(info.param.caseNumber);
    });

class GroupBottomCorners : public ModelTest {};

TEST_F(GroupBottomCorners, FinishedCornersLogABlankAndApplyNothing) {
    m().methodIdText.Assign("解法各阶段    ");
    m().GroupBottomCorners();
    EXPECT_EQ(m().methodIdText.view(), "解法各阶段     ");
    EXPECT_TRUE(m().moveRecord.empty());
    EXPECT_EQ(m().turnCounter, 0);
}

TEST_F(GroupBottomCorners, RingInOrderButTurnedIsCaseElevenAndTheDriverTurnFinishesIt) {
    m().ApplyToken("B+");
    m().moveRecord.Clear();
    m().methodIdText.Clear();
    m().GroupBottomCorners();
    EXPECT_EQ(m().methodIdText.view(), " ");
    EXPECT_TRUE(m().moveRecord.empty());
    DriverBottomTurn(m());
    EXPECT_EQ(m().moveRecord.view(), "B-;");
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(GroupBottomCorners, PreTurnOfTheRotationMergesIntoTheLeadingBottomMove) {
    // Twists (2,1,2,1) are case 4 read from slot 42: pre-turn 1 with case 41 (k = 0),
    // whose leading "B-" becomes "B*".
    SetBottomCorners(m().cube, {1, 2, 3, 4}, {2, 1, 2, 1}, {1, 2, 3, 4}, {0, 0, 0, 0});
    m().methodIdText.Clear();
    m().GroupBottomCorners();
    EXPECT_EQ(m().methodIdText.view(), FourthStageEntry(41));
    EXPECT_EQ(m().moveRecord.view(), "B*;R-;B*;R+;B+;R-;B-;R+;B+;R-;B+;R+;");
    EXPECT_EQ(m().turnCounter, 12);
}

TEST_F(GroupBottomCorners, PreTurnAboveThreeIsTakenModuloFour) {
    // Case 36 (k = 3) at rotation 3: pre-turn 6, one half turn of the bottom before a
    // formula that begins with a side move.
    SetBottomCorners(m().cube, ColumnsOfCase(6, 3, 1), TwistsOfCase(3, 3), {1, 2, 3, 4},
                     {0, 0, 0, 0});
    m().methodIdText.Clear();
    m().GroupBottomCorners();
    EXPECT_EQ(m().methodIdText.view(), FourthStageEntry(36));
    EXPECT_EQ(m().moveRecord.view().substr(0, 9), "B*;L-;B*;");
}

}  // namespace
}  // namespace velmora::test
