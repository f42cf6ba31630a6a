// velmora-cli scan on files that are not what they claim: each refused at once with
// exit 2 and one message of ours (the libraries' own output kept off standard error);
// options that would be ignored refused too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::RunCli;

class CliScanFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora-scan-files-" + std::to_string(::getpid()));
        fs::create_directories(dir / "folder.mp4");
        ::mkfifo((dir / "pipe").c_str(), 0600);
        std::ofstream(dir / "empty.mp4");
        std::ofstream(dir / "big.txt") << std::string(100 * 1024, '1');
        // A complete JPEG whose header claims 30,000 x 30,000 pixels.
        const unsigned char huge[] = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x75, 0x30, 0x75, 0x30, 0x03, 0x01, 0x11,
                                      0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00,
                                      0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0x12, 0x34, 0xFF, 0xD9};
        std::ofstream(dir / "huge.jpg", std::ios::binary).write(reinterpret_cast<const char*>(huge), sizeof huge);
        // A file far larger than any photo (sparse: no disk used).
        std::ofstream(dir / "large.jpg", std::ios::binary).write("\xFF\xD8\xFF", 3);
        fs::resize_file(dir / "large.jpg", 1ull << 30);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string P(const char* name) const { return "'" + (dir / name).string() + "'"; }
    std::string Six(const char* name) const {
        std::string s;
        for (int i = 0; i < 6; ++i) s += " " + P(name);
        return s;
    }
    fs::path dir;
};

TEST_F(CliScanFiles, EachBadFileIsRefusedAtOnceWithOneMessage) {
    const struct {
        std::string args, says;
    } kRows[] = {
        {"--rgb @/dev/zero", "/dev/zero is not a regular file"},
        {"--rgb @" + P("pipe"), "pipe is not a regular file"},
        {"--rgb @" + P("folder.mp4"), "is not a regular file"},
        {"--rgb @" + P("big.txt"), "is larger than 65536 bytes"},
        {"--video " + P("folder.mp4"), "folder.mp4 is not a regular file"},
        {"--video " + P("pipe"), "pipe is not a regular file"},
        {"--video " + P("empty.mp4"), "message: empty.mp4：是空文件"},
        {"--video " + P("missing.mp4"), "message: missing.mp4：找不到这个视频文件"},
        {Six("pipe"), "pipe is not a regular file"},
        {Six("huge.jpg"), "30000 × 30000 像素，最多 50 百万像素"},
        {Six("large.jpg"), "太大（超过64 MB）"},
        {"--video " + P("empty.mp4") + Six("huge.jpg"), "not several together"},
        {"--rgb '1,1,1' --video " + P("empty.mp4"), "not several together"},
    };
    for (const auto& row : kRows) {
        const velmora::test::CliRun run = RunCli("scan " + row.args, true);
        EXPECT_EQ(run.code, 2) << row.args << "\n" << run.out;
        EXPECT_NE(run.out.find(row.says), std::string::npos) << row.args << "\n" << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << row.args << "\n" << run.out;
    }
}

}  // namespace
