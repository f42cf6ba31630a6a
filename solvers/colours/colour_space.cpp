#include "solvers/colours/colour_space.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velmora::colours {
namespace {

constexpr float kPi = 3.14159265358979f;

// Cube root of a positive float: a first guess from the exponent bits, then three
// Newton steps (to float precision; much cheaper than std::cbrt, and the resolution
// takes thousands of them per cube).
float CubeRoot(float t) {
    std::uint32_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits = bits / 3 + 709921077u;
    float y;
    std::memcpy(&y, &bits, sizeof y);
    for (int i = 0; i < 3; ++i) y = (2.0f * y + t / (y * y)) * (1.0f / 3.0f);
    return y;
}

float Degrees(float radians) { return radians * 180.0f / kPi; }
float Radians(float degrees) { return degrees * kPi / 180.0f; }

// The angle of (x, y) in degrees, 0 to 360, to within about 0.001 degrees: an odd
// polynomial for the arctangent on [0, 1] and the octant symmetries (std::atan2 is the
// dearest part of CIEDE2000).
float AngleDegrees(float y, float x) {
    const float ax = std::fabs(x), ay = std::fabs(y);
    const float hi = std::max(ax, ay), lo = std::min(ax, ay);
    if (hi == 0) return 0;
    const float q = lo / hi, q2 = q * q;
    float a = q * (0.99997726f + q2 * (-0.33262347f + q2 * (0.19354346f + q2 * (-0.11643287f + q2 * (0.05265332f + q2 * -0.01172120f)))));
    if (ay > ax) a = 0.5f * kPi - a;
    if (x < 0) a = kPi - a;
    if (y < 0) a = -a;
    const float degrees = Degrees(a);
    return degrees < 0 ? degrees + 360 : degrees;
}

float LabCurve(float t) {
    constexpr float kEpsilon = 216.0f / 24389.0f;
    constexpr float kKappa = 24389.0f / 27.0f;
    return t > kEpsilon ? CubeRoot(t) : (kKappa * t + 16.0f) / 116.0f;
}

float Pow7(float x) {
    const float x2 = x * x;
    return x2 * x2 * x2 * x;
}


}  // namespace

float LinearFromSrgb(float channel) {
    if (!(channel > 0)) return 0;  // also NaN
    if (channel > 255) channel = 255;
    const float c = channel / 255.0f;
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

Lab LabFromLinear(const Linear& c) {
    const float x = (0.4124564f * c.r + 0.3575761f * c.g + 0.1804375f * c.b) / 0.95047f;
    const float y = 0.2126729f * c.r + 0.7151522f * c.g + 0.0721750f * c.b;
    const float z = (0.0193339f * c.r + 0.1191920f * c.g + 0.9503041f * c.b) / 1.08883f;
    const float fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
    return {116.0f * fy - 16.0f, 500.0f * (fx - fy), 200.0f * (fy - fz)};
}

float DeltaE2000(const Lab& x, const Lab& y, float kL) {
    const float c1 = std::sqrt(x.a * x.a + x.b * x.b), c2 = std::sqrt(y.a * y.a + y.b * y.b);
    const float cMean = 0.5f * (c1 + c2);
    const float cMean7 = Pow7(cMean);
    const float g = 0.5f * (1.0f - std::sqrt(cMean7 / (cMean7 + 6103515625.0f)));  // 25^7
    const float a1 = (1.0f + g) * x.a, a2 = (1.0f + g) * y.a;
    const float cp1 = std::sqrt(a1 * a1 + x.b * x.b), cp2 = std::sqrt(a2 * a2 + y.b * y.b);
    const float dL = y.l - x.l;
    const float dC = cp2 - cp1;
    // The hue difference and the mean hue from the two chroma vectors, without their
    // angles: dH^2 = 2 (C'1 C'2 - a'1 a'2 - b1 b2), signed as the turn from the first to
    // the second; the mean hue is the bisector of the shorter arc between them (of a
    // neutral colour and another, the other's hue).
    float dH = 0, hMean = 0, c1h = 1, s1h = 0;
    float ux = a1 + a2, uy = x.b + y.b;
    if (cp1 * cp2 != 0) {
        const float cross = a1 * y.b - x.b * a2;
        dH = std::copysign(std::sqrt(std::max(0.0f, 2.0f * (cp1 * cp2 - a1 * a2 - x.b * y.b))), cross);
        ux = a1 / cp1 + a2 / cp2;
        uy = x.b / cp1 + y.b / cp2;
    }
    const float un = std::sqrt(ux * ux + uy * uy);
    if (un > 1e-6f) {
        c1h = ux / un;
        s1h = uy / un;
        hMean = AngleDegrees(uy, ux);
    } else if (cp1 * cp2 != 0) {
        // Opposite hues: the mean of the two angles.
        hMean = 0.5f * (AngleDegrees(x.b, a1) + AngleDegrees(y.b, a2));
        c1h = std::cos(Radians(hMean));
        s1h = std::sin(Radians(hMean));
    }

    const float lMean = 0.5f * (x.l + y.l);
    const float cpMean = 0.5f * (cp1 + cp2);
    // cos(h - 30), cos 2h, cos(3h + 6) and cos(4h - 63) from one cosine and sine of h.
    const float c2h = 2 * c1h * c1h - 1, s2h = 2 * s1h * c1h;
    const float c3h = c1h * (4 * c1h * c1h - 3), s3h = s1h * (3 - 4 * s1h * s1h);
    const float c4h = 2 * c2h * c2h - 1, s4h = 2 * s2h * c2h;
    const float t = 1.0f - 0.17f * (c1h * 0.8660254f + s1h * 0.5f) + 0.24f * c2h +
                    0.32f * (c3h * 0.9945219f - s3h * 0.1045285f) - 0.20f * (c4h * 0.4539905f + s4h * 0.8910065f);
    // The rotation term matters only for blues (hues near 275 degrees).
    const float hFrom275 = (hMean - 275) / 25;
    float rt = 0;
    if (std::fabs(hFrom275) < 4) {
        const float dTheta = 30.0f * std::exp(-hFrom275 * hFrom275);
        const float cpMean7 = Pow7(cpMean);
        rt = -std::sin(Radians(2 * dTheta)) * 2.0f * std::sqrt(cpMean7 / (cpMean7 + 6103515625.0f));
    }
    const float l50 = (lMean - 50) * (lMean - 50);
    const float sl = 1.0f + 0.015f * l50 / std::sqrt(20 + l50);
    const float sc = 1.0f + 0.045f * cpMean;
    const float sh = 1.0f + 0.015f * cpMean * t;

    const float tl = dL / (kL * sl), tc = dC / sc, th = dH / sh;
    return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

}  // namespace velmora::colours
