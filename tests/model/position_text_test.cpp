#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class PositionText : public ModelTest {
protected:
    // The solved code with the three digits of one slot (index in code order) replaced.
    static std::string WithTriple(int slotIndex, const char* triple) {
        std::string code = kSolvedCode;
        code.replace(static_cast<std::size_t>(3 * slotIndex), 3, triple);
        return code;
    }
    std::string StartCode() const { return std::string(model->SolutionRecord.view().substr(0, kCodeLength)); }
    bool IsTableRow(const CubeState& s) const {
        for (int r = 0; r < 24; ++r) {
            bool same = true;
            for (int k = 1; k <= 6; ++k) same = same && model->OrientationTable[r][k] == s.centres[k];
            if (same) return true;
        }
        return false;
    }
};

TEST_F(PositionText, SolvedCodeLoadsTheSolvedCubeAndSolvesIt) {
    m().RunMoveString(0, "F+;R+;");
    m().LoadPositionText(kSolvedCode);
    EXPECT_EQ(StartCode(), kSolvedCode);
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    // A code defines the position outright: no earlier moves are kept with it.
    EXPECT_TRUE(m().commandText.empty());
    EXPECT_TRUE(user.Messages().empty());
}

TEST_F(PositionText, EverythingAfterTheCodeIsIgnored) {
    std::string code = "120321140340231421440242130520330511220210430412310110530540123456113000";
    m().LoadPositionText(code + " 03 R+;T-;F-;\r\n<HTML><HEAD>FR BL");
    EXPECT_EQ(StartCode(), code);
}

TEST_F(PositionText, CentresAfterTheFirstTwoComeFromTheOrientationTable) {
    std::string code = kSolvedCode;
    code.replace(62, 4, "6543");
    m().LoadPositionText(code);
    EXPECT_EQ(StartCode().substr(60, 6), "123456");

    code = kSolvedCode;
    code.replace(60, 6, "360000");
    m().LoadPositionText(code);
    EXPECT_EQ(StartCode().substr(60, 6), "364125");
}

TEST_F(PositionText, ImpossibleCentrePairGetsARandomLegalOrientation) {
    for (const char* pair : {"16", "11", "70", "//"}) {
        std::string code = kSolvedCode;
        code.replace(60, 2, pair);
        code.replace(66, 6, "123123");
        m().SeedRandom(99);
        const int g = m().Random() % 6;
        const int member = m().Random() % 4;
        m().SeedRandom(99);
        m().LoadPositionText(code);
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(m().startState.centres[k], m().OrientationTable[4 * g + member][k]) << pair;
            EXPECT_EQ(m().startState.centreTurns[k] % 2, 0) << pair;  // 0, or the bottom fix-up
        }
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(m().startState.centreTurns[k], 0) << pair;
    }
}

TEST_F(PositionText, CentreTurnDigitsAreReducedOrZeroed) {
    std::string code = kSolvedCode;
    code.replace(66, 6, "5/:3a0");  // 5 -> 1, '/' below '0' -> 0, ':' (10) -> 2, 'a' (49) -> 1
    m().centreOnlyMode = 1;         // keeps the start code exactly as loaded
    m().LoadPositionText(code);
    EXPECT_EQ(StartCode().substr(66), "102310");
}

struct TripleRepair {
    int slotIndex;         // code order: 0 is slot 11, 4 slot 21, 8 slot 31
    const char* triple;    // digits written in its place
    const char* expected;  // the triple read back
};

class PositionTextRepair : public PositionText, public ::testing::WithParamInterface<TripleRepair> {};

TEST_P(PositionTextRepair, DigitsOutsideTheSlotKindAreRepaired) {
    const TripleRepair& row = GetParam();
    m().LoadPositionText(WithTriple(row.slotIndex, row.triple));
    EXPECT_EQ(StartCode().substr(static_cast<std::size_t>(3 * row.slotIndex), 3), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PositionTextRepair,
    ::testing::Values(TripleRepair{8, "390", "310"},   // column 9 becomes 1
                      TripleRepair{8, "352", "310"},   // column 5 -> 1, twist 2 on an edge -> 0
                      TripleRepair{8, "212", "110"},   // corner row on an edge slot -> 1
                      TripleRepair{4, "250", "210"},   // column 5 -> 1
                      TripleRepair{4, "343", "240"},   // edge row on a corner slot -> 2, twist 3 -> 0
                      TripleRepair{4, "4/2", "412"},   // column below '1' -> 1
                      TripleRepair{1, "5 1", "511"},   // blank column -> 1
                      TripleRepair{12, "x~9", "210"}));  // nothing usable on a bottom corner slot

TEST_F(PositionText, ShortCodeIsPaddedAndRepaired) {
    m().LoadPositionText("11");
    // Every slot gets a piece of its own kind; the centres a legal orientation.
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(IsCornerRow(m().startState.pieces[r][c].homeRow), IsCornerRow(r));
    EXPECT_TRUE(IsTableRow(m().startState));
    // The doubled pieces are a parts error for the solve.
    EXPECT_EQ(user.Messages().back(), "魔方零件错误，不能复原！");
}

TEST_F(PositionText, TextNotStartingAsAnEdgeTripleIsAMoveString) {
    // 21 and 39 cannot start a code: the text runs as moves, which the digits spoil.
    for (const char* head : {"21", "39"}) {
        user.Clear();
        m().RunMoveString(0, "F+;");
        m().LoadPositionText(std::string(head) + (kSolvedCode + 2));
        EXPECT_EQ(user.Messages().front(), "文件中没有转动魔方的数据") << head;
        EXPECT_EQ(user.calls.front().icon, Icon::Stop);
        EXPECT_EQ(StartCode(), kSolvedCode) << head;
    }
}

TEST_F(PositionText, MovesStartFromTheSolvedCubeUnlessTheyContinue) {
    m().RunMoveString(0, "R+;");
    m().LoadPositionText("F+;T+;");
    EXPECT_EQ(StartCode(), "120130140340220230440242111320330511212420430412310520530540123456110000");
    EXPECT_EQ(m().commandText.view(), "F+;T+;");

    m().ResetCube();
    m().RunMoveString(0, "R+;");
    m().LoadPositionText("CONT,F+;");
    m().ResetCube();
    m().RunMoveString(0, "R+;F+;");
    EXPECT_EQ(StartCode(), Code());
    EXPECT_TRUE(user.Messages().empty());
}

TEST_F(PositionText, LetteringTextResetsAppliesThePatternAndTakesTheFixedSolution) {
    m().RunMoveString(0, "L+;");
    m().LoadPositionText("TALWEN;");
    EXPECT_EQ(StartCode().substr(0, kShortCodeLength), m().talwenCodes[0]);
    EXPECT_EQ(m().methodUsed, 0);
    EXPECT_EQ(m().lastSolveTurns, 17);
}

TEST_F(PositionText, WordsWithoutMovesGiveTheMessageAndTheSolvedCube) {
    m().RunMoveString(0, "F+;R-;");
    m().LoadPositionText("<HTML><HEAD><TITLE>hello</TITLE></HEAD>");
    EXPECT_EQ(user.Messages().front(), "文件中没有转动魔方的数据");
    EXPECT_EQ(StartCode(), kSolvedCode);
    user.Clear();
    // A continuing text without moves leaves the cube where it was.
    m().RunMoveString(0, "F+;");
    std::string before = Code();
    m().LoadPositionText("CONT");
    EXPECT_EQ(user.Messages().front(), "文件中没有转动魔方的数据");
    EXPECT_EQ(StartCode(), before);
}

TEST_F(PositionText, OverlongMoveTextIsCutBetweenTokens) {
    std::string text;
    while (text.size() < 20000) text += "T+;";
    m().LoadPositionText(text);
    // 3,331 whole tokens fit after the reset prefix; an odd count of quarter turns.
    EXPECT_EQ(StartCode(), "140110120130240210220230310320330340410420430440510520530540123456300000");
}

TEST_F(PositionText, GarbageOfAnyBytesNeverBreaksTheModel) {
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        std::string text(rng() % 120, '\0');
        for (char& c : text) c = static_cast<char>(rng() % 256);
        if (i % 3 == 0 && text.size() >= 2) { text[0] = "135"[rng() % 3]; text[1] = static_cast<char>('1' + rng() % 4); }
        m().LoadPositionText(text);
        const CubeState& s = m().startState;
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) {
                ASSERT_EQ(IsCornerRow(s.pieces[r][c].homeRow), IsCornerRow(r));
                ASSERT_GE(s.pieces[r][c].homeCol, 1);
                ASSERT_LE(s.pieces[r][c].homeCol, 4);
                ASSERT_LT(s.pieces[r][c].twist, IsCornerRow(r) ? 3 : 2);
            }
        ASSERT_TRUE(IsTableRow(s));
        for (int k = 1; k <= 6; ++k) ASSERT_TRUE(s.centreTurns[k] >= 0 && s.centreTurns[k] <= 3);
    }
}

class DescribeFacelet : public ModelTest {
protected:
    std::string Describe(int index) {
        user.Clear();
        m().DescribeFacelet(index);
        EXPECT_EQ(user.calls.size(), 1u);
        EXPECT_EQ(user.calls.back().buttons, Buttons::Ok);
        EXPECT_EQ(user.calls.back().text, std::string(m().statusText.view()));
        return std::string(m().statusText.view());
    }
};

TEST_F(DescribeFacelet, PieceStickersOfAnUprightCube) {
    // Index 10 is the front sticker of slot 11.
    EXPECT_EQ(Describe(10), "当前位置112：小块已复原！");
    m().cube.pieces[2][1].twist = 1;
    EXPECT_EQ(Describe(8), "当前位置211：小块位置正确，色向为1。");
    m().ResetCube();
    m().ApplyToken("F+");
    // Slot 41 holds corner 21 twisted twice; corner 41 went on to slot 44.
    EXPECT_EQ(Describe(17), "当前位置411上是21小块，色向为2。\r\n需要把44位上的小块移到此处，它的色向为2。");
    // The repeated cells describe the slot they repeat: 43/1 below the bottom.
    m().ResetCube();
    EXPECT_EQ(Describe(60), "当前位置431：小块已复原！");
}

TEST_F(DescribeFacelet, CentreStickersReportTheTurnStillNeeded) {
    EXPECT_EQ(Describe(4), "在此处按右键可以改变T面颜色！中心小块需要转720度。");
    m().cube.centreTurns[6] = 1;
    EXPECT_EQ(Describe(49), "在此处按右键可以改变B面颜色！中心小块需要转630度。");
}

TEST_F(DescribeFacelet, TurnedCubeAsksToBeSetUpright) {
    m().ApplyToken("TF");
    std::string text = Describe(10);
    EXPECT_NE(text.find("\r\n请先摆正整个魔方！"), std::string::npos);
    EXPECT_EQ(text.rfind("当前位置112上是", 0), 0u);
    EXPECT_EQ(Describe(13), "请先摆正整个魔方！中心小块需要转720度。");
}

TEST_F(DescribeFacelet, DoubledPieceNamesTheMissingPiece) {
    // Slot 12 holds a second piece 11; piece 12 is nowhere.
    m().cube.pieces[1][2] = PieceSlot{1, 1, 0};
    EXPECT_EQ(Describe(5), "当前位置121上是11小块，色向为0。\r\n魔方中没有12小块，零件有错！");
}

TEST_F(DescribeFacelet, PaletteAndOutOfRangeIndicesShowNothing) {
    for (int index : {-1, 63, 70, 1000}) {
        m().DescribeFacelet(index);
        EXPECT_TRUE(user.calls.empty()) << index;
    }
}

}  // namespace
}  // namespace velmora::test
