// velmora-cli save and open as scripts see them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::CliRun;
using velmora::test::RunCli;

std::string Line(const std::string& out, const std::string& name) {
    std::size_t a = out.find(name + ": ");
    if (a == std::string::npos) return "<missing " + name + ">";
    a += name.size() + 2;
    return out.substr(a, out.find('\n', a) - a);
}

class CliFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora-cli-file-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string PathOf(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(CliFile, SaveThenOpenGivesTheSameStartAndSolution) {
    const std::string file = PathOf("cube.mf");
    CliRun saved = RunCli("save '" + file + "' --moves 'F+;T+;R-;L*;P-;' --steps 2");
    ASSERT_NE(saved.code, 2) << saved.out;
    ASSERT_TRUE(fs::exists(file));
    std::ifstream in(file, std::ios::binary);
    std::string head(72, '\0');
    in.read(head.data(), 72);
    EXPECT_EQ(head, Line(saved.out, "start"));

    CliRun opened = RunCli("open '" + file + "'");
    EXPECT_EQ(opened.code, saved.code);
    EXPECT_EQ(Line(opened.out, "start"), Line(saved.out, "start"));
    EXPECT_EQ(Line(opened.out, "record"), Line(saved.out, "record"));
}

// Every line of a stepped save describes the position the solution starts from; the
// stepped position has its own line.
TEST_F(CliFile, SteppedSavePrintsLinesOfOnePosition) {
    const std::string moves = "--moves 'F+;T+;R-;L*;P-;'";
    CliRun unstepped = RunCli("save '" + PathOf("a.mf") + "' " + moves);
    CliRun stepped = RunCli("save '" + PathOf("b.mf") + "' " + moves + " --steps 5");
    for (const char* line : {"start", "facelets", "colours", "record"})
        EXPECT_EQ(Line(stepped.out, line), Line(unstepped.out, line)) << line;
    EXPECT_EQ(Line(unstepped.out, "stepped"), "<missing stepped>");
    EXPECT_EQ(Line(stepped.out, "stepped").size(), 72u);
    EXPECT_NE(Line(stepped.out, "stepped"), Line(stepped.out, "start"));
}

TEST_F(CliFile, FilesThatCannotBeReadOrWrittenExitWithTwo) {
    EXPECT_EQ(RunCli("open '" + PathOf("missing.mf") + "'").code, 2);
    std::ofstream(PathOf("empty.mf")).close();
    CliRun empty = RunCli("open '" + PathOf("empty.mf") + "'", true);
    EXPECT_EQ(empty.code, 2);
    EXPECT_NE(empty.out.find("message: 文件中没有数据"), std::string::npos);
    EXPECT_EQ(RunCli("save '" + PathOf("no/such/dir.mf") + "' --moves 'F+;'").code, 2);
    EXPECT_EQ(RunCli("save '" + PathOf("x.mf") + "'").code, 2);  // no position given
}

}  // namespace
