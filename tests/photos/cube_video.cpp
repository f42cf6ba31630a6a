// Frames of a generated cube video: the photo generator's scene for each frame, with
// the face's position, roll, light and motion blur following a script per face.
#include "photos/cube_video.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "photos/photo_generator.h"

namespace velmora::test {

const std::array<Rgb, 6> kVideoCubeColours = {{
    {196, 22, 36},    // U red
    {0, 72, 176},     // R blue
    {250, 212, 0},    // F yellow
    {255, 104, 0},    // D orange
    {0, 155, 72},     // L green
    {235, 236, 230},  // B white
}};

namespace {

constexpr double kPi = 3.14159265358979;
// Frames per face: moving in, held (1.2 s at 30 frames a second), moving out, nothing.
constexpr int kIn = 12, kHeldQuick = 36, kHeldSettling = 60, kOut = 8, kEmpty = 6;
// Time constant of the camera's exposure and white balance settling after a turn (s):
// about 95 % settled after a second.
constexpr double kSettle = 0.33;

std::array<Rgb, 9> Colours(const std::string& facelets, int f) {
    std::array<Rgb, 9> out{};
    for (int i = 0; i < 9; ++i)
        out[static_cast<std::size_t>(i)] =
            kVideoCubeColours[std::string_view("URFDLB").find(facelets.at(static_cast<std::size_t>(9 * f + i)))];
    return out;
}

// Smeared along the direction of motion over length pixels.
void MotionBlur(cv::Mat& img, double dx, double dy) {
    const double length = std::hypot(dx, dy);
    if (length < 1.5) return;
    const int size = static_cast<int>(std::ceil(length)) | 1;
    cv::Mat kernel = cv::Mat::zeros(size, size, CV_32F);
    const cv::Point2d c(size / 2.0, size / 2.0);
    cv::line(kernel, c - cv::Point2d(dx, dy) * 0.5, c + cv::Point2d(dx, dy) * 0.5, cv::Scalar(1), 1, cv::LINE_AA);
    kernel /= cv::sum(kernel)[0];
    cv::filter2D(img, img, -1, kernel);
}

}  // namespace

int WriteCubeVideo(const std::string& path, const CubeVideo& video) {
    cv::VideoWriter writer(path, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), video.fps,
                           cv::Size(video.width, video.height));
    if (!writer.isOpened()) return 0;
    std::mt19937 rng(video.seed);
    std::uniform_real_distribution<double> u(0, 1);
    const int kHeld = video.settlingLight ? kHeldSettling : kHeldQuick;
    const int perFace = kIn + kHeld + kOut + kEmpty;
    const int total = 6 * perFace * video.rounds;
    int written = 0;
    for (int round = 0; round < video.rounds; ++round) {
        std::array<int, 6> order;
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), rng);
        for (int f : order) {
            FaceView v;
            v.width = video.width;
            v.height = video.height;
            v.colours = TurnColours(Colours(video.facelets, f), static_cast<int>(rng() % 4));
            v.faceShare = 0.35 + 0.25 * u(rng);
            v.rollDeg = 40 * u(rng) - 20;
            v.yawDeg = 20 * u(rng) - 10;
            v.pitchDeg = 20 * u(rng) - 10;
            v.whiteBalance = 0.85;
            v.noise = 2.5;
            v.clutter = 20;
            v.seed = rng();
            const double restX = 0.4 + 0.2 * u(rng), restY = 0.45 + 0.1 * u(rng);
            const double fromX = u(rng) < 0.5 ? -0.3 : 1.3, toX = u(rng) < 0.5 ? -0.3 : 1.3;
            double lastX = fromX, lastY = restY;
            // How far off the camera starts for this face.
            const double exposureOff = video.settlingLight ? std::exp(0.7 * u(rng) - 0.35) : 1;
            const double kelvinOff = video.settlingLight ? 4000 * u(rng) - 2000 : 0;
            for (int k = 0; k < perFace; ++k, ++written) {
                const double t = static_cast<double>(written) / total;
                v.kelvin = 3500 + 4000 * t;
                v.exposure = 1 + 0.15 * std::sin(2 * kPi * 3 * t);
                if (video.settlingLight) {
                    const double off = std::exp(-k / video.fps / kSettle);
                    v.kelvin += kelvinOff * off;
                    v.exposure *= std::pow(exposureOff, off);
                }
                double x = restX, y = restY;
                if (k < kIn) {
                    const double s = 1 - static_cast<double>(k + 1) / kIn;
                    x = restX + (fromX - restX) * s * s;
                } else if (k < kIn + kHeld) {
                    // A hand is never quite still: a fraction of a pixel either way.
                    x += (u(rng) - 0.5) * 1.2 / video.width;
                    y += (u(rng) - 0.5) * 1.2 / video.height;
                } else if (k < kIn + kHeld + kOut) {
                    const double s = static_cast<double>(k - kIn - kHeld + 1) / kOut;
                    x = restX + (toX - restX) * s * s;
                } else {
                    x = -2;  // out of the picture
                }
                v.centreX = x;
                v.centreY = y;
                cv::Mat frame = RenderFaceView(v);
                MotionBlur(frame, (x - lastX) * video.width, (y - lastY) * video.height);
                lastX = x;
                lastY = y;
                writer.write(frame);
            }
        }
    }
    return written;
}

}  // namespace velmora::test
