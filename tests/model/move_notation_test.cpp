// Typed moves in either notation, checked against the move engine, and solutions
// written in the international notation read back to the same position.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/move_notation.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

// Positions reached from the solved cube: by a parsed text, or by own tokens.
class Turned : public ModelTest {
protected:
    std::string Parsed(std::string_view text) {
        std::vector<NotationMove> moves;
        NotationError error;
        EXPECT_TRUE(ParseMoveNotation(text, moves, error)) << text << ": " << error.message;
        return Own(OwnMovesText(moves));
    }
    std::string Own(std::string_view moves) {
        m().ResetCube();
        m().RunMoveString(0, moves);
        return Code();
    }
};

struct SameAs { const char* text; const char* own; };  // own: the same position in own tokens

// References use face turns, the middle-layer tokens V (V- turns like L) and H (H-
// turns like B), and rotations only where a rotation was typed.
constexpr SameAs kSameAs[] = {
    {"R U R' U'", "R+;T+;R-;T-;"},
    {"RUR'U'", "R+;T+;R-;T-;"},
    {"R U R\xE2\x80\x99 U\xE2\x80\x98", "R+;T+;R-;T-;"},
    {"R` U\xC2\xB4 F\xE2\x80\xB2", "R-;T-;F-;"},
    {"U D F B L R", "T+;B+;F+;P+;L+;R+;"},
    {"U2 D2' F3 B1 L'2", "T*;B*;F-;P+;L*;"},
    {"M2 U M2 U2 M2 U M2", "V*;T+;V*;T*;V*;T+;V*;"},
    {"M M' E E' S S'", ""},
    {"E2 M'", "H*;V+;"},
    {"S", "F-;P+;TR,"},  // F' B z, z bringing the top to the right
    {"r Rw' l' Lw2", "R+;V+;R-;V-;L-;V+;L*;V*;"},
    {"u Uw' d' Dw2", "T+;H+;T-;H-;B-;H+;B*;H*;"},
    {"x", "R+;V+;L-;"},
    {"y2", "T*;H*;B*;"},
    {"z z'", ""},
    {"R U x' F", "R+;T+;TF,F+;"},
    {"R U y2 F", "R+;T+;FP,F+;"},
    {"F+;T+;R-;TF,", "F+;T+;R-;TF,"},
    {"t+;r- b* P/ l=", "T+;R-;B*;P*;L+;"},
    {"H+ V-", "H+;V-;"},
    {"(R U R' U')3", "R+;T+;R-;T-;R+;T+;R-;T-;R+;T+;R-;T-;"},
    {"(R U)2'", "T-;R-;T-;R-;"},
    {"[R, U]", "R+;T+;R-;T-;"},
    {"[F: R U R']", "F+;R+;T+;R-;F-;"},
    {"[F: [R, U]]", "F+;R+;T+;R-;T-;F-;"},
    {"[R U: [R', D]]2", "R+;T+;R-;B+;R+;B-;T-;R-;R+;T+;R-;B+;R+;B-;T-;R-;"},
    {"", ""},
    {" ;; ,", ""},
};

TEST_F(Turned, EveryMoveKindTurnsAsTheEngineDoes) {
    for (const SameAs& c : kSameAs) EXPECT_EQ(Parsed(c.text), Own(c.own)) << c.text;
}

// The rotations and slices go the way their faces turn: x like R brings the front
// centre up, y like U brings it left, z like F brings the top centre right; M like L
// brings the front centre down, E like D brings it right, S like F brings the top right.
TEST_F(Turned, RotationsAndSlicesMoveTheCentresTheirWay) {
    struct Case { const char* text; int face; int centre; };
    constexpr Case kCases[] = {{"x", 1, 2}, {"y", 5, 2}, {"z", 3, 1}, {"M", 6, 2}, {"E", 3, 2}, {"S", 3, 1}};
    for (const Case& c : kCases) {
        Parsed(c.text);
        EXPECT_EQ(m().cube.centres[c.face], c.centre) << c.text;
    }
}

struct Refused { const char* text; const char* quoted; int position; };
constexpr Refused kRefused[] = {
    {"R U Q2", "Q2", 5},
    {"R ; R\xE2\x80\x99 ? F", "?", 8},
    {"R4", "R4", 1},
    {"T+-*", "-*", 3},
    {"TALWEN", "ALWEN", 2},
    {"A+ R", "A+", 1},
    {"R U (R U'", "(", 5},
    {"R U)", ")", 4},
    {"[R, U", "[", 1},
    {"(R)0", "0", 4},
    {"(R U)2147483648", "2147483648", 6},
    {"[R,U,F]", ",", 5},
    {"[R: U, F]", ",", 6},
    {"[R:]", "]", 4},
    {"[,R]", ",", 2},
    {"R\aU", "\\x07", 2},
    {"R \xE2\x80\xAEU", "\\u202EU", 3},
    {"(((R U)99)99)99", "(", 2},
    {"R.U", ".U", 2},
};

// Each refused text names what was not understood and its place; any bytes give moves
// or an error that points inside the text.
TEST(MoveNotation, AnythingNotUnderstoodIsRefusedWithItsPlace) {
    std::vector<NotationMove> moves;
    NotationError error;
    for (const Refused& c : kRefused) {
        EXPECT_FALSE(ParseMoveNotation(c.text, moves, error)) << c.text;
        EXPECT_EQ(error.text, c.quoted) << c.text;
        EXPECT_EQ(error.position, c.position) << c.text;
        EXPECT_NE(error.message.find(c.quoted), std::string::npos) << error.message;
        EXPECT_TRUE(moves.empty());
    }
    std::mt19937 rng(2026);
    for (int i = 0; i < 2000; ++i) {
        std::string s(rng() % 40, ' ');
        for (char& c : s) c = static_cast<char>(rng() % 256);
        const bool ok = ParseMoveNotation(s, moves, error);
        EXPECT_TRUE(ok || (error.position >= 1 && error.position <= static_cast<int>(s.size()))) << s;
    }
}

// The international line of a solution runs back to the position the solution record
// reaches, for every method.
class SolutionReadBack : public ModelTest, public ::testing::WithParamInterface<int> {};

TEST_P(SolutionReadBack, InternationalSolutionReachesTheSamePosition) {
    m().methodChoice = GetParam();
    for (int deal = 0; deal < 6; ++deal) {
        m().Scramble(1);
        ASSERT_EQ(m().lastSolveResult, 1);
        const std::string line = SolutionInInternational(m().SolutionRecord.view());
        ASSERT_FALSE(line.empty());
        std::vector<NotationMove> moves;
        NotationError error;
        ASSERT_TRUE(ParseMoveNotation(line, moves, error)) << line << ": " << error.message;
        m().cube = m().startState;
        m().RunMoveString(0, m().SolutionRecord.view().substr(kRecordMovesStart));
        const std::string byRecord = Code();
        m().cube = m().startState;
        m().RunMoveString(0, OwnMovesText(moves));
        EXPECT_EQ(Code(), byRecord) << line;
        EXPECT_EQ(Code().substr(0, kShortCodeLength), std::string(kSolvedCode).substr(0, kShortCodeLength));
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, SolutionReadBack, ::testing::Values(1, 2, 3));

TEST(MoveNotation, TranslatedRecordMapsEveryCharacterBack) {
    const std::string head(kRecordMovesStart, '0');
    const std::string record = head + "T+;FT,(LF,B-;)#  ";
    const InternationalRecord t = TranslateSolutionRecord(record);
    EXPECT_EQ(t.text.substr(kRecordMovesStart), "U x y' D' # ");
    ASSERT_EQ(t.ownIndex.size(), t.text.size());
    EXPECT_EQ(t.FromOwn(kRecordMovesStart + 3), kRecordMovesStart + 2);  // "FT" shown as "x"
    EXPECT_EQ(t.ownIndex[static_cast<std::size_t>(kRecordMovesStart + 7)], kRecordMovesStart + 10);  // "D'"
    EXPECT_EQ(t.FromOwn(static_cast<int>(record.size())), static_cast<int>(t.text.size()));
}

}  // namespace
}  // namespace velmora::test
