// The colour resolution on generated measured-colour sets: round trips under shifted
// light, the rotation search, and the inputs no real cube fits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "solvers/colours/colour_resolution.h"
#include "solvers/colours/piece_search.h"
#include "support/measured_colours.h"

namespace {

using velmora::ColourResolution;
using velmora::ResolveColours;
using velmora::ResolveStatus;
using velmora::test::GenerateMeasuredCube;
using velmora::test::LightShift;
using velmora::test::MeasuredCube;

bool Exact(const ColourResolution& r, const MeasuredCube& cube) {
    return r.status == ResolveStatus::Ok && std::memcmp(r.facelets.data(), cube.facelets.data(), 55) == 0;
}

TEST(ColourResolution, ReadsEveryCubeUnderModerateLight) {
    LightShift light;
    light.warmestKelvin = 3500;
    light.coolestKelvin = 7500;
    light.exposureEv = 1.0f;
    light.glareShare = 0;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        const MeasuredCube cube = GenerateMeasuredCube(seed, light);
        const ColourResolution r = ResolveColours(cube.faces, false);
        ASSERT_TRUE(Exact(r, cube)) << "seed " << seed << ": " << r.facelets.data();
    }
}

TEST(ColourResolution, HardLightIsReadOrItsErrorsAreInDoubt) {
    int exact = 0, wrongUndoubted = 0;
    for (std::uint32_t seed = 1000; seed < 1200; ++seed) {
        const MeasuredCube cube = GenerateMeasuredCube(seed);
        const ColourResolution r = ResolveColours(cube.faces, false);
        if (Exact(r, cube)) { ++exact; continue; }
        if (r.status != ResolveStatus::Ok) continue;  // refused: not reported as read
        for (int i = 0; i < 54; ++i)
            if (r.facelets[static_cast<std::size_t>(i)] != cube.facelets[static_cast<std::size_t>(i)] && !r.doubt[static_cast<std::size_t>(i)]) {
                ++wrongUndoubted;
                break;
            }
    }
    EXPECT_GE(exact, 190);
    EXPECT_LE(wrongUndoubted, 4);
}

TEST(ColourResolution, RotationSearchTurnsEveryFaceBack) {
    LightShift light;
    light.rotateFaces = true;
    light.glareShare = 0.1f;
    light.exposureEv = 1.0f;
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        const MeasuredCube cube = GenerateMeasuredCube(seed, light);
        const ColourResolution r = ResolveColours(cube.faces, true);
        ASSERT_TRUE(Exact(r, cube)) << "seed " << seed;
        EXPECT_EQ(r.rotations, cube.rotations) << "seed " << seed;
        // Taken as they lie, the turned faces are no cube (or another one).
        EXPECT_FALSE(Exact(ResolveColours(cube.faces, false), cube)) << "seed " << seed;
    }
}

TEST(ColourResolution, StickersThatCouldBeCycledAreInDoubt) {
    LightShift even;  // one light on every face, no noise
    even.warmestKelvin = even.coolestKelvin = 6504;
    even.exposureEv = even.noise = even.glareShare = even.shading = 0;
    MeasuredCube cube = GenerateMeasuredCube(21, even);
    // Three edges with a U sticker: their other stickers, made one colour, can be
    // cycled among them (an even permutation, no flip changes): three equal cubes.
    int others[3], n = 0;
    for (const auto& edge : velmora::colours::kEdgeFacelets)
        for (int j = 0; j < 2 && n < 3; ++j)
            if (cube.facelets[static_cast<std::size_t>(edge[static_cast<std::size_t>(j)])] == 'U')
                others[n++] = edge[static_cast<std::size_t>(1 - j)];
    ASSERT_EQ(n, 3);
    velmora::Rgb mean;
    for (int i : others) {
        const velmora::Rgb& c = cube.faces[static_cast<std::size_t>(i / 9)][static_cast<std::size_t>(i % 9)];
        mean = {mean.r + c.r / 3, mean.g + c.g / 3, mean.b + c.b / 3};
    }
    for (int i : others) cube.faces[static_cast<std::size_t>(i / 9)][static_cast<std::size_t>(i % 9)] = mean;
    const ColourResolution r = ResolveColours(cube.faces, false);
    ASSERT_EQ(r.status, ResolveStatus::Ok);
    for (int i : others) EXPECT_TRUE(r.doubt[static_cast<std::size_t>(i)]) << "sticker " << i;
    int doubts = 0;
    for (bool d : r.doubt) doubts += d;
    EXPECT_LE(doubts, 6);  // the mean colour may lie near a fourth piece's, no more
}

TEST(ColourResolution, RefusesTwoCentresOfOneColour) {
    LightShift light;
    light.glareShare = 0;
    MeasuredCube cube = GenerateMeasuredCube(7, light);
    cube.faces[3] = cube.faces[0];  // the top photographed again as the bottom
    const ColourResolution r = ResolveColours(cube.faces, false);
    EXPECT_EQ(r.status, ResolveStatus::SameCentres);
    EXPECT_EQ(r.otherFace, 0);
    EXPECT_EQ(r.badFace, 3);
}

TEST(ColourResolution, RefusesColoursNoRealCubeFitsAndNamesTheSticker) {
    LightShift light;
    light.glareShare = 0;
    MeasuredCube cube = GenerateMeasuredCube(11, light);
    // A black sample (the plastic between stickers): no class is near it, and glare
    // only brightens.
    cube.faces[2][1] = {0, 0, 0};
    const ColourResolution r = ResolveColours(cube.faces, false);
    EXPECT_EQ(r.status, ResolveStatus::NoCube);
    EXPECT_EQ(r.badSticker, 19);
}

}  // namespace
