// velmora-cli format and patterns as scripts see them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "document/pattern_table.h"
#include "support/cli_runner.h"

namespace {

using velmora::test::RunCli;

TEST(CliFormat, PrintsTheFourRenderings) {
    auto r = RunCli("format \"R U R' U'\"");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "own: R+;T+;R-;T-;\n"
              "own_reverse: T+;R+;T-;R-;\n"
              "international: RUR'U'\n"
              "international_reverse: URU'R'\n");
    // A rotation stays a rotation.
    auto rotation = RunCli("format 'F+;T+;R-;TF,'");
    EXPECT_EQ(rotation.code, 0);
    EXPECT_EQ(rotation.out,
              "own: F+;T+;R-;TF,\n"
              "own_reverse: FT,R+;T-;F-;\n"
              "international: FUR'x'\n"
              "international_reverse: xRU'F'\n");
    EXPECT_EQ(RunCli("format").code, 2);
}

TEST(CliFormat, RefusesWhatItCannotRenderWithItsPlace) {
    for (const char* text : {"''", "';;;'", "'(R U'"}) EXPECT_EQ(RunCli(std::string("format ") + text).code, 2) << text;
    auto r = RunCli("format 'R U Q2'", true);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "velmora-cli: format: 无法识别的转动：“Q2”（第 5 个字符）\n");
}

// --alg reads the international notation into the same position as --moves.
TEST(CliAlg, StateSolveAndSaveTakeTheInternationalNotation) {
    const std::string own = RunCli("state 'R+;T+;R-;T-;V*;FL,'").out;
    EXPECT_EQ(RunCli("state --alg \"R U R’ U’ M2 y\"").out, own);
    auto solved = RunCli("solve --alg \"[R, U] M2 y\"");
    EXPECT_EQ(solved.code, 0);
    const std::string start = solved.out.substr(0, solved.out.find('\n'));
    EXPECT_EQ(start, "start: " + own.substr(6, 72));
    EXPECT_NE(solved.out.find("\ninternational: "), std::string::npos);
    auto bad = RunCli("solve --alg 'R U Q'", true);
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.out.find("“Q”（第 5 个字符）"), std::string::npos);
    EXPECT_EQ(RunCli("state --alg 'R U x2 ('").code, 2);
}

TEST(CliPatterns, ListsEveryPatternAsIndexNameMoves) {
    auto r = RunCli("patterns");
    EXPECT_EQ(r.code, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::size_t i = 0;
    for (; std::getline(lines, line); ++i) {
        ASSERT_LT(i, velmora::kPatterns.size());
        EXPECT_EQ(line, std::to_string(i) + " " + std::string(velmora::kPatterns[i].name) + " " +
                            std::string(velmora::kPatterns[i].moves));
    }
    EXPECT_EQ(i, velmora::kPatterns.size());
}

}  // namespace
