#pragma once
// Generated videos of a hand showing a cube to the camera face by face: each face
// moves in (motion blur), is held still about 1.2 s (slight jitter), moves out,
// and some frames show no face at all; the light's colour and brightness drift over
// the whole video. Test code: the window tests, `velmora-cli scan --video` checks and
// the video benchmark use it. MJPEG in AVI, written with OpenCV.
#include <array>
#include <cstdint>
#include <string>

#include "solvers/colours/colour_resolution.h"

namespace velmora::test {

// Sticker colours by facelet letter U R F D L B of the cube the videos show: a common
// cube held so that each face's colour is the one the program shows that face in
// (red on top, yellow in front, blue on the right).
extern const std::array<Rgb, 6> kVideoCubeColours;

struct CubeVideo {
    std::string facelets;          // the position shown, 54 letters U R F D L B
    int width = 1280, height = 720;
    double fps = 30;
    int rounds = 1;                // times the six faces are shown in turn
    std::uint32_t seed = 1;
    // As a real camera: after each turn the exposure and white balance start off (up to
    // +-40 % and +-2000 K) and settle over about a second; the user, told to wait, holds
    // each face 2 s instead of 1.2 s.
    bool settlingLight = false;
};

// Writes the video; the number of frames written, 0 when the file cannot be written.
int WriteCubeVideo(const std::string& path, const CubeVideo& video);

}  // namespace velmora::test
