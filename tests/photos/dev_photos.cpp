#include "photos/dev_photos.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "solvers/colours/colour_space.h"

namespace velmora::test {

std::string DevPhotosDir() {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (const char* env = std::getenv("VELMORA_PHOTOS_DEV"); env && fs::is_directory(env, ec)) return env;
#ifdef VELMORA_PHOTOS_DEV_DIR
    if (fs::is_directory(VELMORA_PHOTOS_DEV_DIR, ec)) return VELMORA_PHOTOS_DEV_DIR;
#endif
    return {};
}

double CornerError(const photos::Quad& found, const photos::Quad& given) {
    double side = 0;
    for (std::size_t i = 0; i < 4; ++i)
        side += std::hypot(given[(i + 1) % 4][0] - given[i][0], given[(i + 1) % 4][1] - given[i][1]) / 4;
    double best = 1e30;
    for (std::size_t shift = 0; shift < 4; ++shift) {
        double worst = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const auto& p = found[(i + shift) % 4];
            worst = std::max(worst, std::hypot(double(p[0] - given[i][0]), double(p[1] - given[i][1])));
        }
        best = std::min(best, worst);
    }
    return best / side;
}

bool GroupsLikeColours(const FaceSamples& samples, std::string_view colours) {
    std::array<colours::Lab, 9> lab;
    for (std::size_t i = 0; i < 9; ++i)
        lab[i] = colours::LabFromLinear({colours::LinearFromSrgb(samples[i].r), colours::LinearFromSrgb(samples[i].g),
                                         colours::LinearFromSrgb(samples[i].b)});
    for (std::size_t i = 0; i < 9; ++i) {
        float sameFar = 0, otherNear = 1e9f;
        for (std::size_t j = 0; j < 9; ++j) {
            if (j == i) continue;
            const float d = colours::DeltaE2000(lab[i], lab[j], 2.0f);
            if (colours[j] == colours[i]) sameFar = std::max(sameFar, d);
            else otherNear = std::min(otherNear, d);
        }
        if (!(sameFar < otherNear)) return false;
    }
    return true;
}

namespace {

// Sticker k (9 f + i) as a point on the cube: x right, y up, z front, the faces at 3.
std::array<int, 3> Point(int k) {
    const int f = k / 9, r = k % 9 / 3, c = k % 3;
    const int u = 2 * (c - 1), v = 2 * (1 - r);  // across and up the face, -2..2
    switch (f) {
        case 0: return {u, 3, -v};   // U: top row at the back
        case 1: return {3, v, -u};   // R: left column at the front
        case 2: return {u, v, 3};    // F
        case 3: return {u, -3, v};   // D: top row at the front
        case 4: return {-3, v, u};   // L: left column at the back
        default: return {-u, v, -3}; // B: left column on the right
    }
}

int StickerAt(const std::array<int, 3>& p) {
    for (int k = 0; k < 54; ++k)
        if (Point(k) == p) return k;
    return -1;
}

// The string of the cube turned by a quarter turn about x (axis 0) or y (axis 1),
// relabelled by where the centres went.
std::string Turned(std::string_view s, int axis) {
    std::string out(54, '?');
    for (int k = 0; k < 54; ++k) {
        auto p = Point(k);
        p = axis == 0 ? std::array<int, 3>{p[0], -p[2], p[1]} : std::array<int, 3>{p[2], p[1], -p[0]};
        out[static_cast<std::size_t>(StickerAt(p))] = s[static_cast<std::size_t>(k)];
    }
    std::string relabelled = out;
    for (int k = 0; k < 54; ++k) {
        const char colour = out[static_cast<std::size_t>(k)];
        for (int f = 0; f < 6; ++f)
            if (out[static_cast<std::size_t>(9 * f + 4)] == colour) relabelled[static_cast<std::size_t>(k)] = "URFDLB"[f];
    }
    return relabelled;
}

}  // namespace

bool SameCubeAnyHold(std::string_view a, std::string_view b) {
    if (a.size() != 54 || b.size() != 54) return false;
    // The 24 holds: everything quarter turns about x and y reach.
    std::vector<std::string> holds{std::string(b)};
    for (std::size_t i = 0; i < holds.size(); ++i)
        for (int axis = 0; axis < 2; ++axis) {
            std::string next = Turned(holds[i], axis);
            if (std::find(holds.begin(), holds.end(), next) == holds.end()) holds.push_back(next);
        }
    return std::find(holds.begin(), holds.end(), a) != holds.end();
}

int WriteDevSetVideo(const std::string& setDir, const std::string& path) {
    constexpr int kWidth = 1280, kHeight = 720;
    constexpr double kFps = 25;
    std::array<cv::Mat, 6> frames;
    for (std::size_t f = 0; f < 6; ++f) {
        cv::Mat photo;
        std::string error;
        if (!photos::LoadPhoto(setDir + "/" + "URFDLB"[f] + ".jpg", photo, error)) return 0;
        const double scale = std::min(double(kWidth) / photo.cols, double(kHeight) / photo.rows);
        cv::Mat scaled;
        cv::resize(photo, scaled, cv::Size(), scale, scale, scale < 1 ? cv::INTER_AREA : cv::INTER_CUBIC);
        frames[f] = cv::Mat(kHeight, kWidth, CV_8UC3, cv::Scalar(0x20, 0x20, 0x20));
        scaled.copyTo(frames[f](cv::Rect((kWidth - scaled.cols) / 2, (kHeight - scaled.rows) / 2, scaled.cols, scaled.rows)));
    }
    cv::VideoWriter writer(path, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), kFps, cv::Size(kWidth, kHeight));
    if (!writer.isOpened()) return 0;
    // Face k alone until 1.5 (k + 1) s, then fading into face k + 1 over 0.5 s; the last
    // face until 9.5 s.
    const int total = static_cast<int>(9.5 * kFps);
    cv::Mat blend;
    for (int n = 0; n < total; ++n) {
        const double t = n / kFps;
        const int k = std::min(5, static_cast<int>(t / 1.5));
        const double into = t - 1.5 * k;  // face k - 1 fades into face k over its first 0.5 s
        if (k > 0 && into < 0.5) {
            const double p = into / 0.5;
            cv::addWeighted(frames[static_cast<std::size_t>(k - 1)], 1 - p, frames[static_cast<std::size_t>(k)], p, 0, blend);
            writer.write(blend);
        } else {
            writer.write(frames[static_cast<std::size_t>(k)]);
        }
    }
    return total;
}

}  // namespace velmora::test
