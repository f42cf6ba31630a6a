// velmora-cli scan with six photos: generated photos of a known cube give its facelets;
// every kind of bad input exits with 2 and names the photo.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <opencv2/imgcodecs.hpp>

#include "photos/photo_generator.h"
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::CliRun;
using velmora::test::RunCli;

std::string Line(const std::string& out, const std::string& name) {
    std::size_t a = out.find(name + ":");
    if (a == std::string::npos) return "<missing " + name + ">";
    a += name.size() + 1;
    if (a < out.size() && out[a] == ' ') ++a;
    return out.substr(a, out.find('\n', a) - a);
}

// A scrambled cube (the position after R U F' L2 D B').
const std::string kFacelets = "UFFDUUDRRBBDDRULFUBDDBFFFFFUUUDDLFRBBLLBLLLBRRRRLBRLUD";

class CliScanPhotos : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora-cli-scan-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        WritePhotos(kFacelets, "");
    }
    // Six plain views, each turned and tilted its own way, under its own light.
    void WritePhotos(const std::string& facelets, const std::string& prefix, int blackSticker = -1) {
        for (int f = 0; f < 6; ++f) {
            velmora::test::FaceView v;
            v.colours = velmora::test::FaceColours(facelets, f);
            if (blackSticker >= 0 && blackSticker / 9 == f) v.colours[blackSticker % 9] = {15, 15, 15};
            v.width = 960, v.height = 720;
            v.rollDeg = -20 + 8 * f, v.yawDeg = 12 - 5 * f, v.pitchDeg = 3 * f - 8;
            v.faceShare = 0.45 + 0.06 * f;
            v.kelvin = 3500 + 900 * f, v.whiteBalance = 0.6;
            v.stickerless = f == 4;
            v.jpegQuality = 85;
            v.seed = 100 + f;
            cv::imwrite(Photo(f, prefix), velmora::test::RenderFaceView(v));
        }
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Photo(int f, const std::string& prefix = "") const {
        return (dir / (prefix + std::string(1, "URFDLB"[f]) + ".jpg")).string();
    }
    std::string Args(int count, const std::string& prefix = "") const {
        std::string a;
        for (int f = 0; f < count; ++f) a += " '" + Photo(f, prefix) + "'";
        return a;
    }
    fs::path dir;
};

TEST_F(CliScanPhotos, SixPhotosGiveTheCubeAndItsSolution) {
    CliRun run = RunCli("scan" + Args(6), true);
    ASSERT_EQ(run.code, 0) << run.out;
    EXPECT_EQ(Line(run.out, "facelets"), kFacelets);
    EXPECT_EQ(Line(run.out, "rotations"), "0 0 0 0 0 0");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), ','), 108);  // 54 R,G,B triples

    CliRun solved = RunCli("scan" + Args(6) + " --solve --method eight-corner");
    EXPECT_NE(solved.code, 2) << solved.out;
    EXPECT_EQ(Line(solved.out, "method"), Line(RunCli("solve --facelets " + kFacelets + " --method eight-corner").out, "method"));
}

TEST_F(CliScanPhotos, BadInputExitsWithTwoAndNamesThePhoto) {
    auto expectRefused = [&](const std::string& args, const std::string& named) {
        CliRun run = RunCli("scan" + args, true);
        EXPECT_EQ(run.code, 2) << args << "\n" << run.out;
        EXPECT_EQ(run.out.find("facelets:"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(named), std::string::npos) << run.out;
    };
    expectRefused(Args(5), "给了 5 张");
    const std::string bad = (dir / "notes.jpg").string();
    std::ofstream(bad) << "not a picture";
    expectRefused(" '" + bad + "'" + Args(6).substr(Args(1).size()), "notes.jpg");
    // A photo cut off half way.
    std::ifstream in(Photo(3), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = (dir / "cut.jpg").string();
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    expectRefused(Args(3) + " '" + cut + "' '" + Photo(4) + "' '" + Photo(5) + "'", "cut.jpg");
    // No cube in the picture.
    velmora::test::FaceView empty;
    empty.faceShare = 0;
    const std::string wall = (dir / "wall.jpg").string();
    cv::imwrite(wall, velmora::test::RenderFaceView(empty));
    expectRefused(Args(5) + " '" + wall + "'", "wall.jpg");
    // The front face given again instead of the back, as the same file or photographed
    // again in other light: both photos are named.
    expectRefused(Args(5) + " '" + Photo(2) + "'", "F.jpg");
    velmora::test::FaceView again;
    again.colours = velmora::test::FaceColours(kFacelets, 2);
    again.rollDeg = 15, again.kelvin = 8000, again.whiteBalance = 0.5, again.seed = 9;
    const std::string second = (dir / "F-again.jpg").string();
    cv::imwrite(second, velmora::test::RenderFaceView(again));
    expectRefused(Args(5) + " '" + second + "'", "“F-again.jpg”");
    EXPECT_NE(RunCli("scan" + Args(5) + " '" + second + "'", true).out.find("“F.jpg”"), std::string::npos);
    // Colours no real cube fits: one sticker covered by something black.
    WritePhotos(kFacelets, "covered-", 19);
    expectRefused(Args(6, "covered-"), "拼不成");
}

}  // namespace
