#pragma once
// Generated measured-colour sets: the 54 sticker colours of a random real cube as a
// camera would report them under a shifted light, with the true facelet string. Each
// face is its own photo: its own colour temperature, exposure, shading, sensor noise
// and glare. Seeded, so a set can be made again from its number.
#include <array>
#include <cstdint>

#include "solvers/colours/colour_resolution.h"

namespace velmora::test {

struct LightShift {
    float coolestKelvin = 9000, warmestKelvin = 2700;
    float exposureEv = 1.5f;    // each face within ± this
    float noise = 0.012f;       // sensor noise, standard deviation in linear light
    float glareShare = 0.2f;    // share of stickers with glare
    float shading = 0.1f;       // each sticker's light within ± this share
    bool rotateFaces = false;   // give each face a random quarter-turn rotation
};

struct MeasuredCube {
    std::array<FaceSamples, 6> faces{};
    std::array<char, 55> facelets{};   // the truth, faces U R F D L B
    std::array<int, 6> rotations{};    // the quarter turns that bring each face back
};

MeasuredCube GenerateMeasuredCube(std::uint32_t seed, const LightShift& light = {});

// The samples of a face turned by quarter clockwise quarter turns.
FaceSamples TurnFace(const FaceSamples& face, int quarters);

}  // namespace velmora::test
