// Picking on the 3D cube: the pointer's ray through the view's camera, met with the
// main cube's outer faces, and the layer a drag from a sticker turns.
#include "model/cube_picking.h"

#include <cmath>

#include "model/tarnex_source.h"

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEyeDistance = 8;
constexpr double kAuxShift = -0.275;
constexpr double kFieldOfView = 30;

struct Vec {
    double v[3];
    double operator[](int i) const { return v[i]; }
};

// A rotation (orthonormal 3x3) times a uniform scale, then a translation.
struct Affine {
    double r[3][3];
    double scale;
    Vec t;

    Vec Apply(const Vec& p) const {
        Vec out{};
        for (int i = 0; i < 3; ++i)
            out.v[i] = scale * (r[i][0] * p[0] + r[i][1] * p[1] + r[i][2] * p[2]) + t[i];
        return out;
    }
    // The inverse applied to a direction (no translation) and to a point.
    Vec InverseDirection(const Vec& d) const {
        Vec out{};
        for (int i = 0; i < 3; ++i) out.v[i] = (r[0][i] * d[0] + r[1][i] * d[1] + r[2][i] * d[2]) / scale;
        return out;
    }
    Vec InversePoint(const Vec& p) const { return InverseDirection({{p[0] - t[0], p[1] - t[1], p[2] - t[2]}}); }
};

using Mat = double[3][3];

void Identity(Mat m) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1 : 0;
}

// m = m * R(degrees about axis), right-handed as glRotated.
void Rotate(Mat m, double degrees, double x, double y, double z) {
    const double n = std::sqrt(x * x + y * y + z * z);
    x /= n, y /= n, z /= n;
    const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a), k = 1 - c;
    const double rot[3][3] = {{k * x * x + c, k * x * y - s * z, k * x * z + s * y},
                              {k * x * y + s * z, k * y * y + c, k * y * z - s * x},
                              {k * x * z - s * y, k * y * z + s * x, k * z * z + c}};
    double out[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[i][j] = m[i][0] * rot[0][j] + m[i][1] * rot[1][j] + m[i][2] * rot[2][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = out[i][j];
}

double ShownZoom(double zoom) { return (zoom > 4 || zoom <= 0.01) ? 0.9 : zoom; }

Affine MainCube(const ViewCamera& cam) {
    Affine a{};
    Identity(a.r);
    Rotate(a.r, cam.tilt, 1, 0, 0);
    Rotate(a.r, cam.turn, 0, 1, 0);
    Rotate(a.r, cam.spin, 1, 1, 1);
    a.scale = static_cast<float>(ShownZoom(cam.zoom));
    a.t = {{cam.auxShown ? kAuxShift : 0.0, 0.0, -kEyeDistance}};
    return a;
}

// The auxiliary cube: moved within the main cube's frame, seen from below and behind.
Affine AuxCube(const ViewCamera& cam) {
    const Affine main = MainCube(cam);
    Affine a = main;
    a.t = main.Apply({{1.65, -0.825, 0.55}});
    Rotate(a.r, cam.tilt + 180, 1, 0, 0);
    Rotate(a.r, 270 - cam.turn, 0, 1, 0);
    const float s = 1.3f - static_cast<float>(main.scale);
    a.scale = main.scale * (s < 0 ? 0.05f : s);
    return a;
}


double FocalFactor() { return 1 / std::tan(kFieldOfView * kPi / 360); }

// The eye-space direction of the ray through pane point (x, y).
Vec EyeRay(const ViewCamera& cam, double x, double y) {
    const PaneViewport v = ViewportOf(cam.width, cam.height);
    const int side = v.side;
    const double gx = x + 0.5 - v.x;
    const double gy = cam.height - (y + 0.5) - v.y;
    const double nx = 2 * gx / side - 1, ny = 2 * gy / side - 1;
    const double f = FocalFactor();
    return {{nx / f, ny / f, -1}};
}

// The ray parameter where the eye ray (origin 0, direction d in eye space) enters the
// cube placed by a, and the axis of the face it enters by; false when it misses.
bool EnterCube(const Affine& a, const Vec& d, double& t, int& axis) {
    const Vec o = a.InversePoint({{0, 0, 0}});
    const Vec dir = a.InverseDirection(d);
    double nearT = -1e300, farT = 1e300;
    axis = -1;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(dir[i]) < 1e-12) {
            if (std::fabs(o[i]) > kStickerPlane) return false;
            continue;
        }
        double t1 = (-kStickerPlane - o[i]) / dir[i], t2 = (kStickerPlane - o[i]) / dir[i];
        if (t1 > t2) std::swap(t1, t2);
        if (t1 > nearT) {
            nearT = t1;
            axis = i;
        }
        if (t2 < farT) farT = t2;
    }
    if (axis < 0 || nearT > farT || nearT <= 0) return false;
    t = nearT;
    return true;
}

// Face number of the outer face on an axis at a sign.
int FaceOf(int axis, double sign) {
    static constexpr int kFaces[3][2] = {{5, 3}, {6, 1}, {4, 2}};  // [axis][negative, positive]
    return kFaces[axis][sign > 0 ? 1 : 0];
}

// The axis a face 1-6 looks along.
int NormalAxisOf(int face) {
    static constexpr int kAxis[7] = {0, 1, 2, 0, 2, 0, 1};
    return kAxis[face];
}

int CellOf(double coordinate) {
    const double c = std::round(coordinate / kCubiePitch);
    return c < -1 ? -1 : c > 1 ? 1 : static_cast<int>(c);
}

}  // namespace

PaneViewport ViewportOf(int width, int height) {
    // The band of the square that holds both cubes, in 510ths of its side: from 6 up,
    // 400 high.
    constexpr long long kSide = 510, kBand = 400;
    PaneViewport v;
    // As wide as the pane, unless the band would then be taller than it.
    v.side = width;
    if (height * kSide < width * kBand) v.side = static_cast<int>(height * kSide / kBand);
    if (v.side < 1) v.side = 1;
    const int band = static_cast<int>(v.side * kBand / kSide);
    v.x = (width - v.side) / 2;
    v.y = -static_cast<int>(v.side * 6 / kSide) + (height - band) / 2;
    return v;
}

ViewCamera CameraOf(const CTarnexSource& m, bool auxShown, int width, int height) {
    ViewCamera c;
    c.tilt = m.viewTilt;
    c.turn = m.viewTurn;
    c.spin = m.viewSpin;
    c.zoom = m.viewZoom;
    c.auxShown = auxShown;
    c.width = width;
    c.height = height;
    return c;
}

bool PickSticker(const ViewCamera& cam, double x, double y, StickerHit& out) {
    if (cam.width <= 0 || cam.height <= 0) return false;
    const Vec d = EyeRay(cam, x, y);
    const Affine main = MainCube(cam);
    double t = 0;
    int axis = -1;
    if (!EnterCube(main, d, t, axis)) return false;
    if (cam.auxShown) {
        double auxT = 0;
        int auxAxis = -1;
        if (EnterCube(AuxCube(cam), d, auxT, auxAxis) && auxT < t) return false;
    }
    const Vec p = main.InversePoint({{d[0] * t, d[1] * t, d[2] * t}});
    for (int i = 0; i < 3; ++i) {
        out.point[i] = p[i];
        out.cell[i] = CellOf(p[i]);
    }
    const double sign = p[axis] > 0 ? 1 : -1;
    out.cell[axis] = static_cast<int>(sign);
    out.point[axis] = sign * kStickerPlane;
    out.face = FaceOf(axis, sign);
    return true;
}

bool ProjectToPane(const ViewCamera& cam, const double p[3], double& x, double& y) {
    const Vec e = MainCube(cam).Apply({{p[0], p[1], p[2]}});
    if (e[2] >= -1e-9) return false;
    const double f = FocalFactor();
    const double nx = f * e[0] / -e[2], ny = f * e[1] / -e[2];
    const PaneViewport v = ViewportOf(cam.width, cam.height);
    const int side = v.side;
    const double gx = (nx + 1) / 2 * side + v.x;
    const double gy = (ny + 1) / 2 * side + v.y;
    x = gx - 0.5;
    y = cam.height - gy - 0.5;
    return true;
}

bool GripLayer(const ViewCamera& cam, const StickerHit& hit, double dx, double dy, LayerGrip& out) {
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length < kGripDistance || hit.face < 1 || hit.face > 6) return false;
    const int normalAxis = NormalAxisOf(hit.face);
    double px = 0, py = 0;
    if (!ProjectToPane(cam, hit.point, px, py)) return false;

    // The layer may turn about either axis of the face. Of the two, the one that moves
    // the sticker on the screen most nearly the way of the drag; the angle then
    // follows the pointer: the drag's component along the sticker's screen motion
    // (pixels per radian of turn) gives the radians turned.
    constexpr double kRadians = 0.001;
    int best = -1;
    double bestScore = -1, bestVx = 0, bestVy = 0;
    for (int axis = 0; axis < 3; ++axis) {
        if (axis == normalAxis) continue;
        const int u = (axis + 1) % 3, w = (axis + 2) % 3;
        double moved[3] = {hit.point[0], hit.point[1], hit.point[2]};
        moved[u] -= kRadians * hit.point[w];
        moved[w] += kRadians * hit.point[u];
        double mx = 0, my = 0;
        if (!ProjectToPane(cam, moved, mx, my)) continue;
        const double vx = (mx - px) / kRadians, vy = (my - py) / kRadians;
        const double v = std::sqrt(vx * vx + vy * vy);
        if (v < 1) continue;
        const double score = std::fabs(dx * vx + dy * vy) / (v * length);
        if (score > bestScore) {
            bestScore = score;
            best = axis;
            bestVx = vx;
            bestVy = vy;
        }
    }
    if (best < 0) return false;
    const double v2 = bestVx * bestVx + bestVy * bestVy;
    out.axis = best;
    out.slice = hit.cell[best];
    out.degreesPerX = 180 / kPi * bestVx / v2;
    out.degreesPerY = 180 / kPi * bestVy / v2;
    return true;
}

double GripAngle(const LayerGrip& grip, double dx, double dy) {
    return dx * grip.degreesPerX + dy * grip.degreesPerY;
}

double NormalAngle(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a > 180) a -= 360;
    if (a <= -180) a += 360;
    return a;
}

int SettleQuarters(double degrees) {
    const double a = NormalAngle(degrees);
    const double size = std::fabs(a);
    const int sign = a < 0 ? -1 : 1;
    if (size > 135) return 2 * sign;
    if (size > 45) return sign;
    return 0;
}

}  // namespace velmora
