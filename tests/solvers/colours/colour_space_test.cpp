// The colour arithmetic against published CIEDE2000 reference pairs (lightness weight 1).
#include <gtest/gtest.h>

#include "solvers/colours/colour_space.h"

namespace {

using velmora::colours::DeltaE2000;
using velmora::colours::Lab;

TEST(ColourSpace, DeltaE2000MatchesReferencePairs) {
    struct Pair { Lab x, y; float expected; };
    const Pair pairs[] = {
        {{50, 2.6772f, -79.7751f}, {50, 0, -82.7485f}, 2.0425f},
        {{50, 0, 0}, {50, -1, 2}, 2.3669f},                       {{50, 2.49f, -0.001f}, {50, -2.49f, 0.0009f}, 7.1792f},
        {{50, 2.5f, 0}, {73, 25, -18}, 27.1492f},                 {{50, 2.5f, 0}, {50, 3.1736f, 0.5854f}, 1.0f},
        {{60.2574f, -34.0099f, 36.2677f}, {60.4626f, -34.1751f, 39.4387f}, 1.2644f},
        {{6.7747f, -0.2908f, -2.4247f}, {5.8714f, -0.0985f, -2.2286f}, 0.6377f},
    };
    for (const Pair& p : pairs) {
        EXPECT_NEAR(DeltaE2000(p.x, p.y, 1.0f), p.expected, 2e-3f) << p.expected;
        EXPECT_NEAR(DeltaE2000(p.y, p.x, 1.0f), p.expected, 2e-3f) << p.expected;
    }
}

}  // namespace
