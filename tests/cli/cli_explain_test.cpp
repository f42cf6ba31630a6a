// velmora-cli explain: the stage lines of a solution, the replay verdict in its exit
// code, and the check over many positions.
#include <gtest/gtest.h>

#include <string>

#include "support/cli_runner.h"

namespace {

using velmora::test::CliRun;
using velmora::test::RunCli;

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(CliExplain, EveryStagePrintsItsFiveLinesInOrder) {
    CliRun run = RunCli("explain --moves 'F+;R-;T*;L+;P-;B+;F*;R+;T-;P+;L*;' --method eight-corner");
    EXPECT_EQ(run.code, 0) << run.out;
    const int stages = CountOf(run.out, "\nstage: ") + (run.out.rfind("stage: ", 0) == 0 ? 1 : 0);
    ASSERT_GE(stages, 4) << run.out;
    for (const char* line : {"goal: ", "pieces: ", "moves: ", "international: "})
        EXPECT_EQ(CountOf(run.out, std::string("\n") + line), stages) << line;
    EXPECT_EQ(run.out.rfind("stage: 1 下角块\ngoal: ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("pieces: FBR oriented, RBP oriented, PBL oriented, LBF oriented\n"), std::string::npos);
    EXPECT_NE(run.out.find("pieces: any 3 of TF placed, TR placed, TP placed, TL placed\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nreplay: 1\n"), std::string::npos);
}

TEST(CliExplain, MethodsAndCentresAndBadInput) {
    CliRun group = RunCli("explain --alg \"R U R' U'\"");
    EXPECT_EQ(group.code, 0) << group.out;
    EXPECT_NE(group.out.find("international: "), std::string::npos);
    CliRun centres = RunCli("explain --moves 'R+;L-;F+;R-;L+;' --centres");
    EXPECT_EQ(centres.code, 0) << centres.out;
    EXPECT_NE(centres.out.find("pieces: F oriented, R oriented, P oriented\n"), std::string::npos) << centres.out;
    CliRun shortest = RunCli("explain --moves 'R+;T+;F-;P*;L+;' --method shortest");
    EXPECT_EQ(shortest.code, 0) << shortest.out;
    EXPECT_NE(shortest.out.find("第二段 复原"), std::string::npos) << shortest.out;
    EXPECT_EQ(RunCli("explain").code, 2);
    EXPECT_EQ(RunCli("explain --moves 'R+;' --method none").code, 2);
}

TEST(CliExplain, CountChecksThatManyPositions) {
    for (const char* method : {"group", "eight-corner"}) {
        CliRun run = RunCli(std::string("explain --count 40 --seed 3 --method ") + method);
        EXPECT_EQ(run.code, 0) << run.out;
        EXPECT_NE(run.out.find("explained: 40/40\n"), std::string::npos) << run.out;
    }
}

}  // namespace
