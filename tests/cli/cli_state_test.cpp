// velmora-cli as scripts see it: its output lines and exit codes.
#include <gtest/gtest.h>

#include <string>

#include "support/cli_runner.h"

namespace {

using velmora::test::CliRun;

CliRun Cli(const std::string& args) { return velmora::test::RunCli(args); }

TEST(CliState, PrintsTheSpecifiedLines) {
    CliRun r = Cli("state 'F+;T+;R-;'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "code: 120321140340231421440242130520330511220210430412310110530540123456113000\n"
              "facelets: LUBLUBLULBRRBRRBUUURUFFUFFURRRDDFDDFFFFLLDLLDDLDDBBRBB\n"
              "colours: LUBLUBLULBRRBRRBUUURUFFUFFURRRDDFDDFFFFLLDLLDDLDDBBRBB\n"
              "check: 0\n"
              "turns: 3\n"
              "counter: 3\n"
              "record: F+;T+;R-;\n");
}

TEST(CliState, SolvedCubeAndACubeHeldTurned) {
    CliRun solved = Cli("state");
    EXPECT_NE(solved.out.find("facelets: UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB\n"),
              std::string::npos);
    // Held turned, the stickers still match their centres but show other colours.
    CliRun turned = Cli("state 'TF,'");
    EXPECT_NE(turned.out.find("facelets: UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB\n"),
              std::string::npos);
    EXPECT_NE(turned.out.find("colours: BBBBBBBBBRRRRRRRRRUUUUUUUUUFFFFFFFFFLLLLLLLLLDDDDDDDDD\n"),
              std::string::npos);
    // A clockwise right turn as other programs write it.
    CliRun r = Cli("state 'R+;'");
    EXPECT_NE(r.out.find("facelets: UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB\n"),
              std::string::npos);
}

TEST(CliState, UnknownCommandsAndOptionsExitWithTwo) {
    EXPECT_EQ(Cli("frobnicate").code, 2);
    EXPECT_EQ(Cli("state --frobnicate").code, 2);
    EXPECT_EQ(Cli("").code, 2);
    EXPECT_EQ(Cli("--help").code, 0);
    CliRun v = Cli("--version");
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out.rfind("velmora-cli ", 0), 0u);
}

}  // namespace
