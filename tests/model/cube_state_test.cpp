#include <gtest/gtest.h>

#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class CubeStateTest : public ModelTest {};

TEST_F(CubeStateTest, AssemblyScores) {
    m().cube.pieces[2][1].twist = 1;
    EXPECT_EQ(m().CheckAssembly(), 100);
    m().cube.pieces[2][1].twist = 2;
    EXPECT_EQ(m().CheckAssembly(), 200);
    m().cube.pieces[4][3].twist = 1;
    EXPECT_EQ(m().CheckAssembly(), 0);

    m().cube.SetSolved();
    m().cube.pieces[3][2].twist = 1;
    EXPECT_EQ(m().CheckAssembly(), 10);
    m().cube.pieces[5][4].twist = 1;
    EXPECT_EQ(m().CheckAssembly(), 0);

    m().cube.SetSolved();
    std::swap(m().cube.pieces[1][1], m().cube.pieces[1][3]);
    EXPECT_EQ(m().CheckAssembly(), 1);

    m().cube.SetSolved();
    std::swap(m().cube.pieces[1][1], m().cube.pieces[2][1]);
    EXPECT_EQ(m().CheckAssembly(), 1);

    m().cube.SetSolved();
    m().cube.pieces[1][2] = m().cube.pieces[1][1];
    EXPECT_GE(m().CheckAssembly(), 300000);
}

TEST_F(CubeStateTest, WholeCubeRotationsScoreZero) {
    for (const char* rot : {"TF", "FR", "TR", "TB", "FP", "TL"}) {
        m().ResetCube();
        m().ApplyToken(rot);
        EXPECT_EQ(m().CheckAssembly(), 0) << rot;
    }
}

TEST_F(CubeStateTest, CentreStickersAndOutOfRangeQueries) {
    EXPECT_EQ(m().StickerColour(0, 0, 0), 1);
    EXPECT_EQ(m().StickerColour(5, 0, 0), 6);
    EXPECT_EQ(m().StickerColour(6, 0, 0), 0);
    EXPECT_EQ(m().StickerColour(-1, 0, 0), 0);
    EXPECT_EQ(m().StickerColour(1, 1, 3), 0);  // an edge has two stickers
    EXPECT_EQ(m().StickerColour(2, 1, 0), 0);
    EXPECT_EQ(m().StickerColour(2, 1, 4), 0);
    m().ApplyToken("TF");
    EXPECT_EQ(m().StickerColour(1, 0, 0), 1);  // the top centre came to the front
}

TEST_F(CubeStateTest, TwistRuleShowsColoursRotated) {
    m().cube.pieces[2][1].twist = 1;  // (c3, c1, c2)
    EXPECT_EQ(m().StickerColour(2, 1, 1), 3);
    EXPECT_EQ(m().StickerColour(2, 1, 2), 1);
    EXPECT_EQ(m().StickerColour(2, 1, 3), 2);
    m().cube.pieces[2][1].twist = 2;  // (c2, c3, c1)
    EXPECT_EQ(m().StickerColour(2, 1, 1), 2);
    m().cube.pieces[1][1].twist = 1;
    EXPECT_EQ(m().StickerColour(1, 1, 1), 2);
    EXPECT_EQ(m().StickerColour(1, 1, 2), 1);
}

TEST_F(CubeStateTest, TablesHoldTheNetAndTheArrangements) {
    EXPECT_EQ(m().OrientationTable[0][1], 1);
    EXPECT_EQ(m().OrientationTable[23][1], 6);
    EXPECT_EQ(m().OrientationTable[23][6], 1);
    // Every arrangement is a permutation with opposite faces opposite.
    const int opposite[7] = {0, 6, 4, 5, 2, 3, 1};
    for (int i = 0; i < 24; ++i) {
        int seen = 0;
        for (int k = 1; k <= 6; ++k) seen |= 1 << m().OrientationTable[i][k];
        EXPECT_EQ(seen, 0x7e);
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(m().OrientationTable[i][opposite[k]], opposite[m().OrientationTable[i][k]]);
    }
    const FaceletRecord& first = m().FaceletTable[0];
    EXPECT_EQ(first.left, 101);
    EXPECT_EQ(first.top, 94);
    EXPECT_EQ(first.right, 123);
    EXPECT_EQ(first.row * 10 + first.col, 23);
    const FaceletRecord& bottomCentre = m().FaceletTable[49];
    EXPECT_EQ(bottomCentre.row, 5);
    EXPECT_EQ(bottomCentre.col, 0);
    EXPECT_EQ(bottomCentre.left, 126);
    EXPECT_EQ(bottomCentre.top, 285);
    const FaceletRecord& repeat = m().FaceletTable[62];
    EXPECT_EQ(repeat.left, 151);
    EXPECT_EQ(repeat.top, 343);
    EXPECT_EQ(repeat.row * 10 + repeat.col, 42);
    EXPECT_EQ(repeat.sticker, 3);
    const FaceletRecord& palette = m().FaceletTable[70];
    EXPECT_EQ(palette.left, 276);
    EXPECT_EQ(palette.top, 40 + 32 * 7);
    EXPECT_EQ(palette.bottom, 67 + 32 * 7);
    EXPECT_EQ(palette.row, 286);
    EXPECT_EQ(palette.sticker, 45 + 32 * 7);
    // Each of the 48 piece stickers appears exactly once among the first 54 cells.
    int count[6][5][4] = {};
    for (int i = 0; i < kFaceletCount; ++i) {
        const FaceletRecord& r = m().FaceletTable[i];
        if (r.col != 0) ++count[r.row][r.col][r.sticker];
    }
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= (IsCornerRow(r) ? 3 : 2); ++k) EXPECT_EQ(count[r][c][k], 1);
}

TEST_F(CubeStateTest, NetCellsShowTheirFaceOnTheSolvedCube) {
    // On the solved cube every sticker of a face block shows that face's colour.
    for (int i = 0; i < kFaceletCount; ++i) {
        const FaceletRecord& r = m().FaceletTable[i];
        int colour = r.col == 0 ? m().StickerColour(r.row, 0, 0)
                                : m().StickerColour(r.row, r.col, r.sticker);
        EXPECT_EQ(colour, i / 9 + 1) << "cell " << i;
    }
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// The assembly score as a bubble sort counts it, for comparison with the model's.
int BubbleScore(const CubeState& s) {
    int twists = 0, flips = 0, seq[26], n = 0;
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c) {
            (IsCornerRow(r) ? twists : flips) += s.pieces[r][c].twist;
            seq[n++] = (s.pieces[r][c].homeRow - 1) * 4 + s.pieces[r][c].homeCol;
        }
    for (int k = 1; k <= 6; ++k) seq[n++] = s.centres[k] + 20;
    int x = 0;
    for (int end = 25; end > 0; --end) {
        bool swapped = false;
        for (int i = 0; i < end; ++i)
            if (seq[i] > seq[i + 1]) { std::swap(seq[i], seq[i + 1]); ++x; swapped = true; }
        if (!swapped) break;
    }
    int base = 0;
    for (int i = 0; i < 26; ++i) if (seq[i] != i + 1) base = 300000;
    return base + 100 * (twists % 3) + 10 * (flips % 2) + x % 2;
}

TEST_F(CubeStateTest, ScoreEqualsTheBubbleSortCountForAnyPieceSet) {
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 20000; ++trial) {
        CubeState& s = m().cube;
        s.SetSolved();
        if (trial % 2 == 0) {
            // A shuffle of the real pieces, kinds possibly mixed.
            for (int i = 19; i > 0; --i) {
                int j = static_cast<int>(rng() % (i + 1));
                std::swap(s.pieces[SlotRow(i)][SlotCol(i)], s.pieces[SlotRow(j)][SlotCol(j)]);
            }
        } else {
            // Doubled and missing pieces.
            for (int i = 0; i < 20; ++i)
                if (rng() % 4 == 0) s.pieces[SlotRow(i)][SlotCol(i)] = PieceSlot{
                    static_cast<int>(rng() % 5) + 1, static_cast<int>(rng() % 4) + 1, 0};
        }
        for (int i = 0; i < 20; ++i)
            s.pieces[SlotRow(i)][SlotCol(i)].twist = static_cast<int>(rng() % (IsCornerRow(SlotRow(i)) ? 3 : 2));
        if (rng() % 3 == 0) std::swap(s.centres[1 + rng() % 6], s.centres[1 + rng() % 6]);
        ASSERT_EQ(m().CheckAssembly(), BubbleScore(s)) << trial;
    }
}

}  // namespace
}  // namespace velmora::test
