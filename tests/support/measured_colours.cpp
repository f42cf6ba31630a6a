#include "support/measured_colours.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "solvers/colours/colour_space.h"
#include "solvers/colours/piece_search.h"

namespace velmora::test {
namespace {

// Sticker colours of common cubes, sRGB under daylight: white, yellow, red, orange,
// green, blue.
constexpr float kPalette[6][3] = {{232, 234, 228}, {245, 214, 10}, {190, 22, 36},
                                  {255, 104, 10},  {10, 155, 72},  {12, 72, 176}};

// A face at 0 EV shows white at about 200 of 255.
constexpr float kMidExposure = 0.7f;

float ToLinear(float v) { return colours::LinearFromSrgb(v); }

float ToSrgb(float l) {
    l = std::clamp(l, 0.0f, 1.0f);
    const float c = l <= 0.0031308f ? 12.92f * l : 1.055f * std::pow(l, 1 / 2.4f) - 0.055f;
    return 255.0f * c;
}

// The colour of a black body at kelvin in linear sRGB, green channel 1 (chromaticity by
// the cubic approximation of the Planckian locus).
std::array<float, 3> BlackBody(float kelvin) {
    const double t = kelvin, t2 = t * t, t3 = t2 * t;
    const double x = t <= 4000 ? -0.2661239e9 / t3 - 0.2343589e6 / t2 + 0.8776956e3 / t + 0.179910
                               : -3.0258469e9 / t3 + 2.1070379e6 / t2 + 0.2226347e3 / t + 0.240390;
    const double y = t <= 2222   ? -1.1063814 * x * x * x - 1.34811020 * x * x + 2.18555832 * x - 0.20219683
                     : t <= 4000 ? -0.9549476 * x * x * x - 1.37418593 * x * x + 2.09137015 * x - 0.16748867
                                 : 3.0817580 * x * x * x - 5.87338670 * x * x + 3.75112997 * x - 0.37001483;
    const double X = x / y, Y = 1, Z = (1 - x - y) / y;
    const double r = 3.2404542 * X - 1.5371385 * Y - 0.4985314 * Z;
    const double g = -0.9692660 * X + 1.8760108 * Y + 0.0415560 * Z;
    const double b = 0.0556434 * X - 0.2040259 * Y + 1.0572252 * Z;
    return {static_cast<float>(r / g), 1.0f, static_cast<float>(std::max(b, 0.0) / g)};
}

}  // namespace

FaceSamples TurnFace(const FaceSamples& face, int quarters) {
    FaceSamples out = face;
    for (int q = 0; q < ((quarters % 4) + 4) % 4; ++q) {
        const FaceSamples in = out;
        for (int i = 0; i < 9; ++i) out[static_cast<std::size_t>(i)] = in[static_cast<std::size_t>(3 * (2 - i % 3) + i / 3)];
    }
    return out;
}

MeasuredCube GenerateMeasuredCube(std::uint32_t seed, const LightShift& light) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    MeasuredCube cube;

    // A random real cube: random permutations of equal parity, twists summing to 0 mod
    // 3, flips even.
    std::array<int, 8> cp{};
    std::array<int, 12> ep{};
    for (int i = 0; i < 8; ++i) cp[static_cast<std::size_t>(i)] = i;
    for (int i = 0; i < 12; ++i) ep[static_cast<std::size_t>(i)] = i;
    std::shuffle(cp.begin(), cp.end(), rng);
    std::shuffle(ep.begin(), ep.end(), rng);
    auto parity = [](const auto& p) {
        int inversions = 0;
        for (std::size_t i = 0; i < p.size(); ++i)
            for (std::size_t j = i + 1; j < p.size(); ++j) inversions += p[i] > p[j];
        return inversions & 1;
    };
    if (parity(cp) != parity(ep)) std::swap(ep[0], ep[1]);
    std::array<int, 8> co{};
    std::array<int, 12> eo{};
    int twist = 0, flip = 0;
    for (int i = 0; i < 7; ++i) twist += co[static_cast<std::size_t>(i)] = static_cast<int>(rng() % 3);
    co[7] = (3 - twist % 3) % 3;
    for (int i = 0; i < 11; ++i) flip += eo[static_cast<std::size_t>(i)] = static_cast<int>(rng() % 2);
    eo[11] = flip % 2;

    std::array<int, 54> colourOf{};
    for (int f = 0; f < 6; ++f) colourOf[static_cast<std::size_t>(9 * f + 4)] = f;
    for (std::size_t i = 0; i < 8; ++i)
        for (int n = 0; n < 3; ++n)
            colourOf[static_cast<std::size_t>(colours::kCornerFacelets[i][static_cast<std::size_t>((n + co[i]) % 3)])] =
                colours::kCornerColours[static_cast<std::size_t>(cp[i])][static_cast<std::size_t>(n)];
    for (std::size_t i = 0; i < 12; ++i)
        for (int n = 0; n < 2; ++n)
            colourOf[static_cast<std::size_t>(colours::kEdgeFacelets[i][static_cast<std::size_t>((n + eo[i]) % 2)])] =
                colours::kEdgeColours[static_cast<std::size_t>(ep[i])][static_cast<std::size_t>(n)];
    for (int i = 0; i < 54; ++i) cube.facelets[static_cast<std::size_t>(i)] = "URFDLB"[colourOf[static_cast<std::size_t>(i)]];
    cube.facelets[54] = '\0';

    // Which palette colour each face's class has, and this cube's own shade of it.
    std::array<int, 6> paint = {0, 1, 2, 3, 4, 5};
    std::shuffle(paint.begin(), paint.end(), rng);
    float reflect[6][3];
    for (int c = 0; c < 6; ++c)
        for (int k = 0; k < 3; ++k)
            reflect[c][k] = kMidExposure *
                            ToLinear(std::clamp(kPalette[paint[static_cast<std::size_t>(c)]][k] + 16 * (unit(rng) - 0.5f), 0.0f, 255.0f));

    std::normal_distribution<float> gauss(0.0f, 1.0f);
    for (int f = 0; f < 6; ++f) {
        const float kelvin = light.warmestKelvin + (light.coolestKelvin - light.warmestKelvin) * unit(rng);
        std::array<float, 3> lamp = BlackBody(kelvin);
        const std::array<float, 3> daylight = BlackBody(6504);
        const float exposure = std::exp2(light.exposureEv * (2 * unit(rng) - 1));
        const float tint = 1 + 0.06f * (unit(rng) - 0.5f);  // green-magenta
        for (int k = 0; k < 3; ++k) lamp[static_cast<std::size_t>(k)] *= exposure / daylight[static_cast<std::size_t>(k)];
        lamp[1] *= tint;
        FaceSamples face;
        for (int i = 0; i < 9; ++i) {
            const int c = colourOf[static_cast<std::size_t>(9 * f + i)];
            const float shade = 1 + light.shading * (2 * unit(rng) - 1);
            const bool glare = unit(rng) < light.glareShare;
            const float sheen = glare ? kMidExposure * (0.1f + 0.3f * unit(rng)) : 0.0f;
            float v[3];
            for (int k = 0; k < 3; ++k) {
                const float l = lamp[static_cast<std::size_t>(k)];
                v[k] = l * (reflect[c][k] * shade + sheen) + light.noise * gauss(rng) * std::sqrt(std::max(l, 0.05f));
            }
            face[static_cast<std::size_t>(i)] = {std::round(ToSrgb(v[0])), std::round(ToSrgb(v[1])), std::round(ToSrgb(v[2]))};
        }
        const int turn = light.rotateFaces ? static_cast<int>(rng() % 4) : 0;
        cube.rotations[static_cast<std::size_t>(f)] = turn;
        // The picture is the face turned back: the resolver turns it by turn again.
        cube.faces[static_cast<std::size_t>(f)] = TurnFace(face, 4 - turn);
    }
    return cube;
}

}  // namespace velmora::test
