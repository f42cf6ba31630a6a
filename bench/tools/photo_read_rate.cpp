// How often generated photos are read exactly: renders random views of faces and
// reports how many faces are found where they are (corners within 8 % of the face's
// side) and how long the search takes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "photos/face_reader.h"
#include "photos/photo_generator.h"

using namespace velmora;

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : 1;
    const char* dump = argc > 3 ? argv[3] : nullptr;
    std::mt19937 rng(seed);
    int found = 0, placed = 0;
    double ms = 0;
    for (int i = 0; i < count; ++i) {
        std::array<Rgb, 9> colours;
        for (Rgb& c : colours) c = test::kStickerColours[rng() % 6];
        const bool wide = rng() % 2;
        test::FaceView v = test::RandomFaceView(rng, colours, wide ? 1920 : 1600, wide ? 1080 : 1200);
        photos::Quad truth;
        const cv::Mat img = test::RenderFaceView(v, &truth);
        const auto t0 = std::chrono::steady_clock::now();
        const photos::FaceReading r = photos::FindFace(img);
        ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        double err = 0;
        const double side = std::hypot(truth[1][0] - truth[0][0], truth[1][1] - truth[0][1]);
        for (int k = 0; k < 4; ++k) err = std::max(err, double(std::hypot(r.quad[k][0] - truth[k][0], r.quad[k][1] - truth[k][1])));
        found += r.found;
        const bool ok = r.found && err < 0.08 * side;
        placed += ok;
        if (!ok) {
            std::printf("miss %d: found=%d err=%.2f share=%.2f roll=%.0f yaw=%.0f pitch=%.0f stickerless=%d glare=%.0f shadow=%.2f\n", i,
                        r.found, err / side, v.faceShare, v.rollDeg, v.yawDeg, v.pitchDeg, v.stickerless, v.glare, v.shadow);
            if (dump) cv::imwrite(std::string(dump) + "/miss" + std::to_string(i) + ".png", img);
        }
    }
    // Pictures with no cube: the face must not be found.
    int falseFaces = 0;
    for (int i = 0; i < count / 4; ++i) {
        test::FaceView v = test::RandomFaceView(rng, {}, 1600, 1200);
        v.faceShare = 0;
        v.clutter = 40 + int(rng() % 60);
        const cv::Mat img = test::RenderFaceView(v);
        const photos::FaceReading r = photos::FindFace(img);
        falseFaces += r.found;
        if (r.found && dump) {
            cv::Mat shown = img.clone();
            for (int k = 0; k < 4; ++k)
                cv::line(shown, cv::Point(int(r.quad[k][0]), int(r.quad[k][1])),
                         cv::Point(int(r.quad[(k + 1) % 4][0]), int(r.quad[(k + 1) % 4][1])), cv::Scalar(255, 0, 255), 3);
            cv::imwrite(std::string(dump) + "/false" + std::to_string(i) + ".png", shown);
        }
    }
    std::printf("faces: %d found: %d placed: %d ms_per_face: %.1f\n", count, found, placed, ms / count);
    std::printf("no_cube: %d false_faces: %d\n", count / 4, falseFaces);
    return 0;
}
