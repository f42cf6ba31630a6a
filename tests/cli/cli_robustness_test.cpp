// velmora-cli with hostile input: it neither hangs nor reports success where it
// failed, and it says what it passed over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/wait.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "cli/timing_median.h"
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::CliRun;
using velmora::test::RunCli;

class CliRobustness : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("velmora-cli-robust-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    static std::vector<std::string> Lines(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    fs::path dir;
};

bool Has(const std::string& out, const std::string& part) { return out.find(part) != std::string::npos; }

// Runs a shell command line in which CLI stands for the program; standard error is
// merged into the output.
CliRun RunShell(const std::string& line) {
    std::string cmd;
    for (std::size_t at = 0, next; at < line.size(); at = next + 3) {
        next = line.find("CLI", at);
        if (next == std::string::npos) next = line.size();
        cmd += line.substr(at, next - at);
        if (next < line.size()) cmd += VELMORA_CLI_PATH;
    }
    CliRun r;
    FILE* p = popen(("(" + cmd + ") 2>&1").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Bad input of every kind ends with code 2 and says why on standard error.
TEST_F(CliRobustness, BadInputExitsWithTwoAndSaysWhy) {
    ASSERT_EQ(::mkfifo(PathOf("pipe.mf").c_str(), 0644), 0);
    std::ofstream(PathOf("words.mf")) << "hello world, nothing to turn here";
    std::ofstream(PathOf("rotation.mf")) << "TF,";
    struct Case {
        std::string args;
        const char* says;
    };
    const Case cases[] = {
        // A pipe would wait for a writer forever; timeout turns a hang into 124.
        {"open '" + PathOf("pipe.mf") + "'", "message: 不能打开文件"},
        {"open /dev/null", "message: 不能打开文件"},
        {"open '" + dir.string() + "'", "message: 不能打开文件"},
        {"open '" + PathOf("words.mf") + "'", "message: 文件中没有转动魔方的数据"},
        {"open '" + PathOf("rotation.mf") + "'", "message: 文件中没有转动魔方的数据"},
        {"save '" + PathOf("pipe.mf") + "' --moves 'F+;'", "message: 不能保存文件"},
        {"save '' --moves 'F+;'", "message: 不能保存文件“”！"},
        {"open ''", "message: 不能打开文件“”！"},
        {"solve --moves hello", "--moves: no move recognised"},
        {"solve --moves ';;;'", "--moves: no move recognised"},
        {"solve --code \"$(printf '\\377\\376')\"", "--code: no move recognised"},
        {"solve --code 'hello world'", "--code: no move recognised"},
        {"state 'xyz;'", "MOVES: no move recognised"},
        {"scramble --seed 4294967296", "--seed"},
        {"scramble --seed -1", "--seed"},
        {"batch --count 1 --seed 99999999999999999999", "--seed"},
        {"batch --count 1 --moves-per-position 10001", "--moves-per-position"},
        {"batch --count 0", "--count"},
    };
    for (const Case& c : cases) {
        CliRun r = RunShell("timeout 20 CLI " + c.args);
        EXPECT_EQ(r.code, 2) << c.args << "\n" << r.out;
        EXPECT_TRUE(Has(r.out, c.says)) << c.args << "\n" << r.out;
        EXPECT_FALSE(Has(r.out, "start: ")) << c.args;
    }
    EXPECT_TRUE(fs::is_fifo(PathOf("pipe.mf")));
}

TEST_F(CliRobustness, SkippedTokensAreNamedAsWarningsAndTheMovesStillRun) {
    CliRun r = RunCli("solve --moves 'F+;xyz;R-;q;'", true);
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(Has(r.out, "velmora-cli: warning: --moves: skipped 'xyz'\n"));
    EXPECT_TRUE(Has(r.out, "velmora-cli: warning: --moves: skipped 'q'\n"));
    EXPECT_TRUE(Has(r.out, "result: 1\n"));
    CliRun clean = RunCli("solve --moves 'F+;R-;'", true);
    EXPECT_EQ(clean.out, RunCli("solve --moves 'F+;R-;'").out) << "a clean text warns of nothing";
    // Rotations, RESET and lower case are moves too; CONT is the code text's own word.
    EXPECT_FALSE(Has(RunCli("solve --moves 'tf,RESET;f+;'", true).out, "warning"));
    EXPECT_FALSE(Has(RunCli("solve --code 'CONT;F+;'", true).out, "warning"));
    // A long run of junk names the first tokens and counts the rest.
    std::string junk;
    for (int i = 0; i < 30; ++i) junk += "zz;";
    CliRun many = RunCli("state 'F+;" + junk + "'", true);
    EXPECT_EQ(many.code, 0);
    EXPECT_TRUE(Has(many.out, "warning: MOVES: 10 more tokens skipped"));
}

TEST_F(CliRobustness, SeedsAndTurnCountsAtTheirLimitsAreAccepted) {
    EXPECT_EQ(RunCli("scramble --seed 4294967295").code, 0);
    EXPECT_EQ(RunCli("scramble --seed 0").code, 0);
    // The top seed is not the same deal as seed 0 any more.
    EXPECT_NE(RunCli("scramble --seed 4294967295").out, RunCli("scramble --seed 0").out);
    CliRun r = RunCli("batch --count 2 --seed 5 --moves-per-position 10000");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(Has(r.out, "solved: 2/2\n"));
}

TEST_F(CliRobustness, TheSolveLogIsAppendedToAndAFailedWriteIsAnError) {
    const std::string log = PathOf("solves.log");
    std::ofstream(log) << "from an earlier run\n";
    CliRun r = RunCli("solve --moves 'F+;T+;R-;' --log '" + log + "'");
    ASSERT_EQ(r.code, 0);
    RunCli("batch --count 3 --seed 1 --log '" + log + "'");
    std::vector<std::string> lines = Lines(log);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "from an earlier run");


    // A size limit that falls inside a record: the record is taken back, not cut.
    const std::string limited = PathOf("limited.log");
    CliRun cut = RunShell("trap '' XFSZ; ulimit -f 1; CLI batch --count 20 --seed 3 --log '" + limited + "'");
    EXPECT_EQ(cut.code, 2) << cut.out;
    const std::uintmax_t size = fs::file_size(limited);
    EXPECT_GT(size, 0u);
    std::ifstream in(limited, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.back(), '\n');
    for (const std::string& line : Lines(limited)) EXPECT_GE(line.size(), 76u) << "a cut record";
}

TEST_F(CliRobustness, AnInterruptedSaveLeavesTheOldFileAndNoTemporary) {
    const std::string file = PathOf("cube.mf");
    std::ofstream(file) << "F+;R+;";
    ::chmod(file.c_str(), 0600);
    // The new file is larger than the size limit: the write fails part-way and the
    // process is stopped by the signal a size limit sends.
    CliRun r = RunShell("ulimit -f 1; CLI save '" + file + "' --moves 'F+;T+;R-;L*;P-;B+;F-;R*;'");
    EXPECT_NE(r.code, 0);
    std::ifstream in(file);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "F+;R+;");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 1);
}

// The median of any number of timings in fixed room, read from its histogram.
TEST(TimingMedian, ReadsTheMiddleSampleToATenthOfAPercent) {
    using velmora::cli::TimingMedian;
    auto median = std::make_unique<TimingMedian>();
    EXPECT_EQ(median->Median(), 0.0);
    // 1001 samples from 0.5 to 5000.5 µs, added out of order: the middle one is 2500.5.
    for (int i = 1000; i >= 0; --i) median->Add(0.5 + 5.0 * i);
    EXPECT_NEAR(median->Median(), 2500.5, 2500.5 * 0.001);
    // An even count reads the upper of the two middle samples, as the sorted list did.
    median->Add(1e6);
    EXPECT_NEAR(median->Median(), 2505.5, 2505.5 * 0.001);
    // Samples beyond either end count in the end bins without harm.
    median->Add(0.0);
    median->Add(-1.0);
    median->Add(1e15);
    EXPECT_EQ(median->Count(), 1005u);
    EXPECT_GT(median->Median(), 0.0);
}

}  // namespace
