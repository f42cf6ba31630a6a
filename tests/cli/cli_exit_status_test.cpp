// velmora-cli's exit status and lines on hostile input, beside sound neighbours.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
namespace fs = std::filesystem;

// Output and standard error of the program run with args; a hang ends as code 124.
std::pair<std::string, int> RunMerged(const std::string& args) {
    FILE* p = popen(("timeout 30 " VELMORA_CLI_PATH " " + args + " 2>&1").c_str(), "r");
    std::string out;
    char buf[4096];
    for (std::size_t n; p && (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    const int status = p ? pclose(p) : -1;
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

const std::string kSolved = "110120130140210220230240310320330340410420430440510520530540123456000000";
// Solved but a top edge flipped, a top corner twisted, or edge 11 twice (12 nowhere).
const std::string kFlipped = "111310130140410212230240521121330340422222430440510320530540123456001000";
const std::string kTwisted = "110120130140212220230240310320330340410420430440510520530540123456000000";
const std::string kDoubled = "110110130140210220230240310320330340410420430440510520530540123456000000";
const std::string kTwistedFacelets = " --force --facelets UUUUUUUUFURRRRRRRRFFRFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";

TEST(CliExitStatus, EveryCaseExitsAsTheReadmeSaysWithItsLines) {
    const fs::path dir = fs::temp_directory_path() / ("velmora-cli-exit-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto path = [&](const char* name) { return "'" + (dir / name).string() + "'"; };
    auto write = [&](const char* name, const std::string& bytes) { std::ofstream(dir / name) << bytes; };
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    write("ones.mf", std::string(72, '1'));
    write("doubled.mf", kDoubled);
    write("twisted.mf", kTwisted + " 00 \r\n");
    std::string pairs;
    for (int i = 0; i < 84; ++i) pairs += "R+;T+;";  // 504 bytes
    write("long.mf", pairs);
    const std::string badCode = "--code: a position code is 72 digits";

    struct Case { std::string args; int code; std::vector<std::string> has, lacks; };
    const std::vector<Case> cases = {
        // Positions that cannot be restored: exit 1, no "result: 1", what is wrong.
        {"solve --code " + kFlipped, 1,
         {"message: 魔方装配错误，不能复原！只能用分组法复原成比较整齐的图案。\n              至少需要调换边块的色向！\n",
          "method: 1\n", "result: 0\n", "turns: 52\n", "unsolvable: assembly\n"},
         {"result: 1", "\\r"}},
        {"solve --method shortest --code " + kFlipped, 1,
         {"method: 1\n", "velmora-cli: method 1 (group) ran instead of 3 (shortest): the position cannot be restored"},
         {"result: 1"}},
        {"save " + path("forced.mf") + kTwistedFacelets, 1, {"unsolvable: assembly\n", "forced.mf not written"}, {"result: 1"}},
        {"open " + path("twisted.mf"), 1, {"unsolvable: assembly\n"}, {"result: 1"}},
        {"solve --code " + kDoubled, 1, {"message: 魔方零件错误，不能复原！\n", "result: -1\nunsolvable: parts\n"}, {"start: "}},
        {"open " + path("doubled.mf"), 1, {"message: 魔方零件错误，不能复原！\n", "unsolvable: parts\n"}, {"start: "}},
        // Sound neighbours: a record line, the lettering pattern held another way.
        {"solve --code '" + kSolved + " 00 F+;'", 0, {"result: 1\n"}, {"unsolvable"}},
        {"solve --moves 'TF,TALWEN;'", 0, {"method: 0\n", "result: 1\n", "ran instead of 1 (group)"}, {"unsolvable"}},
        // Codes that are not 72 digits within their ranges are bad input.
        {"solve --code " + std::string(72, '1'), 2, {badCode}, {"start: "}},
        {"solve --code " + kSolved + "0", 2, {badCode}, {"start: "}},
        {"solve --code " + kSolved.substr(0, 30) + "A" + kSolved.substr(31), 2, {badCode}, {"start: "}},
        {"open " + path("ones.mf"), 2, {"message: 不能打开文件“", "its position code is not 72 digits"}, {"start: "}},
        // File arguments that are no regular file are refused without waiting.
        {"solve --moves 'R+;T+;F+;' --log " + path("fifo"), 2, {"cannot create the solve log"}, {"start: "}},
        {"batch --count 3 --seed 1 --log /dev/full", 2, {"cannot create the solve log /dev/full\n"}, {"solved: "}},
        // A move text cut at the file's head says so. Counts are bounded.
        {"open " + path("long.mf"), 0, {"message: 文件超过500字节，只执行了前500个字符中的转动！\n"}, {}},
        {"batch --count 0", 2, {"--count: Value 0 not in range 1 to 1000000000"}, {"solved: "}},
        {"batch --count 9223372036854775808", 2, {"--count"}, {"solved: "}},
        {"batch --count 2 --seed 1", 0, {"solved: 2/2\n"}, {"batch: "}},
    };
    for (const Case& c : cases) {
        const auto [out, code] = RunMerged(c.args);
        EXPECT_EQ(code, c.code) << c.args << "\n" << out;
        for (const std::string& part : c.has) EXPECT_NE(out.find(part), std::string::npos) << c.args << ": " << part;
        for (const std::string& part : c.lacks) EXPECT_EQ(out.find(part), std::string::npos) << c.args << ": " << part;
    }
    EXPECT_FALSE(fs::exists(dir / "forced.mf"));
    fs::remove_all(dir);
}

}  // namespace
