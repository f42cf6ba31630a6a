// The camera's decisions without a camera: when a grid stands still, and which slot
// each captured face goes to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "document/live_capture.h"
#include "document/photo_input.h"
#include "support/sanitized.h"

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
    for (int round = 0; round < Rounds(4); ++round) {
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

// A face seen at 25 frames a second at one place: colours(t) gives its nine colours at
// time t (ms); the state of every frame.
template <class Colours>
std::vector<SteadyFace::State> Watch(SteadyFace& steady, long long from, long long to, Colours colours) {
    std::vector<SteadyFace::State> states;
    for (long long t = from; t < to; t += 40) states.push_back(steady.Frame(t, true, Square(300, 200, 240), colours(t)));
    return states;
}

FaceSamples Mix(const FaceSamples& a, const FaceSamples& b, double p) {
    FaceSamples m;
    for (std::size_t i = 0; i < 9; ++i)
        m[i] = {float(a[i].r + (b[i].r - a[i].r) * p), float(a[i].g + (b[i].g - a[i].g) * p), float(a[i].b + (b[i].b - a[i].b) * p)};
    return m;
}

// A camera stand-in: one face held still, a half-second cross-fade into the next at
// the same place, the next held. The grid never moves; only the colours tell that the
// fade is no face.
TEST(SteadyFace, ACrossFadeIsNeverCapturedAndTheSettledFaceIsWithItsMedians) {
    const std::string facelets = "RRDBUULRRBBFDRULLUUDDUFFUBBRDDRDDFRBULFLLFDFFLBBLBFLUR";
    const FaceSamples first = Seen(facelets, 0, 0), next = Seen(facelets, 2, 0);
    for (const long long fadeMs : {300LL, 500LL, 1000LL}) {
        SteadyFace steady;
        const auto held = Watch(steady, 0, 1000, [&](long long) { return first; });
        EXPECT_EQ(held.back(), SteadyFace::State::Steady);
        EXPECT_EQ(std::count(held.begin(), held.end(), SteadyFace::State::Steady), 12);  // from 520 ms on
        steady.Reset();
        const auto fade = Watch(steady, 1000, 1000 + fadeMs, [&](long long t) { return Mix(first, next, double(t - 1000) / fadeMs); });
        EXPECT_EQ(std::count(fade.begin(), fade.end(), SteadyFace::State::Steady), 0) << fadeMs;
        // Once the fade is over the colours wait half a second, then the face is taken.
        const auto after = Watch(steady, 1000 + fadeMs, 2500 + fadeMs, [&](long long) { return next; });
        const auto firstSteady = std::find(after.begin(), after.end(), SteadyFace::State::Steady) - after.begin();
        EXPECT_GE(firstSteady * 40, 440) << fadeMs;
        EXPECT_LE(firstSteady * 40, 560) << fadeMs;
        EXPECT_EQ(after[static_cast<std::size_t>(firstSteady) - 1], SteadyFace::State::ColoursChanging);
        EXPECT_EQ(SteadyFaceLine(SteadyFace::State::ColoursChanging), "请稍等，颜色还在变化…");
        for (std::size_t i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(steady.Samples()[i].g, next[i].g);
    }
}

// Exposure settling after a turn (the face getting lighter and lighter) is waited for;
// sensor noise and a passing bad frame are not, and the capture is the medians.
TEST(SteadyFace, SettlingLightIsWaitedForNoiseIsNot) {
    const std::string facelets = "RRDBUULRRBBFDRULLUUDDUFFUBBRDDRDDFRBULFLLFDFFLBBLBFLUR";
    const FaceSamples face = Seen(facelets, 1, 0);
    auto lit = [&](double gain) {
        FaceSamples s = face;
        for (Rgb& c : s) c = {std::min(255.0f, float(c.r * gain)), std::min(255.0f, float(c.g * gain)), std::min(255.0f, float(c.b * gain))};
        return s;
    };
    SteadyFace steady;
    // Exposure from 0.5 to 1 with a time constant of 0.3 s: captured only once the last
    // half second changed by a few units (the exposure then within a fifth of its end).
    const auto settling = Watch(steady, 0, 3000, [&](long long t) { return lit(1 - 0.5 * std::exp(-t / 300.0)); });
    const auto first = std::find(settling.begin(), settling.end(), SteadyFace::State::Steady) - settling.begin();
    EXPECT_GT(first * 40, 600);
    EXPECT_LT(first * 40, 2000);
    steady.Reset();
    std::mt19937 rng(5);
    std::normal_distribution<float> noise(0, 1.0f);
    const auto noisy = Watch(steady, 0, 1000, [&](long long) {
        FaceSamples s = face;
        for (Rgb& c : s) c = {c.r + noise(rng), c.g + noise(rng), c.b + noise(rng)};
        return s;
    });
    EXPECT_EQ(noisy[13], SteadyFace::State::Steady);
    EXPECT_NEAR(steady.Samples()[4].r, face[4].r, 2);
    // A frame without the face starts over.
    EXPECT_EQ(steady.Frame(1000, false, {}, face), SteadyFace::State::NoFace);
    EXPECT_EQ(steady.Frame(1040, true, Square(300, 200, 240), face), SteadyFace::State::Moving);
}

}  // namespace
}  // namespace velmora::test
