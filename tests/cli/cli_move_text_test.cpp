// velmora-cli format and patterns as scripts see them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "document/pattern_table.h"
#include "support/cli_runner.h"

namespace {

using velmora::test::RunCli;

TEST(CliFormat, PrintsTheFourRenderings) {
    auto r = RunCli("format \"r u R' U'\"");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "own: R+;T+;R-;T-;\n"
              "own_reverse: T+;R+;T-;R-;\n"
              "international: RUR'U'\n"
              "international_reverse: URU'R'\n");
    auto empty = RunCli("format ';;'");
    EXPECT_EQ(empty.out, "own: \nown_reverse: \ninternational: \ninternational_reverse: \n");
    EXPECT_EQ(RunCli("format").code, 2);
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
