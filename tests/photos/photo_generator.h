#pragma once
// Generated photos of a cube face for the tests, benchmarks and window tests: a whole
// cube rendered in perspective with the face of interest towards the camera, on a
// cluttered background, under coloured light, with glare, shadow, noise and JPEG
// compression. Everything random comes from the caller's seed.
#include <array>
#include <cstdint>
#include <random>
#include <string>

#include <opencv2/core.hpp>

#include "photos/face_reader.h"

namespace velmora::test {

// The sticker colours of the six faces of a new cube, by facelet letter U R F D L B.
extern const std::array<Rgb, 6> kStickerColours;

// One view of one face. Colours are the nine stickers row by row as the face stands
// upright before the picture's roll.
struct FaceView {
    std::array<Rgb, 9> colours{};
    int width = 1280, height = 960;
    double faceShare = 0.55;       // the face's side over the picture's short side; 0: no cube
    double centreX = 0.5, centreY = 0.5;  // where the face's centre lies, as a share
    double rollDeg = 0;            // turn in the picture plane, clockwise on the picture
    double yawDeg = 0, pitchDeg = 0;  // off-axis view
    double distance = 5;           // camera distance in cube sides (perspective strength)
    bool stickerless = false;
    double kelvin = 6500;          // colour of the light
    double whiteBalance = 1;       // share of the light's colour the camera removed
    double exposure = 1;           // gain on every channel
    double glare = 0;              // brightness added at the glare spot's peak (0 - 255+)
    double shadow = 0;             // share of light taken away on the shadowed side
    double noise = 2;              // sensor noise, standard deviation in levels
    double blur = 0;               // defocus, Gaussian sigma in pixels at 1000 px short side
    int jpegQuality = 0;           // 0: no compression
    int clutter = 30;              // background shapes
    double washOut = 0;            // veiling light over everything (0 - 1): pale, washed-out colours
    double pinkRed = 0;            // how far red stickers lean to pink (0 - 1), as some cameras show them
    std::uint32_t seed = 1;        // background, other faces, glare and shadow placement
};

// Renders the view as 8-bit BGR. trueQuad, when given, gets the face's outline corners
// in the order FindFace reports them (top-left first, clockwise).
cv::Mat RenderFaceView(const FaceView& view, photos::Quad* trueQuad = nullptr);

// A random view within what a user's photo may be: face 25-85 % of the short side,
// roll +-25 degrees, up to 25 degrees off-axis, light 2700-9000 K, JPEG 60-95, one in
// four stickerless, some with glare or a shadow.
FaceView RandomFaceView(std::mt19937& rng, const std::array<Rgb, 9>& colours, int width, int height);

// Six random views, one per face of a facelet string (U R F D L B), each picture turned
// by turns[f] clockwise quarter turns when turnPhotos.
struct CubePhotoSet {
    std::array<cv::Mat, 6> photos;
    std::array<int, 6> turns{};
};
// realCamera adds what real phone and webcam photos do beyond RandomFaceView: pale,
// washed-out colours on some faces, one face much darker than the others, red leaning to
// pink in warm or hand-held shots.
CubePhotoSet RenderCubePhotos(const std::string& facelets, std::mt19937& rng, int width, int height, bool turnPhotos,
                              bool realCamera = false);

// The nine colours of face f (0-5, U R F D L B) of a 54-letter facelet string.
std::array<Rgb, 9> FaceColours(const std::string& facelets, int f);

// The nine colours turned by quarter turns clockwise, as a picture turned so shows them.
std::array<Rgb, 9> TurnColours(const std::array<Rgb, 9>& colours, int quarterTurns);

}  // namespace velmora::test
