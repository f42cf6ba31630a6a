// The colour resolution on generated measured-colour sets: round trips under shifted
// light, the rotation search, and the inputs no real cube fits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "solvers/colours/colour_resolution.h"
#include "solvers/colours/colour_space.h"
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

velmora::colours::Lab CentreLab(const MeasuredCube& cube, std::size_t f) {
    using velmora::colours::LinearFromSrgb;
    const velmora::Rgb& c = cube.faces[f][4];
    return velmora::colours::LabFromLinear({LinearFromSrgb(c.r), LinearFromSrgb(c.g), LinearFromSrgb(c.b)});
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
        EXPECT_EQ(velmora::ContradictionCount(r), 0) << "seed " << seed;
    }
}

TEST(ColourResolution, HardLightIsReadOrItsErrorsAreInDoubt) {
    int exact = 0, wrongUndoubted = 0, exactButContradicted = 0;
    for (std::uint32_t seed = 1000; seed < 1200; ++seed) {
        const MeasuredCube cube = GenerateMeasuredCube(seed);
        const ColourResolution r = ResolveColours(cube.faces, false);
        if (Exact(r, cube)) {
            ++exact;
            exactButContradicted += velmora::ContradictionCount(r) > 0 ? 1 : 0;
            continue;
        }
        if (r.status != ResolveStatus::Ok) continue;  // refused: not reported as read
        for (int i = 0; i < 54; ++i)
            if (r.facelets[static_cast<std::size_t>(i)] != cube.facelets[static_cast<std::size_t>(i)] && !r.doubt[static_cast<std::size_t>(i)]) {
                ++wrongUndoubted;
                break;
            }
    }
    EXPECT_GE(exact, 190);
    EXPECT_LE(wrongUndoubted, 4);
    // A true read under hard light is seldom taken for a cube no real cube is.
    EXPECT_LE(exactButContradicted, 4);
}

// Sets whose read went wrong under hard light (two pieces swapped, a whole face's
// light wrong, or with the faces turned the whole cube relabelled under other lights):
// each is read exactly or every wrong sticker is in doubt.
TEST(ColourResolution, WrongReadsAreInDoubt) {
    constexpr struct {
        std::uint32_t seed;
        bool turned;
    } kSets[] = {{100085, false}, {100546, false}, {100976, false}, {101456, false}, {101786, false}, {102484, false},
                 {103864, false}, {105249, false}, {107140, false}, {109553, false}, {109826, false}, {100253, true},
                 {100705, true}};
    for (const auto [seed, turned] : kSets) {
        LightShift light;
        light.rotateFaces = turned;
        const MeasuredCube cube = GenerateMeasuredCube(seed, light);
        const ColourResolution r = ResolveColours(cube.faces, turned);
        ASSERT_EQ(r.status, ResolveStatus::Ok) << "seed " << seed;
        for (std::size_t i = 0; i < 54; ++i)
            EXPECT_TRUE(r.facelets[i] == cube.facelets[i] || r.doubt[i]) << "seed " << seed << " sticker " << i;
    }
}

// Two centres of different colours that measure alike, each under its own light, are
// still two colour classes.
TEST(ColourResolution, AlikeCentresUnderDifferentLightsAreRead) {
    for (std::uint32_t seed : {100643u, 101754u, 101951u, 106166u}) {
        const MeasuredCube cube = GenerateMeasuredCube(seed);
        float closest = 1e9f;
        for (std::size_t a = 0; a < 36; ++a)
            if (a / 6 < a % 6) closest = std::min(closest, velmora::colours::DeltaE2000(CentreLab(cube, a / 6), CentreLab(cube, a % 6), 1));
        ASSERT_LT(closest, 1.0f) << "seed " << seed;  // two centres measure alike
        EXPECT_TRUE(Exact(ResolveColours(cube.faces, false), cube)) << "seed " << seed;
    }
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

// A centre that measures exactly like another (red as orange under warm light) is not
// refused on its own: the classes are estimated from all their stickers, and the pieces
// say which sticker is which.
TEST(ColourResolution, AlikeCentresAreToldApartByThePieces) {
    LightShift light;
    light.glareShare = 0;
    light.exposureEv = 0.5f;
    for (std::uint32_t seed : {3u, 8u, 14u, 27u}) {
        MeasuredCube cube = GenerateMeasuredCube(seed, light);
        // Red is paint 2 and orange paint 3: the red face's centre measured as the orange one.
        const auto red = std::find(cube.paint.begin(), cube.paint.end(), 2) - cube.paint.begin();
        const auto orange = std::find(cube.paint.begin(), cube.paint.end(), 3) - cube.paint.begin();
        cube.faces[static_cast<std::size_t>(red)][4] = cube.faces[static_cast<std::size_t>(orange)][4];
        const ColourResolution r = ResolveColours(cube.faces, false);
        EXPECT_TRUE(Exact(r, cube)) << "seed " << seed << " " << int(r.status) << " " << r.facelets.data();
        EXPECT_EQ(r.askFaceA, -1) << "seed " << seed;
    }
}

// What no real cube shows is said, never rewritten into a real cube: each colouring is
// refused, or its altered stickers and every sticker read wrongly are in doubt.
TEST(ColourResolution, ColouringsNoRealCubeHasAreInDoubtOrRefused) {
    using velmora::Rgb;
    enum Change { ExchangeTwo, Purple, Pink, SameFaceTurnedDarker, TwoIdenticalCentres, AllCentresWhite };
    // Purple on a sticker may lie within the far limit of the blue class under a read's
    // light (17.6 units in one set here): it is then read as blue, and only a sticker read
    // wrongly must be in doubt.
    constexpr struct {
        Change change;
        bool mustRefuse, alteredInDoubt, contradicted;
    } kRows[] = {{ExchangeTwo, false, true, true}, {Purple, false, false, false}, {Pink, false, true, true},
                 {SameFaceTurnedDarker, true, true, false}, {TwoIdenticalCentres, true, true, false},
                 {AllCentresWhite, true, true, false}};
    // As --rgb gives them: one light, a little noise.
    LightShift light;
    light.glareShare = 0;
    light.exposureEv = 0.2f;
    light.warmestKelvin = light.coolestKelvin = 6504;
    for (const auto row : kRows)
        for (std::uint32_t seed = 40; seed < 52; ++seed) {
            MeasuredCube cube = GenerateMeasuredCube(seed, light);
            auto at = [&](int i) -> Rgb& { return cube.faces[static_cast<std::size_t>(i / 9)][static_cast<std::size_t>(i % 9)]; };
            const auto white = std::find(cube.paint.begin(), cube.paint.end(), 0) - cube.paint.begin();
            std::vector<int> altered;
            switch (row.change) {
                case ExchangeTwo: {
                    // A white and a blue sticker on faces of other colours, exchanged.
                    const char w = "URFDLB"[white];
                    const char blue = "URFDLB"[std::find(cube.paint.begin(), cube.paint.end(), 5) - cube.paint.begin()];
                    int a = 0, b = 53;
                    while (a % 9 == 4 || cube.facelets[static_cast<std::size_t>(a)] != w || "URFDLB"[a / 9] == w) ++a;
                    while (b % 9 == 4 || cube.facelets[static_cast<std::size_t>(b)] != blue || "URFDLB"[b / 9] == blue || b / 9 == a / 9) --b;
                    std::swap(at(a), at(b));
                    altered = {a, b};
                    break;
                }
                case Purple: at(10) = {138, 42, 226}, altered = {10}; break;
                case Pink: at(33) = {255, 105, 180}, altered = {33}; break;
                case SameFaceTurnedDarker:
                    cube.faces[3] = velmora::test::TurnFace(cube.faces[0], 1);
                    for (Rgb& c : cube.faces[3]) c = {c.r * 0.6f, c.g * 0.6f, c.b * 0.6f};
                    break;
                case TwoIdenticalCentres: cube.faces[white == 2 ? 1 : 2][4] = cube.faces[static_cast<std::size_t>(white)][4]; break;
                case AllCentresWhite:
                    for (auto& face : cube.faces) face[4] = cube.faces[static_cast<std::size_t>(white)][4];
                    break;
            }
            const ColourResolution r = ResolveColours(cube.faces, false);
            if (r.status != ResolveStatus::Ok) continue;
            // The whole read in doubt is what a refusal is to scan.
            if (row.mustRefuse) {
                EXPECT_GT(std::count(r.doubt.begin(), r.doubt.end(), true), velmora::kMostDoubtsOfARead)
                    << "change " << row.change << " seed " << seed << " " << r.facelets.data() << " centre distances "
                    << r.distance[4] << " " << r.distance[13] << " " << r.distance[22] << " " << r.distance[31] << " "
                    << r.distance[40] << " " << r.distance[49];
            }
            // A read that needs a sticker to be what it plainly does not measure is no read:
            // the sticker is shown as measured.
            if (row.contradicted) {
                EXPECT_GT(velmora::ContradictionCount(r), 0) << "change " << row.change << " seed " << seed;
                for (int i = 0; i < 54; ++i) {
                    if (!r.contradicts[static_cast<std::size_t>(i)] || r.nearerBy[static_cast<std::size_t>(i)] <= 0) continue;
                    EXPECT_NE(r.nearestClass[static_cast<std::size_t>(i)], r.facelets[static_cast<std::size_t>(i)])
                        << "change " << row.change << " seed " << seed << " sticker " << i;
                }
            }
            for (int i : altered) {
                if (!row.alteredInDoubt) continue;
                EXPECT_TRUE(r.doubt[static_cast<std::size_t>(i)]) << "change " << row.change << " seed " << seed << " sticker " << i
                                                                  << " distance " << r.distance[static_cast<std::size_t>(i)];
            }
            for (std::size_t i = 0; i < 54; ++i)
                EXPECT_TRUE(r.facelets[i] == cube.facelets[i] || r.doubt[i]) << "change " << row.change << " seed " << seed << " sticker " << i;
        }
}

TEST(ColourResolution, RefusesTheSameFacePhotographedTwice) {
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
