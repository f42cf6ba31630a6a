// velmora-cli solve --facelets / --code / --centres and scramble, as scripts see them.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/cli_runner.h"

namespace {

using velmora::test::CliRun;
using velmora::test::RunCli;

std::string ValueLine(const std::string& out, const std::string& name) {
    std::size_t at = out.find(name + ": ");
    if (at == std::string::npos) return "";
    at += name.size() + 2;
    return out.substr(at, out.find('\n', at) - at);
}

TEST(CliInput, FaceletsOfTheStateCommandSolveBackToTheSamePosition) {
    std::mt19937 rng(2024);
    const char* turns[] = {"T+", "T-", "F+", "F*", "R-", "R+", "P+", "P-", "L*", "L+", "B-", "B+"};
    for (int i = 0; i < 12; ++i) {
        std::string moves;
        for (int k = 0; k < 20; ++k) moves += std::string(turns[rng() % 12]) + ";";
        CliRun state = RunCli("state '" + moves + "'");
        ASSERT_EQ(state.code, 0);
        CliRun solve = RunCli("solve --facelets " + ValueLine(state.out, "facelets"));
        ASSERT_EQ(solve.code, 0) << moves;
        EXPECT_EQ(ValueLine(solve.out, "start").substr(0, 66), ValueLine(state.out, "code").substr(0, 66)) << moves;
        EXPECT_EQ(ValueLine(solve.out, "result"), "1");
    }
}

TEST(CliInput, FaultyColouringsEndWithTheirMessageAndExitTwo) {
    const std::string solved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
    // A flipped top-front edge: U index 7 and F index 19 exchanged.
    std::string flipped = solved;
    flipped[7] = 'F';
    flipped[19] = 'U';
    CliRun r = RunCli("solve --facelets " + flipped, true);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("message: 输入魔方装配错误，至少需要调换边块的色向！"), std::string::npos);
    // Forced, the group method takes it, but the cube is still not restored.
    r = RunCli("solve --force --facelets " + flipped, true);
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_EQ(ValueLine(r.out, "method"), "1");
    EXPECT_EQ(ValueLine(r.out, "unsolvable"), "assembly");

    // Ten top stickers.
    std::string ten = solved;
    ten[19] = 'U';
    r = RunCli("solve --force --facelets " + ten, true);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("message: 输入魔方T面色块数目错误！是否继续填充魔方颜色？"), std::string::npos);
}

TEST(CliInput, MalformedFaceletStringsAreRefusedInOneLine) {
    for (const char* text : {"UUU", "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBX",
                             "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBBB"}) {
        CliRun r = RunCli(std::string("solve --facelets ") + text, true);
        EXPECT_EQ(r.code, 2) << text;
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
    }
}

TEST(CliInput, CodeAndCentreOnlySolves) {
    CliRun r = RunCli("solve --code 120321140340231421440242130520330511220210430412310110530540123456113000");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(ValueLine(r.out, "start").substr(0, 66),
              "120321140340231421440242130520330511220210430412310110530540123456");
    r = RunCli("solve --code 'TALWEN;'");
    EXPECT_EQ(ValueLine(r.out, "method"), "0");
    EXPECT_EQ(ValueLine(r.out, "turns"), "17");

    r = RunCli("solve --centres --moves 'F+;R+;T-;'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(ValueLine(r.out, "method"), "4");
    EXPECT_EQ(ValueLine(r.out, "ids"), "解法各阶段    第8阶段ID:311000    ");
}

TEST(CliInput, ScrambleKindsAreRepeatableBySeed) {
    for (int kind = 1; kind <= 3; ++kind) {
        std::string args = "scramble --kind " + std::to_string(kind) + " --seed 11";
        CliRun a = RunCli(args), b = RunCli(args);
        EXPECT_EQ(a.code, 0) << kind;
        EXPECT_EQ(a.out, b.out) << kind;
        EXPECT_EQ(ValueLine(a.out, "result"), "1");
    }
    CliRun c = RunCli("scramble --kind 4 --seed 11");
    EXPECT_EQ(c.code, 0);
    EXPECT_EQ(ValueLine(c.out, "result"), "0");
    EXPECT_EQ(ValueLine(c.out, "record"), "");
    EXPECT_EQ(ValueLine(c.out, "start").substr(0, 66),
              "110120130140210220230240310320330340410420430440510520530540123456");
}

}  // namespace
