// Finding and reading cube faces in generated photos, and loading photo files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "photos/face_reader.h"
#include "photos/photo_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace velmora;

// The reference colour nearest to a sample read under neutral light.
int Nearest(const Rgb& c) {
    int best = 0;
    float bestD = 1e9f;
    for (int k = 0; k < 6; ++k) {
        const Rgb& r = test::kStickerColours[k];
        const float d = (c.r - r.r) * (c.r - r.r) + (c.g - r.g) * (c.g - r.g) + (c.b - r.b) * (c.b - r.b);
        if (d < bestD) bestD = d, best = k;
    }
    return best;
}

struct ViewCase {
    const char* name;
    double roll, yaw, pitch, share;
    bool stickerless;
    double glare, shadow;
    int clutter;
};

class FaceFinderViews : public ::testing::TestWithParam<ViewCase> {};

TEST_P(FaceFinderViews, FindsTheGridAndReadsTheNineColours) {
    const ViewCase& c = GetParam();
    std::array<int, 9> truth{};
    test::FaceView v;
    for (int i = 0; i < 9; ++i) truth[i] = (i * 5 + 3) % 6, v.colours[i] = test::kStickerColours[truth[i]];
    v.rollDeg = c.roll, v.yawDeg = c.yaw, v.pitchDeg = c.pitch, v.faceShare = c.share;
    v.stickerless = c.stickerless, v.glare = c.glare, v.shadow = c.shadow, v.clutter = c.clutter;
    v.jpegQuality = 80;
    photos::Quad quad;
    const cv::Mat img = test::RenderFaceView(v, &quad);
    const photos::FaceReading r = photos::FindFace(img);
    ASSERT_TRUE(r.found);
    const double side = std::hypot(quad[1][0] - quad[0][0], quad[1][1] - quad[0][1]);
    for (int k = 0; k < 4; ++k)
        EXPECT_LT(std::hypot(r.quad[k][0] - quad[k][0], r.quad[k][1] - quad[k][1]), 0.05 * side) << "corner " << k;
    if (c.shadow > 0) return;  // darkened stickers are for the colour resolution to tell apart
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Nearest(r.samples[i]), truth[i]) << "sticker " << i;
    // The user's outline at the same place reads the same colours.
    const photos::FaceReading placed = photos::ReadFaceAt(img, quad);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Nearest(placed.samples[i]), truth[i]) << "placed sticker " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Views, FaceFinderViews,
    ::testing::Values(ViewCase{"Square", 0, 0, 0, 0.6, false, 0, 0, 10},
                      ViewCase{"TurnedAndOffAxis", 24, 18, -15, 0.5, false, 0, 0, 30},
                      ViewCase{"SmallOnBusyBackground", -20, -10, 10, 0.22, false, 0, 0, 80},
                      ViewCase{"Stickerless", 12, -20, 8, 0.7, true, 0, 0, 30},
                      ViewCase{"Glare", 5, -12, 6, 0.55, false, 230, 0, 30},
                      ViewCase{"ShadowAcross", -8, 10, 20, 0.45, false, 0, 0.5, 30}),
    [](const ::testing::TestParamInfo<ViewCase>& i) { return std::string(i.param.name); });

TEST(FaceFinder, PicturesWithoutACubeHaveNoFace) {
    test::FaceView v;
    v.faceShare = 0;
    v.clutter = 40;
    EXPECT_FALSE(photos::FindFace(test::RenderFaceView(v)).found);
    EXPECT_FALSE(photos::FindFace(cv::Mat(600, 800, CV_8UC3, cv::Scalar(90, 120, 30))).found);
    EXPECT_FALSE(photos::FindFace(cv::Mat()).found);
    // An outline that is not a convex quadrilateral reads nothing.
    EXPECT_FALSE(photos::ReadFaceAt(cv::Mat(100, 100, CV_8UC3), {{{0, 0}, {50, 50}, {0, 50}, {50, 0}}}).found);
    EXPECT_FALSE(photos::ReadFaceAt(cv::Mat(100, 100, CV_8UC3), {{{0, 0}, {NAN, 0}, {50, 50}, {0, 50}}}).found);
}

// Squares of one colour on a darker ground that run off the picture's edge are no face,
// even when they are more regular than the cube's own stickers.
TEST(FaceFinder, PrefersTheCubeToAGridCutOffByTheEdge) {
    test::FaceView v;
    for (int i = 0; i < 9; ++i) v.colours[i] = test::kStickerColours[(i * 5 + 3) % 6];
    v.faceShare = 0.4, v.centreX = 0.3, v.rollDeg = 8, v.glare = 230, v.clutter = 10;
    photos::Quad quad;
    cv::Mat img = test::RenderFaceView(v, &quad);
    const int side = img.rows / 7, gap = side / 6;
    cv::rectangle(img, cv::Rect(img.cols - 3 * side, img.rows / 3 - gap, 3 * side, 3 * side + gap), cv::Scalar(60, 50, 90), cv::FILLED);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            cv::rectangle(img, cv::Rect(img.cols - 3 * side + gap + c * side, img.rows / 3 + r * side, side - gap, side - gap),
                          cv::Scalar(219, 140, 245), cv::FILLED);
    const photos::FaceReading r = photos::FindFace(img);
    ASSERT_TRUE(r.found);
    EXPECT_LT(std::hypot(r.quad[0][0] - quad[0][0], r.quad[0][1] - quad[0][1]), 0.1 * img.rows);
}

class PhotoFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora-photos-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Write(const char* name, const std::vector<uchar>& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    fs::path dir;
};

TEST_F(PhotoFiles, JpegExifRotationIsApplied) {
    cv::Mat img(100, 200, CV_8UC3, cv::Scalar(0, 0, 0));
    img(cv::Rect(0, 0, 40, 40)).setTo(cv::Scalar(255, 255, 255));  // a white block top-left
    std::vector<uchar> jpg;
    cv::imencode(".jpg", img, jpg);
    // An APP1 Exif segment with orientation 6 (shown turned a quarter clockwise).
    const std::vector<uchar> exif = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
                                     0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 6, 0, 0, 0, 0, 0, 0};
    jpg.insert(jpg.begin() + 2, exif.begin(), exif.end());
    cv::Mat loaded;
    std::string error;
    ASSERT_TRUE(photos::LoadPhoto(Write("turned.jpg", jpg), loaded, error)) << error;
    EXPECT_EQ(loaded.cols, 100);
    EXPECT_EQ(loaded.rows, 200);
    EXPECT_GT(loaded.at<cv::Vec3b>(10, 90)[0], 200);  // the block is now top-right
    EXPECT_LT(loaded.at<cv::Vec3b>(10, 10)[0], 60);
}

TEST_F(PhotoFiles, BadFilesAreRefusedWithTheirNameInTheMessage) {
    cv::Mat img(120, 160, CV_8UC3, cv::Scalar(10, 200, 30));
    std::vector<uchar> jpg, png;
    cv::imencode(".jpg", img, jpg);
    cv::imencode(".png", img, png);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Write("empty.jpg", {}), "空文件"},
        {Write("text.jpg", {'h', 'e', 'l', 'l', 'o'}), "不是可以读取的图片"},
        {Write("cut.jpg", {jpg.begin(), jpg.begin() + jpg.size() / 2}), "不完整"},
        {Write("cut.png", {png.begin(), png.end() - 20}), "不完整"},
        {(dir / "missing.png").string(), "无法打开"},
        {dir.string(), "无法打开"},
    };
    for (const auto& [path, what] : cases) {
        cv::Mat loaded;
        std::string error;
        EXPECT_FALSE(photos::LoadPhoto(path, loaded, error)) << path;
        EXPECT_NE(error.find(what), std::string::npos) << error;
        EXPECT_NE(error.find(photos::PhotoName(path)), std::string::npos) << error;
        EXPECT_TRUE(loaded.empty());
    }
    cv::Mat loaded;
    std::string error;
    EXPECT_TRUE(photos::LoadPhoto(Write("whole.png", png), loaded, error)) << error;
}

}  // namespace
