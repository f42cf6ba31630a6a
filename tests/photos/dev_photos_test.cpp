// The real photos kept for development: every six-photo set read exactly, every single
// face's grid found where its corners are, and its nine colours read at the given
// corners grouped as the cube shows them. Skipped where the photos are not present.
#include <gtest/gtest.h>

#include "photos/cube_photos.h"
#include "photos/dev_photos.h"

namespace velmora::test {
namespace {

class DevSets : public ::testing::TestWithParam<DevSet> {};

TEST_P(DevSets, AreReadExactlyFromTheirPhotos) {
    const std::string dir = DevPhotosDir();
    if (dir.empty()) GTEST_SKIP() << "no photos-dev folder";
    std::array<std::string, 6> paths;
    for (std::size_t f = 0; f < 6; ++f) paths[f] = dir + "/" + std::string(GetParam().name) + "/" + "URFDLB"[f] + ".jpg";
    const photos::CubeFromPhotos cube = photos::ReadCubePhotos(paths);
    ASSERT_TRUE(cube.ok) << cube.error;
    EXPECT_EQ(std::string_view(cube.resolution.facelets.data()), GetParam().facelets);
    int doubts = 0;
    for (bool d : cube.resolution.doubt) doubts += d ? 1 : 0;
    EXPECT_LE(doubts, kMostDoubtsOfARead);
    EXPECT_EQ(cube.resolution.askFaceA, -1);
}

INSTANTIATE_TEST_SUITE_P(Real, DevSets, ::testing::ValuesIn(kDevSets),
                         [](const auto& info) { return "set" + std::to_string(info.index); });

class DevFaces : public ::testing::TestWithParam<DevFace> {};

TEST_P(DevFaces, GridIsFoundAtItsCornersAndItsColoursGroupAsOnTheCube) {
    const std::string dir = DevPhotosDir();
    if (dir.empty()) GTEST_SKIP() << "no photos-dev folder";
    const DevFace& face = GetParam();
    cv::Mat bgr;
    std::string error;
    ASSERT_TRUE(photos::LoadPhoto(dir + "/faces/" + std::string(face.name) + ".jpg", bgr, error)) << error;
    // Screenshots with the capturing program's marks drawn over the stickers are read
    // at their given corners only. So is the stickerless face seen corner-on with three
    // faces in view: the finder does not find it yet, the user places its corners.
    if (!face.overlay && face.name != "pn-stickerless-top") {
        const photos::FaceReading found = photos::FindFace(bgr);
        ASSERT_TRUE(found.found) << face.name;
        EXPECT_LT(CornerError(found.quad, face.corners), 0.08) << face.name;
    }
    EXPECT_TRUE(GroupsLikeColours(photos::ReadFaceAt(bgr, face.corners).samples, face.colours)) << face.name;
}

INSTANTIATE_TEST_SUITE_P(Real, DevFaces, ::testing::ValuesIn(kDevFaces), [](const auto& info) {
    std::string name(info.param.name);
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
});

// The cube turned about the vertical axis (the front face goes to the left): the side
// faces pass their stickers on, the top turns clockwise, the bottom anticlockwise, and
// the letters follow the centres.
std::string TurnedAboutVertical(std::string_view s) {
    std::string out(54, '?');
    constexpr int kFrom[6] = {0, 5, 1, 3, 2, 4};  // U R F D L B take U B R D F L
    for (int f = 0; f < 6; ++f)
        for (int i = 0; i < 9; ++i) {
            const int r = i / 3, c = i % 3;
            int src = i;
            if (f == 0) src = 3 * (2 - c) + r;
            if (f == 3) src = 3 * c + (2 - r);
            out[static_cast<std::size_t>(9 * f + i)] = s[static_cast<std::size_t>(9 * kFrom[f] + src)];
        }
    std::string relabelled = out;
    for (std::size_t k = 0; k < 54; ++k)
        for (int f = 0; f < 6; ++f)
            if (out[static_cast<std::size_t>(9 * f + 4)] == out[k]) relabelled[k] = "URFDLB"[f];
    return relabelled;
}

TEST(DevSets, AnyHoldOfTheCubeCountsAsTheSameCube) {
    const std::string a(kDevSets[0].facelets);
    const std::string turned = TurnedAboutVertical(a);
    EXPECT_NE(turned, a);
    EXPECT_TRUE(SameCubeAnyHold(turned, a));
    EXPECT_TRUE(SameCubeAnyHold(TurnedAboutVertical(turned), a));
    EXPECT_FALSE(SameCubeAnyHold(a, kDevSets[1].facelets));
    std::string swapped = a;
    std::swap(swapped[0], swapped[1]);
    EXPECT_FALSE(SameCubeAnyHold(swapped, a));
}

}  // namespace
}  // namespace velmora::test
