// Every way a text reaches velmora-cli runs all of what it was given or refuses it,
// naming why: one row per fault found by a hostile run of the text inputs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::RunCli;

std::string Repeated(std::string_view piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

constexpr std::string_view kSolvedCode =
    "110120130140210220230240310320330340410420430440510520530540123456000000";

struct TextInputCase {
    const char* name;
    std::string file;      // written to $F when not empty
    std::string args;      // $F stands for the file's path
    int exitCode;
    std::string said;      // a part of standard output and error
    std::string notSaid;   // must not appear there (raw bytes)
};

const TextInputCase kCases[] = {
    {"StateRefusesMovesPastTheRecord", Repeated("R+;", 3333) + "T+;", "state \"$(cat $F)\"", 2,
     "more moves than the move record holds (9999 characters, 3333 face turns)", "turns: 3333"},
    {"StateRunsTheRecordsLimitWhole", Repeated("R+;", 3333), "state \"$(cat $F)\"", 0, "turns: 3333", ""},
    {"SolveRefusesMovesPastTheRecord", Repeated("R+;", 3334), "solve --moves \"$(cat $F)\"", 2, "--moves: more moves", ""},
    {"SaveWritesNothingPastTheRecord", Repeated("R+;", 3334), "save $F.mf --moves \"$(cat $F)\"", 2, "--moves: more moves", "start:"},
    {"NetRefusesMovesPastTheRecord", Repeated("R+;", 3334), "net \"$(cat $F)\"", 2, "MOVES: more moves", "cell:"},
    {"AlgRefusesMovesPastTheRecord", Repeated("R ", 3334), "state --alg \"$(cat $F)\"", 2, "--alg: more moves", ""},
    {"OpenRefusesAHeadThatLooksLikeABadCode",
     "911120130140442220230412341320330311241420430211111520530540123456020000  1 F*;\r\n<HTML>F+;R+;</HTML>\r\n",
     "open $F", 2, "its position code is not 72 digits", "start:"},
    {"CodeRefusesADigitRunThatIsNoCode", "", "solve --code 911120130140", 2, "a position code is 72 digits", ""},
    {"OpenRefusesANulInAMoveText", std::string("R+;\0T+;F+;", 10), "open $F", 2, "控制字符“\\x00”（第4个字节）", "start:"},
    {"MovesRefuseAControlCharacter", "R+;\aT+;", "state \"$(cat $F)\"", 2, "control character \\x07 at character 4", "\a"},
    {"CommutatorTakesOneComma", "", "format '[R,U,F]'", 2, "括号中只能有一个逗号或冒号：“,”（第 5 个字符）", ""},
    {"ConjugateTakesNoComma", "", "format '[R:U,F]'", 2, "（第 5 个字符）", ""},
    {"ConjugateNeedsMovesAfterTheColon", "", "format '[R:]'", 2, "后面没有转动：“]”（第 4 个字符）", ""},
    {"ConjugateNeedsMovesBeforeTheColon", "", "format '[:R]'", 2, "前面没有转动：“:”（第 2 个字符）", ""},
    {"CommutatorNeedsMovesBeforeTheComma", "", "format '[,R]'", 2, "前面没有转动：“,”（第 2 个字符）", ""},
    {"LargeRepeatIsNamedAsACount", "", "format '(R)999999999'", 2, "重复次数太大（最多99次）：“999999999”（第 4 个字符）", ""},
    {"RepeatPastAnIntIsNamedAsACount", "", "format '(R U)2147483648'", 2, "重复次数太大（最多99次）：“2147483648”（第 6 个字符）", ""},
    {"FormatReadsTheStageMarksOfASolution", "", "format 'T+;R-;#F+;FT,B-;#P*;'", 0, "own: T+;R-;F+;FT,B-;P*;", ""},
    {"AlgReadsTheStageMarksOfASolution", "", "state --alg 'R U # F # x'", 0, "record: R+;T+;F+;FT,", ""},
    {"FaceletsTakeBlanksAndLowerCase", "",
     "solve --facelets 'uuuuuuuuu rrrrrrrrr fffffffff ddddddddd lllllllll bbbbbbbbb'", 0,
     std::string("start: ") + std::string(kSolvedCode), ""},
    {"MessagesEscapeControlCharacters", "R \aU", "format \"$(cat $F)\"", 2, "“\\x07”（第 3 个字符）", "\a"},
    {"MessagesEscapeInvalidBytes", "R \xffQ", "format \"$(cat $F)\"", 2, "“\\xFFQ”", "\xff"},
    {"MessagesEscapeDirectionMarks", "R \xE2\x80\xAEQ", "format \"$(cat $F)\"", 2, "“\\u202EQ”", "\xE2\x80\xAE"},
};

class CliTextInput : public ::testing::TestWithParam<TextInputCase> {};

TEST_P(CliTextInput, RunsAllOrRefusesNamingWhy) {
    const TextInputCase& c = GetParam();
    const fs::path dir = fs::temp_directory_path() / ("velmora-cli-text-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "input").string();
    if (!c.file.empty()) std::ofstream(file, std::ios::binary) << c.file;
    std::string args = c.args;
    for (std::size_t at; (at = args.find("$F")) != std::string::npos;) args.replace(at, 2, file);
    const auto r = RunCli(args, true);
    fs::remove_all(dir);
    EXPECT_EQ(r.code, c.exitCode) << r.out.substr(0, 400);
    EXPECT_NE(r.out.find(c.said), std::string::npos) << r.out.substr(0, 400);
    if (!c.notSaid.empty()) {
        EXPECT_EQ(r.out.find(c.notSaid), std::string::npos) << r.out.substr(0, 400);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, CliTextInput, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
