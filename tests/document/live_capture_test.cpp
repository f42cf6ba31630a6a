// The camera's decisions without a camera: when a grid stands still, and which slot
// each captured face goes to.
#include <gtest/gtest.h>

#include <random>

#include "document/live_capture.h"
#include "document/photo_input.h"

namespace velmora::test {
namespace {

GridCorners Square(float x, float y, float side) { return {{{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}}; }

TEST(StableGrid, CapturesOnlyAfterHalfASecondWithoutMovement) {
    StableGrid g;
    long long t = 0;
    // Drifting 3 % of the side per frame at 30 frames a second never stands still.
    for (int i = 0; i < 60; ++i, t += 33) EXPECT_FALSE(g.Frame(t, true, Square(100 + 6.0f * i, 100, 200)));
    EXPECT_NEAR(g.LastMotion(), 0.03, 1e-3);
    // Standing still (with a little jitter, and the finder naming another corner
    // first) is captured after 500 ms, not before.
    const long long start = t;
    bool stood = false;
    for (int i = 0; i < 20; ++i, t += 33) {
        GridCorners c = Square(500 + (i % 2), 100, 200);
        std::rotate(c.begin(), c.begin() + i % 4, c.end());
        stood = g.Frame(t, true, c);
        EXPECT_EQ(stood, t - start >= 500) << t - start;
    }
    EXPECT_TRUE(stood);
    // A frame without the face starts over.
    EXPECT_FALSE(g.Frame(t, false, {}));
    EXPECT_FALSE(g.Frame(t + 33, true, Square(500, 100, 200)));
    // A slow creep below the frame limit still ends the period once it adds up.
    g.Reset();
    int still = 0;
    for (int i = 0; i < 40; ++i) still += g.Frame(i * 33LL, true, Square(100 + 3.0f * i, 100, 200)) ? 1 : 0;
    EXPECT_LT(still, 10);
}

// Measured centres of a common cube, and the program's own display colours by slot.
constexpr std::array<Rgb, 6> kMeasured = {{
    {200, 40, 45}, {30, 80, 190}, {225, 215, 40}, {240, 120, 25}, {30, 160, 70}, {235, 235, 230}}};
constexpr std::array<Rgb, 6> kDisplay = {{
    {255, 65, 100}, {50, 100, 255}, {255, 255, 0}, {255, 60, 255}, {0, 255, 0}, {230, 230, 230}}};

// Face f of the cube the facelet string describes, measured, turned `turns` quarters.
FaceSamples Seen(std::string_view facelets, int f, int turns) {
    FaceSamples s;
    for (int i = 0; i < 9; ++i) {
        int r = i / 3, c = i % 3;
        for (int t = 0; t < turns; ++t) std::tie(r, c) = std::pair(2 - c, r);
        s[static_cast<std::size_t>(3 * r + c)] = kMeasured[kFaceletLetters.find(facelets[static_cast<std::size_t>(9 * f + i)])];
    }
    return s;
}

TEST(FaceCaptures, PlacesFacesByCentreWhateverTheOrderAndReplacesRetakes) {
    // The position R U F' D2 L B' gives (velmora-cli state).
    const std::string facelets = "RRDBUULRRBBFDRULLUUDDUFFUBBRDDRDDFRBULFLLFDFFLBBLBFLUR";
    std::mt19937 rng(3);
    for (int round = 0; round < 4; ++round) {
        std::array<int, 6> order = {0, 1, 2, 3, 4, 5};
        std::shuffle(order.begin(), order.end(), rng);
        FaceCaptures captures(kDisplay);
        EXPECT_EQ(captures.Progress().find("把魔方的一面对准摄像头"), 0u);
        for (int k = 0; k < 6; ++k) {
            const FaceSamples face = Seen(facelets, order[static_cast<std::size_t>(k)], static_cast<int>(rng() % 4));
            EXPECT_EQ(captures.SameCentreAs(face), -1);
            EXPECT_EQ(captures.Capture(face), k);
            // Taken again (turned), the same face replaces its capture.
            EXPECT_EQ(captures.Capture(Seen(facelets, order[static_cast<std::size_t>(k)], 1)), k);
        }
        EXPECT_EQ(captures.Count(), 6);
        EXPECT_EQ(captures.Progress(), "六面都已拍下。");
        for (int k = 0; k < 6; ++k) EXPECT_EQ(captures.SlotOfCapture()[static_cast<std::size_t>(k)], order[static_cast<std::size_t>(k)]);
    }
    FaceCaptures two(kDisplay);
    two.Capture(Seen(facelets, 5, 0));
    two.Capture(Seen(facelets, 2, 0));
    EXPECT_EQ(two.Progress(), "已拍下中心为白、黄的两面；还差四面（中心颜色还没见过）。");
}

}  // namespace
}  // namespace velmora::test
