#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "support/model_fixture.h"

namespace velmora::test {
namespace {

// Net indices of a few stickers (FaceletTable order).
constexpr int kSlot11Top = 7, kSlot11Front = 10;
constexpr int kSlot12Top = 5, kSlot12Right = 21;
constexpr int kSlot31Front = 14;
constexpr int kSlot21Top = 8, kSlot21Front = 11, kSlot21Right = 24;

class RandomDeal : public ModelTest {
protected:
    static constexpr int kDeals = 100000;
    // The dealt position, before the solve turned anything.
    int DealtScore() {
        CubeState live = m().cube;
        m().cube = m().startState;
        int s = m().CheckAssembly();
        m().cube = live;
        return s;
    }
    static bool Home(const CubeState& s, int r, int c) {
        return s.pieces[r][c].homeRow == r && s.pieces[r][c].homeCol == c && s.pieces[r][c].twist == 0;
    }
};

TEST_F(RandomDeal, WholeCubeDealsAreLegal) {
    for (int i = 0; i < kDeals; ++i) {
        m().Scramble(1);
        ASSERT_EQ(DealtScore(), 0) << CodeOf(m().startState);
    }
}

TEST_F(RandomDeal, TopLayerDealsLeaveTheLowerTwoLayersAndCentresHome) {
    bool topMoved = false;
    for (int i = 0; i < kDeals; ++i) {
        m().Scramble(2);
        ASSERT_EQ(DealtScore(), 0) << CodeOf(m().startState);
        const CubeState& s = m().startState;
        for (int r = 3; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) ASSERT_TRUE(Home(s, r, c)) << CodeOf(s);
        for (int k = 1; k <= 6; ++k) ASSERT_EQ(s.centres[k], k);
        for (int c = 1; c <= 4; ++c) topMoved = topMoved || !Home(s, 1, c) || !Home(s, 2, c);
    }
    EXPECT_TRUE(topMoved);
}

TEST_F(RandomDeal, EdgeDealsLeaveEveryCornerHome) {
    for (int i = 0; i < kDeals; ++i) {
        m().Scramble(3);
        ASSERT_EQ(DealtScore(), 0) << CodeOf(m().startState);
        for (int r : {2, 4})
            for (int c = 1; c <= 4; ++c) ASSERT_TRUE(Home(m().startState, r, c)) << CodeOf(m().startState);
    }
}

TEST_F(RandomDeal, CentreTurnDealsLeavePiecesHomeWithAnEvenTotalAndAreNotSolved) {
    m().RunMoveString(0, "F+;");
    const std::string record(m().SolutionRecord.view());
    int seen[4] = {};
    for (int i = 0; i < 2000; ++i) {
        m().Scramble(4);
        ASSERT_TRUE(PiecesSolved(m().cube));
        int sum = 0;
        for (int k = 1; k <= 6; ++k) {
            ASSERT_TRUE(m().cube.centreTurns[k] >= 0 && m().cube.centreTurns[k] <= 3);
            sum += m().cube.centreTurns[k];
        }
        ASSERT_EQ(sum % 2, 0);
        ++seen[m().cube.centreTurns[6]];
    }
    for (int t = 0; t < 4; ++t) EXPECT_GT(seen[t], 300) << t;
    EXPECT_EQ(m().SolutionRecord.view(), record);
}

TEST_F(RandomDeal, TickCountDiscardsUpToTwoDraws) {
    // A tick count of 1 (or 4) discards one number: the same deal as one drawn by hand.
    m().SeedRandom(31);
    m().Random();
    m().Scramble(1);
    const std::string byHand = CodeOf(m().startState);
    for (int tick : {1, 4}) {
        m().SeedRandom(31);
        static int t;
        t = tick;
        m().tickSource = [] { return t; };
        m().Scramble(1);
        EXPECT_EQ(CodeOf(m().startState), byHand) << tick;
    }
    m().SeedRandom(31);
    m().tickSource = [] { return 2; };
    m().Scramble(1);
    EXPECT_NE(CodeOf(m().startState), byHand);
}

class ColourInput : public ModelTest {
protected:
    int Finish(std::initializer_list<Answer> answers) {
        user.answers.assign(answers);
        user.Clear();
        return m().FinishInput();
    }
    std::string LastQuestion() const {
        for (auto it = user.calls.rbegin(); it != user.calls.rend(); ++it)
            if (it->kind == ScriptedUser::Kind::Message && it->buttons != Buttons::Ok) return it->text;
        return "";
    }
    void Swap(int a, int b) { std::swap(m().facelets[a], m().facelets[b]); }
};

TEST_F(ColourInput, SolvedNetIsAcceptedAsTheSolvedCube) {
    m().RunMoveString(0, "R+;F-;");
    m().BeginInput(1);
    m().inputMode = -1;
    EXPECT_EQ(Finish({}), 1);
    EXPECT_EQ(user.Messages().front(), "魔方设置成功！");
    EXPECT_EQ(CodeOf(m().startState), kSolvedCode);
    EXPECT_EQ(m().inputMode, 0);
}

TEST_F(ColourInput, CountsHoldNineOfEachColourOnTheSolvedNet) {
    m().BeginInput(1);
    m().CountColours();
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(m().colourCounts[c], 9) << c;
    EXPECT_EQ(m().colourCounts[0], 0);
    // Three front stickers painted with the top colour and one with the border mark.
    m().facelets[9] = m().facelets[10] = m().facelets[11] = 1;
    m().facelets[12] = 8;
    m().CountColours();
    EXPECT_EQ(m().colourCounts[1], 12);
    EXPECT_EQ(m().colourCounts[2], 5);
    EXPECT_EQ(m().colourCounts[8], 1);
    // Centre marks are turn counts, not colours.
    m().facelets[13] = 3;
    m().CountColours();
    EXPECT_EQ(m().colourCounts[3], 9);
}

TEST_F(ColourInput, PresetNetOfAnyPositionGivesThePositionBack) {
    std::mt19937 rng(77);
    for (int i = 0; i < 300; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 25);
        const CubeState before = m().cube;
        m().BeginInput(2);
        ASSERT_EQ(Finish({}), 1) << CodeOf(before);
        // The pieces, and the centre turns as the net carried them.
        EXPECT_EQ(CodeOf(m().startState).substr(0, kShortCodeLength), CodeOf(before).substr(0, kShortCodeLength));
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(m().startState.centreTurns[k], before.centreTurns[k]);
    }
}

TEST_F(ColourInput, TurnedCubeIsReadUprightWithTheSameColours) {
    std::mt19937 rng(78);
    for (const char* rotation : {"TF", "FR", "TR", "TB", "RT"}) {
        m().ResetCube();
        RandomTurns(m(), rng, 20);
        m().ApplyToken(rotation);
        m().BeginInput(2);
        int painted[kFaceletCount];
        std::copy(m().facelets, m().facelets + kFaceletCount, painted);
        ASSERT_EQ(Finish({}), 1) << rotation;
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(m().cube.centres[k], k);
        for (int i = 0; i < kFaceletCount; ++i) {
            const FaceletRecord& f = m().FaceletTable[i];
            if (f.col == 0) continue;
            EXPECT_EQ(m().StickerColour(f.row, f.col, f.sticker), painted[i]) << rotation << i;
        }
    }
}

TEST_F(ColourInput, TenStickersOfOneColourStopAtTheCountNamingThatFace) {
    m().BeginInput(1);
    m().facelets[kSlot31Front] = 1;  // a front sticker painted with the top colour
    EXPECT_EQ(Finish({Answer::Yes}), 0);
    EXPECT_EQ(LastQuestion(), "输入魔方T面色块数目错误！是否继续填充魔方颜色？");
    EXPECT_EQ(user.calls.back().buttons, Buttons::YesNo);
    EXPECT_EQ(user.calls.back().icon, Icon::Question);
    EXPECT_EQ(Finish({Answer::No}), -1);
    // A spare mark left on the net fails the same way.
    m().BeginInput(1);
    m().facelets[kSlot31Front] = 9;
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(LastQuestion(), "输入魔方F面色块数目错误！是否继续填充魔方颜色？");
}

TEST_F(ColourInput, FlippedEdgeAsksAndCanBeForcedThroughToTheGroupMethod) {
    m().methodChoice = 2;
    m().BeginInput(1);
    Swap(kSlot11Top, kSlot11Front);
    EXPECT_EQ(Finish({Answer::Cancel, Answer::Yes}), 1);
    ASSERT_GE(user.calls.size(), 3u);
    EXPECT_EQ(user.calls[0].text, "输入魔方装配错误，至少需要调换边块的色向！是否继续填充魔方颜色？");
    EXPECT_EQ(user.calls[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(user.calls[0].icon, Icon::Question);
    EXPECT_EQ(user.calls[1].text, "是否强制接受装配错误的魔方？");
    EXPECT_EQ(user.calls[1].buttons, Buttons::YesNo);
    EXPECT_EQ(user.calls[2].text.rfind("魔方装配错误，不能复原！", 0), 0u);
    EXPECT_EQ(m().methodUsed, 1);
    EXPECT_EQ(m().startState.pieces[1][1].twist, 1);
}

TEST_F(ColourInput, AssemblyQuestionAnswersKeepPaintingOrGiveUp) {
    m().BeginInput(1);
    Swap(kSlot11Top, kSlot11Front);
    EXPECT_EQ(Finish({Answer::Yes}), 0);
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(Finish({Answer::Cancel, Answer::No}), 0);
    EXPECT_EQ(user.calls.size(), 2u);
}

TEST_F(ColourInput, TwistedCornerAndSwappedEdgesGiveTheirQuestions) {
    m().BeginInput(1);
    // Corner 21 shown turned: its three stickers rotated.
    int top = m().facelets[kSlot21Top];
    m().facelets[kSlot21Top] = m().facelets[kSlot21Right];
    m().facelets[kSlot21Right] = m().facelets[kSlot21Front];
    m().facelets[kSlot21Front] = top;
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(LastQuestion(), "输入魔方装配错误，至少需要调换角块的色向！是否继续填充魔方颜色？");

    m().BeginInput(1);
    Swap(kSlot11Top, kSlot12Top);
    Swap(kSlot11Front, kSlot12Right);
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(LastQuestion(), "输入魔方装配错误，需要互换两块的位置！是否继续填充魔方颜色？");
}

TEST_F(ColourInput, RepeatedEdgePairFailsAtTheSecondSlot) {
    m().BeginInput(1);
    // Slot 12 shows the colours of edge 11; a front sticker repainted keeps the counts.
    m().facelets[kSlot12Right] = 2;
    m().facelets[kSlot31Front] = 3;
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(LastQuestion(), "输入魔方的边块12贴色错误！是否继续填充魔方颜色？");
}

TEST_F(ColourInput, EdgesAreMatchedBeforeCorners) {
    m().BeginInput(1);
    // Corner 21 and edge 31 both show a wrong colour; the edge is named.
    m().facelets[kSlot21Right] = 2;
    m().facelets[kSlot31Front] = 3;
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(LastQuestion(), "输入魔方的边块31贴色错误！是否继续填充魔方颜色？");
}

TEST_F(ColourInput, CornerShowingNoPieceNamesItsSlot) {
    m().BeginInput(1);
    // The top sticker of corner 21 and the bottom sticker of corner 41 exchanged.
    Swap(kSlot21Top, 47);
    EXPECT_EQ(Finish({Answer::No}), -1);
    EXPECT_EQ(LastQuestion(), "输入魔方的角块21贴色错误！是否继续填充魔方颜色？");
}

TEST_F(ColourInput, RefusedColouringLeavesThePositionAlone) {
    m().RunMoveString(0, "F+;R-;T*;");
    const std::string before = Code();
    m().BeginInput(1);
    Swap(kSlot11Top, kSlot11Front);
    EXPECT_EQ(Finish({Answer::Yes}), 0);
    EXPECT_EQ(Code(), before);
    m().facelets[kSlot12Right] = 2;
    m().facelets[kSlot31Front] = 3;
    EXPECT_EQ(Finish({Answer::Yes}), 0);
    EXPECT_EQ(Code(), before);
}

TEST_F(ColourInput, CentreMarksBecomeTheCentreTurns) {
    m().BeginInput(1);
    m().facelets[4] = 1;
    m().facelets[13] = 3;
    m().facelets[49] = 2;
    m().centreOnlyMode = 1;
    EXPECT_EQ(Finish({}), 1);
    EXPECT_EQ(CodeOf(m().startState).substr(kShortCodeLength), "130002");
}

TEST_F(ColourInput, MethodIdOptionShowsTheNetInTheAppletAndAcubeNotations) {
    m().showMethodIds = 1;
    m().BeginInput(1);
    m().facelets[0] = 8;  // a border mark shows as the eighth applet letter and "?"
    EXPECT_EQ(Finish({Answer::No}), -1);
    ASSERT_EQ(user.calls.front().kind, ScriptedUser::Kind::CodeDialog);
    EXPECT_EQ(user.calls.front().heading, "第一行是JAVA工具的涂色参数描述；\r\n第二行是ACUBE输入描述。");
    EXPECT_EQ(user.calls.front().text,
              "ddddddddd" "fffffffff" "cccccchcc" "bbbbbbbbb" "eeeeeeeee" "aaaaaaaaa" "\r\n"
              "UF UR UB UL DF DR DB DL FR FL BR BL  UFR URB ?BL ULF DRF DFL DLB DBR  ");
}

}  // namespace
}  // namespace velmora::test
