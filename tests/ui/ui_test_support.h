#pragma once
// Shared helpers of the window tests: whether a display exists, waiting for the event
// loop, colour comparison, and an independent model of the 3D view's camera that maps
// a point on the cube to the pixel it must appear at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include "model/cube_picking.h"
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora::test {

// Set by main when a QApplication could be made (a display exists).
bool HaveDisplay();

#define REQUIRE_DISPLAY()                                                          \
    do {                                                                           \
        if (!::velmora::test::HaveDisplay()) GTEST_SKIP() << "no display (run under xvfb-run)"; \
    } while (0)

// A UTF-8 text of the program as the widgets show it.
inline QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The 72-digit position code of a cube state.
inline std::string CodeOf(const CubeState& s) {
    char buf[kCodeLength + 1];
    CTarnexSource::WritePositionCode(s, buf);
    return buf;
}

// Processes events until pred holds or ms have passed; returns pred().
inline bool WaitFor(const std::function<bool()>& pred, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return pred();
}

inline void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A colour setting (red in the lowest byte) against a pixel, per channel.
inline ::testing::AssertionResult ColourNear(QRgb pixel, int ref, int tolerance, const std::string& what) {
    const int r = ref & 0xff, g = (ref >> 8) & 0xff, b = (ref >> 16) & 0xff;
    if (std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance &&
        std::abs(qBlue(pixel) - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << ": pixel (" << qRed(pixel) << "," << qGreen(pixel) << ","
                                         << qBlue(pixel) << ") expected (" << r << "," << g << "," << b << ")";
}

// ---- the camera, from first principles ----

using Vec4 = std::array<double, 4>;
struct Mat4 {
    double m[4][4];  // row-major, column vectors
    static Mat4 Identity() {
        Mat4 r{};
        for (int i = 0; i < 4; ++i) r.m[i][i] = 1;
        return r;
    }
    Mat4 operator*(const Mat4& o) const {
        Mat4 r{};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                for (int k = 0; k < 4; ++k) r.m[i][j] += m[i][k] * o.m[k][j];
        return r;
    }
    Vec4 operator*(const Vec4& v) const {
        Vec4 r{};
        for (int i = 0; i < 4; ++i)
            for (int k = 0; k < 4; ++k) r[i] += m[i][k] * v[k];
        return r;
    }
};

inline Mat4 Translate(double x, double y, double z) {
    Mat4 r = Mat4::Identity();
    r.m[0][3] = x;
    r.m[1][3] = y;
    r.m[2][3] = z;
    return r;
}
inline Mat4 Scale(double s) {
    Mat4 r = Mat4::Identity();
    r.m[0][0] = r.m[1][1] = r.m[2][2] = s;
    return r;
}
// Right-handed rotation by degrees about an axis (normalised here).
inline Mat4 Rotate(double degrees, double x, double y, double z) {
    const double n = std::sqrt(x * x + y * y + z * z);
    x /= n, y /= n, z /= n;
    const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a), t = 1 - c;
    Mat4 r = Mat4::Identity();
    r.m[0][0] = t * x * x + c;     r.m[0][1] = t * x * y - s * z; r.m[0][2] = t * x * z + s * y;
    r.m[1][0] = t * x * y + s * z; r.m[1][1] = t * y * y + c;     r.m[1][2] = t * y * z - s * x;
    r.m[2][0] = t * x * z - s * y; r.m[2][1] = t * y * z + s * x; r.m[2][2] = t * z * z + c;
    return r;
}
inline Mat4 Perspective(double fovY, double aspect, double zNear, double zFar) {
    const double f = 1 / std::tan(fovY * M_PI / 360);
    Mat4 r{};
    r.m[0][0] = f / aspect;
    r.m[1][1] = f;
    r.m[2][2] = (zFar + zNear) / (zNear - zFar);
    r.m[2][3] = 2 * zFar * zNear / (zNear - zFar);
    r.m[3][2] = -1;
    return r;
}

struct Camera {
    double tilt = 27, turn = -36, spin = 0, zoom = 1;
    bool aux = true;
    int width = 510, height = 376;

    // The modelview of the main cube, or of the auxiliary cube.
    Mat4 ModelView(bool auxCube) const {
        Mat4 m = Translate(aux ? -0.275 : 0, 0, -8) * Rotate(tilt, 1, 0, 0) * Rotate(turn, 0, 1, 0) *
                 Rotate(spin, 1, 1, 1) * Scale(zoom);
        if (auxCube) {
            double s = 1.3 - zoom;
            if (s < 0) s = 0.05;
            m = m * Translate(1.65, -0.825, 0.55) * Rotate(tilt + 180, 1, 0, 0) * Rotate(270 - turn, 0, 1, 0) * Scale(s);
        }
        return m;
    }
    // Pixel (from the top left of the pane) of a point in cube coordinates.
    QPoint Project(double x, double y, double z, bool auxCube = false) const {
        // The pane's square viewport (its fit is checked in the picking tests).
        const PaneViewport v = ViewportOf(width, height);
        const Vec4 clip = Perspective(30, 1, 1, 23) * (ModelView(auxCube) * Vec4{x, y, z, 1});
        const double nx = clip[0] / clip[3], ny = clip[1] / clip[3];
        const double wx = v.x + (nx + 1) / 2 * v.side;
        const double wy = v.y + (ny + 1) / 2 * v.side;
        return QPoint(static_cast<int>(std::floor(wx)), height - 1 - static_cast<int>(std::floor(wy)));
    }
    // Whether a face with this outward normal (cube coordinates) faces the viewer.
    bool Faces(double nx, double ny, double nz, bool auxCube = false) const {
        const Mat4 m = ModelView(auxCube);
        const Vec4 c = m * Vec4{0, 0, 0, 1};
        const Vec4 n = m * Vec4{nx, ny, nz, 0};
        return n[0] * -c[0] + n[1] * -c[1] + n[2] * -c[2] > 0.2 * std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) *
                                                            std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
    }
};

}  // namespace velmora::test
