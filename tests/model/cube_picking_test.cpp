// Picking on the 3D cube: the sticker under a pane point for several cameras and pane
// sizes, the background and the auxiliary cube, and how a drag chooses and turns its
// layer.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "model/cube_picking.h"

namespace velmora::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Outward normal of a face 1-6 (T F R P L B).
constexpr int kNormals[7][3] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-1, 0, 0}, {0, -1, 0}};

struct Pose {
    double tilt, turn, spin, zoom;
    bool aux;
    int width, height;
};

// The default camera, turned from above, from below, upside down, spun, zoomed in and
// out, with and without the auxiliary cube, in panes of several shapes.
constexpr Pose kPoses[] = {
    {27, -36, 0, 1.0, false, 510, 376},  {27, -36, 0, 1.0, true, 510, 376},   {-40, 130, 0, 1.0, false, 400, 400},
    {160, 20, 0, 1.0, false, 510, 376},  {10, -80, 45, 1.3, true, 640, 300},  {-70, 200, -30, 0.7, true, 300, 520},
    {27, -36, 0, 2.0, false, 510, 376},  {88, 0, 0, 1.0, false, 510, 376},    {-120, -150, 90, 1.1, true, 800, 600},
};

ViewCamera CameraFor(const Pose& p) {
    ViewCamera c;
    c.tilt = p.tilt;
    c.turn = p.turn;
    c.spin = p.spin;
    c.zoom = p.zoom;
    c.auxShown = p.aux;
    c.width = p.width;
    c.height = p.height;
    return c;
}

// The area (square pixels) of the pane image of a quarter-unit square on a face at
// centre, signed so that it is negative for a face seen from outside and positive for
// one seen from behind (through the cube).
double ProjectedArea(const ViewCamera& cam, int face, const double centre[3]) {
    int u = -1, v = -1;
    for (int a = 0; a < 3; ++a)
        if (kNormals[face][a] == 0) (u < 0 ? u : v) = a;
    double pu[3] = {centre[0], centre[1], centre[2]}, pv[3] = {centre[0], centre[1], centre[2]};
    pu[u] += 0.25;
    pv[v] += 0.25;
    double x0, y0, xu, yu, xv, yv;
    if (!ProjectToPane(cam, centre, x0, y0) || !ProjectToPane(cam, pu, xu, yu) || !ProjectToPane(cam, pv, xv, yv))
        return 0;
    // Whether (u, v, normal) is right-handed.
    const int w = 3 - u - v;
    const int handed = ((v - u + 3) % 3 == 1 ? 1 : -1) * kNormals[face][w];
    return handed * ((xu - x0) * (yv - y0) - (yu - y0) * (xv - x0));
}

TEST(CubePicking, TheMiddleOfEveryVisibleStickerNamesThatSticker) {
    for (const Pose& pose : kPoses) {
        const ViewCamera cam = CameraFor(pose);
        int named = 0, hidden = 0;
        for (int face = 1; face <= 6; ++face) {
            for (int i = -1; i <= 1; ++i) {
                for (int j = -1; j <= 1; ++j) {
                    int cell[3];
                    int k = 0;
                    for (int a = 0; a < 3; ++a) cell[a] = kNormals[face][a] != 0 ? kNormals[face][a] : (k++ == 0 ? i : j);
                    double centre[3];
                    for (int a = 0; a < 3; ++a)
                        centre[a] = kNormals[face][a] != 0 ? kNormals[face][a] * kStickerPlane : cell[a] * kCubiePitch;
                    double x, y;
                    ASSERT_TRUE(ProjectToPane(cam, centre, x, y));
                    const std::string what = "pose " + std::to_string(&pose - kPoses) + " face " +
                                             std::to_string(face) + " cell " + std::to_string(i) + "," +
                                             std::to_string(j);
                    StickerHit hit;
                    const bool picked = PickSticker(cam, x, y, hit);
                    // Seen from outside, a face's outline runs one way round; from
                    // inside (its back), the other.
                    const double area = ProjectedArea(cam, face, centre);
                    if (std::fabs(area) < 4) continue;  // edge-on: either neighbour will do
                    const bool frontFacing = area < 0;  // pane y runs downwards
                    if (!frontFacing) {
                        if (picked) {
                            EXPECT_FALSE(hit.face == face && hit.cell[0] == cell[0] && hit.cell[1] == cell[1] &&
                                         hit.cell[2] == cell[2])
                                << what << ": a sticker on the far side was named";
                        }
                        continue;
                    }
                    if (!picked) {
                        // Only the auxiliary cube may stand in front of the main cube.
                        EXPECT_TRUE(pose.aux) << what;
                        ++hidden;
                        continue;
                    }
                    EXPECT_EQ(hit.face, face) << what;
                    for (int a = 0; a < 3; ++a) EXPECT_EQ(hit.cell[a], cell[a]) << what << " axis " << a;
                    for (int a = 0; a < 3; ++a) EXPECT_NEAR(hit.point[a], centre[a], 0.02) << what << " axis " << a;
                    ++named;
                }
            }
        }
        // Three faces are in view, two when looking straight at an edge, one at a face.
        EXPECT_GE(named + hidden, 9) << "pose " << (&pose - kPoses);
        EXPECT_LE(named + hidden, 27) << "pose " << (&pose - kPoses);
        if (!pose.aux) {
            EXPECT_EQ(hidden, 0);
        }
    }
}

TEST(CubePicking, TheBackgroundNamesNoSticker) {
    ViewCamera cam;
    cam.width = 510;
    cam.height = 376;
    StickerHit hit;
    EXPECT_FALSE(PickSticker(cam, 2, 2, hit));
    EXPECT_FALSE(PickSticker(cam, 505, 370, hit));
    EXPECT_FALSE(PickSticker(cam, 255, 2, hit));
    // Between the stickers the nearer one is named.
    const double gap[3] = {0.275, kStickerPlane, 0.1};
    double x, y;
    ASSERT_TRUE(ProjectToPane(cam, gap, x, y));
    ASSERT_TRUE(PickSticker(cam, x, y, hit));
    EXPECT_EQ(hit.face, 1);
    EXPECT_TRUE(hit.cell[0] == 0 || hit.cell[0] == 1) << hit.cell[0];
    EXPECT_EQ(hit.cell[2], 0);
    // A pane of no size names nothing.
    cam.width = 0;
    EXPECT_FALSE(PickSticker(cam, 0, 0, hit));
}

// Turns point p by degrees about a coordinate axis (anticlockwise seen from its end).
void TurnPoint(double p[3], int axis, double degrees) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
    const double pu = p[u], pv = p[v];
    p[u] = pu * c - pv * s;
    p[v] = pu * s + pv * c;
}

TEST(CubePicking, AGrippedStickerFollowsThePointer) {
    // For every visible sticker, each of the two layers through it that turn about an
    // axis of its face, and both ways: a drag to where a 5 degree turn shows the
    // sticker's middle grips that layer and names that angle. Where the two layers
    // move the sticker the same way on the screen (a face seen steeply) the choice is
    // left open.
    int checked = 0;
    for (const Pose& pose : kPoses) {
        const ViewCamera cam = CameraFor(pose);
        for (int face = 1; face <= 6; ++face) {
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j) {
                    double centre[3];
                    int k = 0;
                    for (int a = 0; a < 3; ++a)
                        centre[a] = kNormals[face][a] != 0 ? kNormals[face][a] * kStickerPlane
                                                           : (k++ == 0 ? i : j) * kCubiePitch;
                    if (ProjectedArea(cam, face, centre) > -100) continue;  // hidden or steep
                    double x, y;
                    ASSERT_TRUE(ProjectToPane(cam, centre, x, y));
                    StickerHit hit;
                    if (!PickSticker(cam, x, y, hit)) continue;  // behind the auxiliary cube
                    // The screen motion of the sticker under a 5 degree turn about each axis.
                    double motion[3][2] = {};
                    for (int axis = 0; axis < 3; ++axis) {
                        double turned[3] = {centre[0], centre[1], centre[2]};
                        TurnPoint(turned, axis, 5);
                        double tx, ty;
                        ASSERT_TRUE(ProjectToPane(cam, turned, tx, ty));
                        motion[axis][0] = tx - x;
                        motion[axis][1] = ty - y;
                    }
                    for (int axis = 0; axis < 3; ++axis) {
                        if (kNormals[face][axis] != 0) continue;
                        const int other = 3 - axis - [&] { for (int a = 0; a < 3; ++a) if (kNormals[face][a]) return a; return 0; }();
                        const double* m = motion[axis];
                        const double* o = motion[other];
                        const double cosine = std::fabs(m[0] * o[0] + m[1] * o[1]) / (std::hypot(m[0], m[1]) * std::hypot(o[0], o[1]));
                        if (cosine > 0.8 || std::hypot(m[0], m[1]) < kGripDistance + 1) continue;
                        for (int sign : {1, -1}) {
                            double turned[3] = {centre[0], centre[1], centre[2]};
                            TurnPoint(turned, axis, 5 * sign);
                            double tx, ty;
                            ASSERT_TRUE(ProjectToPane(cam, turned, tx, ty));
                            const std::string what = "pose " + std::to_string(&pose - kPoses) + " face " +
                                                     std::to_string(face) + " cell " + std::to_string(i) + "," +
                                                     std::to_string(j) + " axis " + std::to_string(axis) +
                                                     (sign > 0 ? "+" : "-");
                            LayerGrip grip;
                            ASSERT_TRUE(GripLayer(cam, hit, tx - x, ty - y, grip)) << what;
                            EXPECT_EQ(grip.axis, axis) << what;
                            EXPECT_EQ(grip.slice, hit.cell[axis]) << what;
                            EXPECT_NEAR(GripAngle(grip, tx - x, ty - y), 5 * sign, 0.5) << what;
                            ++checked;
                        }
                    }
                }
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(CubePicking, ShortDragsChooseNoLayerYet) {
    ViewCamera cam;
    cam.width = 510;
    cam.height = 376;
    const double top[3] = {0, kStickerPlane, kCubiePitch};
    double x, y;
    ASSERT_TRUE(ProjectToPane(cam, top, x, y));
    StickerHit hit;
    ASSERT_TRUE(PickSticker(cam, x, y, hit));
    LayerGrip grip;
    EXPECT_FALSE(GripLayer(cam, hit, 3, 3, grip));
    EXPECT_FALSE(GripLayer(cam, hit, 0, 0, grip));
    EXPECT_TRUE(GripLayer(cam, hit, kGripDistance, 0, grip));
}

TEST(CubePicking, ReleasedLayersSettleByTheNearestTurnPastTheThresholds) {
    struct Case {
        double degrees;
        int quarters;
        double rest;  // what the layer still has to turn back
    };
    constexpr Case kCases[] = {
        {0, 0, 0},       {30, 0, 30},       {-44, 0, -44},   {46, 1, -44},    {-60, -1, 30},
        {90, 1, 0},      {134, 1, 44},      {136, 2, -44},   {-150, -2, 30},  {180, 2, 0},
        {200, -2, 20},   {300, -1, 30},     {350, 0, -10},   {-405, 0, -45},  {720 + 95, 1, 5},
    };
    for (const Case& c : kCases) {
        const int q = SettleQuarters(c.degrees);
        EXPECT_EQ(q, c.quarters) << c.degrees;
        EXPECT_NEAR(NormalAngle(c.degrees) - 90.0 * q, c.rest, 1e-9) << c.degrees;
    }
}

}  // namespace
}  // namespace velmora::test

namespace velmora {

// The band that holds both cubes fits whole in a pane of any shape (no cube cut off)
// and stands centred.
TEST(CubePicking, TheDesignedBandFitsWholeInPanesOfAnyShape) {
    const std::pair<int, int> shapes[] = {{510, 376}, {1020, 752}, {1600, 376}, {300, 900}, {511, 900}, {2000, 1100}};
    for (const auto& [w, h] : shapes) {
        const PaneViewport v = ViewportOf(w, h);
        const int bandBottom = v.y + v.side * 6 / 510, bandTop = bandBottom + v.side * 400 / 510;
        EXPECT_GE(v.x, 0) << w << "x" << h;
        EXPECT_LE(v.x + v.side, w) << w << "x" << h;
        EXPECT_GE(bandBottom, 0) << w << "x" << h;
        EXPECT_LE(bandTop, h + 1) << w << "x" << h;
        EXPECT_LE(std::abs((w - v.side) - 2 * v.x), 1);
        EXPECT_TRUE(v.side == w || std::abs(bandTop - h) <= 1 || std::abs(bandBottom) <= 1);
    }
}

}  // namespace velmora
