// Where the solve log lives and how records reach it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/model_fixture.h"
#include "support/scoped_env.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class SolveLog : public FolderModelTest {
protected:
    SolveLog() : FolderModelTest("velmora-log-") {}
    static std::vector<std::string> Lines(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    void SolveSomething(const char* moves) {
        m().ResetCube();
        m().RunMoveString(0, moves);
        m().ExecuteAndSolve();
    }
};

TEST_F(SolveLog, AProgramInAFolderItCannotWriteLogsToTheUsersStateFolder) {
    const std::string state = (dir / "state").string(), home = (dir / "home").string();
    struct Case {
        const char* xdg;  // null: unset
        std::string expected;
    };
    const Case cases[] = {
        {state.c_str(), state + "/velmora/velmora_log.mf"},
        {nullptr, home + "/.local/state/velmora/velmora_log.mf"},
        {"relative/state", home + "/.local/state/velmora/velmora_log.mf"},  // not valid: passed over
    };
    for (const Case& c : cases) {
        ScopedEnv xdg("XDG_STATE_HOME", c.xdg);
        ScopedEnv homeVar("HOME", home.c_str());
        CTarnexSource fresh;
        fresh.programPath.Assign("/nonexistent-folder/bin/velmora");
        fresh.InitCubeModel();
        EXPECT_EQ(fresh.logPath.view(), c.expected);
        EXPECT_TRUE(fresh.statusText.empty()) << fresh.statusText.c_str();
        ASSERT_TRUE(fs::is_regular_file(c.expected));
        EXPECT_EQ(fs::status(fs::path(c.expected).parent_path()).permissions() & fs::perms::all,
                  fs::perms::owner_all);
        fresh.ApplyToken("TALWEN");
        fresh.ExecuteAndSolve();
        EXPECT_EQ(Lines(c.expected), std::vector<std::string>{std::string(fresh.SolutionRecord.view())});
        fs::remove_all(dir / "home");
    }
    // A build tree keeps the log beside the program, emptied.
    std::ofstream(dir / "CMakeCache.txt") << "";
    const std::string beside = (dir / "velmora_log.mf").string();
    std::ofstream(beside) << "old run\n";
    CTarnexSource fresh;
    fresh.programPath.Assign((dir / "velmora").string());
    fresh.InitCubeModel();
    EXPECT_EQ(fresh.logPath.view(), beside);
    EXPECT_EQ(fs::file_size(beside), 0u);
}

TEST_F(SolveLog, ALogOpenedForAppendingKeepsEarlierLinesAndGetsWholeLines) {
    const std::string path = (dir / "given.log").string();
    std::ofstream(path) << "earlier run\n";
    m().logPath.Assign(path);
    ASSERT_TRUE(m().OpenLogForAppend());
    SolveSomething("F+;T+;R-;");
    const std::string first(m().SolutionRecord.view());
    SolveSomething("L+;P-;B*;F-;");
    EXPECT_EQ(Lines(path), (std::vector<std::string>{"earlier run", first, std::string(m().SolutionRecord.view())}));
    EXPECT_FALSE(m().logWriteFailed);

    // A missing log is made; one in a missing folder cannot be.
    m().logPath.Assign((dir / "new.log").string());
    EXPECT_TRUE(m().OpenLogForAppend());
    m().logPath.Assign((dir / "missing" / "x.log").string());
    EXPECT_FALSE(m().OpenLogForAppend());
}

TEST_F(SolveLog, ARecordThatCannotBeWrittenIsNoticed) {
    m().logPath.Assign("/dev/full");
    SolveSomething("F+;T+;R-;");
    EXPECT_TRUE(m().logWriteFailed);
    // A short solution writes nothing and so cannot fail.
    m().logWriteFailed = false;
    SolveSomething("F+;");
    EXPECT_FALSE(m().logWriteFailed);
    m().logPath.Assign((dir / "missing" / "x.log").string());
    SolveSomething("F+;T+;R-;");
    EXPECT_TRUE(m().logWriteFailed);
}

}  // namespace
}  // namespace velmora::test
