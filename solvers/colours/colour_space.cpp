#include "solvers/colours/colour_space.h"

#include <cmath>

namespace velmora::colours {
namespace {

constexpr float kPi = 3.14159265358979f;

float LabCurve(float t) {
    constexpr float kEpsilon = 216.0f / 24389.0f;
    constexpr float kKappa = 24389.0f / 27.0f;
    return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0f) / 116.0f;
}

float Pow7(float x) {
    const float x2 = x * x;
    return x2 * x2 * x2 * x;
}

float Degrees(float radians) { return radians * 180.0f / kPi; }
float Radians(float degrees) { return degrees * kPi / 180.0f; }

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
    const float c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
    const float cMean = 0.5f * (c1 + c2);
    const float cMean7 = Pow7(cMean);
    const float g = 0.5f * (1.0f - std::sqrt(cMean7 / (cMean7 + 6103515625.0f)));  // 25^7
    const float a1 = (1.0f + g) * x.a, a2 = (1.0f + g) * y.a;
    const float cp1 = std::hypot(a1, x.b), cp2 = std::hypot(a2, y.b);
    float h1 = (a1 == 0 && x.b == 0) ? 0 : Degrees(std::atan2(x.b, a1));
    float h2 = (a2 == 0 && y.b == 0) ? 0 : Degrees(std::atan2(y.b, a2));
    if (h1 < 0) h1 += 360;
    if (h2 < 0) h2 += 360;

    const float dL = y.l - x.l;
    const float dC = cp2 - cp1;
    float dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        else if (dh < -180) dh += 360;
    }
    const float dH = 2.0f * std::sqrt(cp1 * cp2) * std::sin(Radians(dh) / 2.0f);

    const float lMean = 0.5f * (x.l + y.l);
    const float cpMean = 0.5f * (cp1 + cp2);
    float hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::fabs(h1 - h2) <= 180) hMean *= 0.5f;
        else hMean = hMean < 360 ? 0.5f * (hMean + 360) : 0.5f * (hMean - 360);
    }
    const float t = 1.0f - 0.17f * std::cos(Radians(hMean - 30)) + 0.24f * std::cos(Radians(2 * hMean)) +
                    0.32f * std::cos(Radians(3 * hMean + 6)) - 0.20f * std::cos(Radians(4 * hMean - 63));
    const float dTheta = 30.0f * std::exp(-((hMean - 275) / 25) * ((hMean - 275) / 25));
    const float cpMean7 = Pow7(cpMean);
    const float rc = 2.0f * std::sqrt(cpMean7 / (cpMean7 + 6103515625.0f));
    const float l50 = (lMean - 50) * (lMean - 50);
    const float sl = 1.0f + 0.015f * l50 / std::sqrt(20 + l50);
    const float sc = 1.0f + 0.045f * cpMean;
    const float sh = 1.0f + 0.015f * cpMean * t;
    const float rt = -std::sin(Radians(2 * dTheta)) * rc;

    const float tl = dL / (kL * sl), tc = dC / sc, th = dH / sh;
    return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

}  // namespace velmora::colours
