// What the three dialogs compute, without a window: the two notations of a typed
// sequence, the command-string and pattern forms, and the edits of the modify dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "document/command_string_form.h"
#include "document/cube_modifier.h"
#include "document/move_format.h"
#include "document/pattern_table.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

std::string CodeOf(const CubeState& s) {
    char buf[kCodeLength + 1];
    CTarnexSource::WritePositionCode(s, buf);
    return buf;
}

// ---- Format ----

struct FormatCase {
    const char* input;
    const char* own;
    const char* ownReverse;
    const char* international;
    const char* internationalReverse;
};

class FormatCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatCases, GiveTheFourRenderings) {
    const FormatCase& c = GetParam();
    const MoveRenderings r = FormatMoves(c.input);
    EXPECT_EQ(r.ownForward, c.own);
    EXPECT_EQ(r.ownReverse, c.ownReverse);
    EXPECT_EQ(r.internationalForward, c.international);
    EXPECT_EQ(r.internationalReverse, c.internationalReverse);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatCases,
    ::testing::Values(
        FormatCase{"R U R' U'", "R+;T+;R-;T-;", "T+;R+;T-;R-;", "RUR'U'", "URU'R'"},
        // An international B is the back face; an own B with + - * the bottom.
        FormatCase{"B2", "P*;", "P*;", "B2", "B2"},
        FormatCase{"B*", "B*;", "B*;", "D2", "D2"},
        // "/" is no own sign of B: B/ is the back face's half turn, as B2 is.
        FormatCase{"B/ b/", "P*;P*;", "P*;P*;", "B2B2", "B2B2"},
        FormatCase{"B+ B- B/ P/", "B+;B-;P*;P*;", "P*;P*;B+;B-;", "DD'B2B2", "B2B2DD'"},
        FormatCase{"FF", "F+;F+;", "F-;F-;", "FF", "F'F'"},
        // A rotation stays a rotation in both notations.
        FormatCase{"F+;T+;R-;TF,", "F+;T+;R-;TF,", "FT,R+;T-;F-;", "FUR'x'", "xRU'F'"},
        FormatCase{"M2 r y'", "V*;L+;FT,FR,", "FL,L-;TF,V*;", "M2Rwy'", "yRw'M2"}));

// Positions reached from the solved cube by a move string in the own notation.
class Engine {
public:
    Engine() {
        model_.user = &user_;
        model_.InitCubeModel();
    }
    std::string After(std::string_view moves) {
        model_.ResetCube();
        model_.RunMoveString(0, moves);
        return CodeOf(model_.cube);
    }
    int Turns(std::string_view moves) {
        model_.ResetCube();
        return model_.RunMoveString(0, moves);
    }

private:
    SilentUser user_;
    CTarnexSource model_;
};

// Every rendering of text reads back: the renderings format back to the same
// positions, and each reverse undoes its forward rendering.
void ExpectRenderingsReadBack(Engine& engine, const std::string& text) {
    SCOPED_TRACE("input: " + text);
    const MoveRenderings r = FormatMoves(text);
    ASSERT_TRUE(r.ok) << r.error.message;
    const std::string forward = engine.After(r.ownForward);
    EXPECT_EQ(engine.After(FormatMoves(r.ownForward).ownForward), forward);
    EXPECT_EQ(engine.After(FormatMoves(r.internationalForward).ownForward), forward);
    EXPECT_EQ(engine.After(FormatMoves(r.internationalReverse).ownForward), engine.After(r.ownReverse));
    EXPECT_EQ(engine.After(r.ownForward + r.ownReverse), kSolvedCode);
}

TEST(Format, RandomMoveTextsReadBackThroughTheEngine) {
    Engine engine;
    std::mt19937 rng(2026);
    const std::vector<std::string> kMoves = {"R", "U'", "F2", "B", "D2'", "L", "M", "E'", "S2", "r", "Uw'",
                                             "d2", "x", "y'", "z2", "T+", "P-", "B*", "TF,", "LB,", "(R U)2",
                                             "[R, U]", "[F: R']"};
    const std::vector<std::string> kBetween = {"", " ", ";", "\n", " ;"};
    for (int i = 0; i < 200; ++i) {
        std::string text = kMoves[rng() % kMoves.size()];
        for (int n = static_cast<int>(rng() % 20); n > 0; --n)
            text += kBetween[1 + rng() % (kBetween.size() - 1)] + kMoves[rng() % kMoves.size()];
        ExpectRenderingsReadBack(engine, text);
    }
}

TEST(Format, NothingToRenderIsRefused) {
    for (const char* text : {"", ";;;", "R U Q", "xyz?"}) {
        const MoveRenderings r = FormatMoves(text);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_FALSE(r.error.message.empty()) << text;
        EXPECT_TRUE(r.ownForward.empty()) << text;
    }
}

// ---- command-string form ----

TEST(CommandStringForm, OkFillsTheCommandsForTheChosenDirection) {
    CommandStringForm form;
    EXPECT_FALSE(form.ReverseChosen());
    form.input = "R U";
    CommandStringChoice c;
    ASSERT_TRUE(form.Accept(true, c));
    EXPECT_EQ(c.mainCommand, "R+;T+; # T-;R-;");
    EXPECT_EQ(c.secondCommand, "R+;T+;");
    EXPECT_EQ(form.direction, 1);

    ASSERT_TRUE(form.Accept(false, c));
    EXPECT_EQ(c.mainCommand, "T-;R-; # R+;T+;");
    EXPECT_EQ(c.secondCommand, "T-;R-;");
    EXPECT_EQ(form.direction, 2);
    EXPECT_TRUE(form.ReverseChosen());

    form.input = "R U Q";
    EXPECT_FALSE(form.Accept(true, c));
    EXPECT_EQ(form.error, "无法识别的转动：“Q”（第 5 个字符）");
    EXPECT_EQ(form.direction, 2);

    form.input = " ;";
    ASSERT_TRUE(form.Accept(true, c));
    EXPECT_EQ(form.direction, 3);
    EXPECT_FALSE(form.ReverseChosen());
    ASSERT_TRUE(form.Accept(false, c));
    EXPECT_EQ(form.direction, 4);
    EXPECT_TRUE(form.ReverseChosen());
    EXPECT_EQ(c.secondCommand, "");
}

TEST(CommandStringForm, InformationGrowsAndLimitsAreKept) {
    CommandStringForm form;
    EXPECT_EQ(form.input, kCommandInputInitial);
    form.Open("\r\nT+;");
    form.Open("\r\nF-;");
    EXPECT_EQ(form.info, std::string(kCommandInfoInitial) + "\r\nT+;\r\nF-;");

    CommandStringChoice c;
    form.prefix = std::string(120, 'T');
    form.input = std::string(60, 'R') + std::string(40, 'L') + "L’R’" + std::string(76, 'x');  // 180
    ASSERT_TRUE(form.Accept(true, c));
    form.prefix += "T";
    EXPECT_FALSE(form.Accept(true, c));
    form.prefix.pop_back();
    form.input += "R";
    EXPECT_FALSE(form.Accept(true, c));
}

// ---- pattern form ----

TEST(PatternForm, ShowsTheCommandAndRemembersOnlyConfirmedChoices) {
    PatternForm form;
    EXPECT_EQ(form.selected, 0);
    EXPECT_TRUE(form.resetFirst);
    EXPECT_EQ(PatternForm::CommandShown(0), "执行的命令：\r\nB+;R*;B-;P+;F*;B+;P+;T-;L+;T-;P*;R*;P*;F-;B-;L*;F*;");
    EXPECT_EQ(PatternForm::CommandShown(13), "执行的命令：\r\nRESET;");

    PatternChoice c;
    ASSERT_TRUE(form.Accept(5, false, c));
    EXPECT_EQ(c.name, "四个字母Z");
    EXPECT_EQ(c.moves, "T+;R*;F+;B*;T*;P*;B*;T*;F-;R*;T-;");
    EXPECT_FALSE(c.resetFirst);
    EXPECT_FALSE(form.Accept(14, true, c));
    EXPECT_EQ(form.selected, 5);
    EXPECT_FALSE(form.resetFirst);
}

TEST(PatternTable, EveryRowRunsOnlyKnownTokensAndFitsItsBounds) {
    Engine engine;
    EXPECT_EQ("(" + std::string(kPatterns[0].moves) + ")", CTarnexSource::Move(73).record);
    for (std::size_t i = 0; i + 1 < kPatterns.size(); ++i) {
        const PatternRow& row = kPatterns[i];
        EXPECT_LE(row.moves.size(), 169u) << i;
        EXPECT_EQ(engine.Turns(row.moves), static_cast<int>(std::count(row.moves.begin(), row.moves.end(), ';'))) << i;
        EXPECT_NE(engine.After(row.moves), kSolvedCode) << i;
    }
    EXPECT_EQ(engine.After(kPatterns[13].moves), kSolvedCode);
    EXPECT_EQ(engine.After(kPatterns[3].moves), engine.After("T*;R*;F*;B-;T+;P*;L*;B-;T-;"));
}

// ---- modify ----

TEST(CubeModifier, RepeatedFlipsTwistsAndCentreTurnsComeBack) {
    CubeState solved;
    solved.SetSolved();
    CubeModifier m(solved);
    for (int i = 0; i < 3; ++i) m.TwistCorner(6);
    for (int i = 0; i < 2; ++i) m.FlipEdge(9);
    EXPECT_EQ(CodeOf(m.Cube()), kSolvedCode);
    m.TwistCorner(6);
    EXPECT_EQ(m.Cube().pieces[4][3].twist, 1);
    m.FlipEdge(9);
    EXPECT_EQ(m.Cube().pieces[5][2].twist, 1);

    CubeModifier centres(solved);
    for (int i = 0; i < 4; ++i) centres.TurnCentre(3);
    EXPECT_EQ(centres.Log(),
              "执行的命令：\r\nR面中心小块顺时针转90度后色向为1；\r\nR面中心小块顺时针转90度后色向为2；"
              "\r\nR面中心小块顺时针转90度后色向为3；\r\nR面中心小块顺时针转90度后色向为0；");
    EXPECT_EQ(CodeOf(centres.Cube()), kSolvedCode);
    EXPECT_FALSE(centres.TurnCentre(7));
    EXPECT_FALSE(centres.FlipEdge(12));
    EXPECT_FALSE(centres.ExchangeCorners(0, 8));
}

TEST(CubeModifier, ExchangesMovePieceRecordsAndLogTheirCaptions) {
    CubeState s;
    s.SetSolved();
    s.pieces[1][1].twist = 1;
    CubeModifier m(s);
    m.ExchangeEdges(0, 8);
    EXPECT_EQ(m.Cube().pieces[5][1].homeRow, 1);
    EXPECT_EQ(m.Cube().pieces[5][1].twist, 1);
    EXPECT_EQ(m.Cube().pieces[1][1].homeRow, 5);
    m.ExchangeCorners(1, 1);
    m.TwistCorner(7);
    EXPECT_EQ(m.Log(),
              "执行的命令：\r\n互换 11上边块，51下边块 的位置； \r\n互换 22上角块，22上角块 的位置； "
              "\r\n改变 44下角块 的色向； ");
    m.Restore();
    EXPECT_EQ(m.Log(), "强制复原后执行的命令：");
    EXPECT_EQ(CodeOf(m.Cube()), kSolvedCode);
}

}  // namespace
}  // namespace velmora::test
