// velmora-cli scan --video on files that are no video: exit 2 and a message naming the
// file. (Reading a real video is checked by the window test on the same capture path,
// and measured by velmora_video_rate.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "support/cli_runner.h"

namespace {

TEST(CliScanVideo, FilesThatAreNoVideoExitWithTwoAndAreNamed) {
    namespace fs = std::filesystem;
    const fs::path junk = fs::temp_directory_path() / ("velmora-scan-" + std::to_string(::getpid()) + ".avi");
    std::ofstream(junk) << "no video here";
    for (const fs::path& file : {junk, junk.parent_path() / "velmora-no-such-video.avi"}) {
        const velmora::test::CliRun run = velmora::test::RunCli("scan --video '" + file.string() + "'", true);
        EXPECT_EQ(run.code, 2) << run.out;
        EXPECT_NE(run.out.find("message: " + file.filename().string()), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("facelets:"), std::string::npos) << run.out;
    }
    fs::remove(junk);
}

}  // namespace
