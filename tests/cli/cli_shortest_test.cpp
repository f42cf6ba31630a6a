// velmora-cli with --method shortest: the method number in its output, a short cube
// solved in its own turns, and a batch of deals none longer than 20 turns.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/cli_runner.h"

namespace {

using velmora::test::CliRun;
using velmora::test::RunCli;

TEST(CliShortest, SolveScrambleAndBatchTakeTheMethod) {
    CliRun solve = RunCli("solve --moves 'R+;T+;F-;' --method shortest");
    EXPECT_EQ(solve.code, 0);
    EXPECT_NE(solve.out.find("method: 3\n"), std::string::npos) << solve.out;
    EXPECT_NE(solve.out.find("turns: 3\n"), std::string::npos) << solve.out;

    CliRun scramble = RunCli("scramble --kind 1 --seed 9 --method shortest");
    EXPECT_EQ(scramble.code, 0);
    EXPECT_NE(scramble.out.find("method: 3\n"), std::string::npos) << scramble.out;

    CliRun batch = RunCli("batch --count 30 --kind 1 --seed 4 --method shortest");
    EXPECT_EQ(batch.code, 0);
    EXPECT_NE(batch.out.find("solved: 30/30\n"), std::string::npos) << batch.out;
    int low = 0, high = 0;
    double mean = 0;
    const auto at = batch.out.find("turns: ");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(batch.out.c_str() + at, "turns: %d %lf %d", &low, &mean, &high), 3);
    EXPECT_LE(high, 20);

    EXPECT_EQ(RunCli("solve --moves 'R+;' --method fewest").code, 2);
}

}  // namespace
