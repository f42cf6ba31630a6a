// batch on several threads: the same figures, failures and solve log as on one thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "support/cli_runner.h"
#include "support/sanitized.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::RunCli;

// The output without the two timing lines.
std::string Figures(const std::string& out) {
    std::istringstream in(out);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("us_per_solve:", 0) != 0 && line.rfind("solves_per_s:", 0) != 0) kept += line + "\n";
    return kept;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BatchJobs : public ::testing::TestWithParam<const char*> {};

// With a log a block holds at most 256 positions, so 600 positions cross blocks.
TEST_P(BatchJobs, TwoThreadsPrintAndLogWhatOneThreadDoes) {
    const fs::path dir = fs::temp_directory_path() / ("velmora-batch-jobs-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string figures[2], logs[2];
    int codes[2];
    for (int jobs = 1; jobs <= 2; ++jobs) {
        const fs::path log = dir / ("log" + std::to_string(jobs) + ".mf");
        fs::remove(log);
        auto r = RunCli(std::string("batch ") + GetParam() + " --jobs " + std::to_string(jobs) + " --log " +
                        log.string());
        figures[jobs - 1] = Figures(r.out);
        logs[jobs - 1] = Slurp(log);
        codes[jobs - 1] = r.code;
    }
    fs::remove_all(dir);
    EXPECT_NE(figures[0].find("solved: "), std::string::npos) << figures[0];
    EXPECT_EQ(figures[0], figures[1]);
    EXPECT_EQ(codes[0], codes[1]);
    EXPECT_FALSE(logs[0].empty());
    EXPECT_TRUE(logs[0] == logs[1]) << "the solve logs differ";
}

INSTANTIATE_TEST_SUITE_P(Deals, BatchJobs,
                         ::testing::Values("--count 600 --seed 5", "--count 300 --seed 9 --kind 2",
                                           "--count 300 --seed 11 --kind 3 --method eight-corner",
                                           "--count 12 --seed 3 --kind 1 --method shortest",
                                           "--count 30 --seed 4 --moves-per-position 3"));

TEST(BatchJobsOption, OutsideOneTo256IsRefused) {
    EXPECT_EQ(RunCli("batch --count 1 --jobs 0").code, 2);
    EXPECT_EQ(RunCli("batch --count 1 --jobs 257").code, 2);
    EXPECT_EQ(RunCli("batch --count 1 --seed 1 --jobs 256").code, 0);
}

constexpr bool kUnderAddressSanitizer = velmora::test::kSanitized;

// Address space for the program, its libraries (the photo reader's among them) and some
// 30 threads' stacks, not for 256: the threads that start do the work, and the figures
// are those of one thread.
TEST(BatchJobsOption, ThreadsTheSystemRefusesAreDoneWithout) {
    if (kUnderAddressSanitizer) GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
    const std::string args = "batch --count 400 --seed 8";
    auto one = RunCli(args + " --jobs 1");
    FILE* p = popen(("ulimit -v 600000; " + std::string(VELMORA_CLI_PATH) + " " + args + " --jobs 256 2>&1").c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    EXPECT_EQ(WEXITSTATUS(pclose(p)), 0) << out;
    EXPECT_NE(out.find("threads could be started"), std::string::npos) << out;
    EXPECT_NE(Figures(out).find(Figures(one.out)), std::string::npos) << out;
}

}  // namespace
