// Figures of the photo reading on generated photos:
//   velmora_photo_rate faces [COUNT] [SEED] [DUMP_DIR]  faces found where they are
//       (corners within 8 % of the side), time per search, and pictures without a cube
//       in which a face was wrongly found;
//   velmora_photo_rate sets [COUNT] [SEED] [DUMP_DIR]   six-photo sets of random cubes,
//       each photo turned a random quarter, read exactly (facelets equal the truth).
//   velmora_photo_rate colours [COUNT] [SEED] [rotations]  generated measured-colour
//       sets under hard light resolved alone, each set not read exactly named with its
//       seed (as the colour benchmark counts them).
//   velmora_photo_rate resolve FILE  the samples of six-photo sets kept in FILE resolved
//       again with the current colour resolution.
// DUMP_DIR receives the pictures that were read wrongly. With VELMORA_SET_FACES=FILE
// the sets mode adds each set's truth and samples to FILE, one line per set.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "photos/cube_photos.h"
#include "photos/face_reader.h"
#include "photos/photo_generator.h"
#include "support/measured_colours.h"

using namespace velmora;

namespace {

int Faces(int count, unsigned seed, const char* dump) {
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
        for (int k = 0; k < 4; ++k)
            err = std::max(err, double(std::hypot(r.quad[k][0] - truth[k][0], r.quad[k][1] - truth[k][1])));
        found += r.found;
        const bool ok = r.found && err < 0.08 * side;
        placed += ok;
        if (!ok) {
            std::printf("miss %d: found=%d err=%.2f share=%.2f roll=%.0f yaw=%.0f pitch=%.0f stickerless=%d glare=%.0f shadow=%.2f\n",
                        i, r.found, err / side, v.faceShare, v.rollDeg, v.yawDeg, v.pitchDeg, v.stickerless, v.glare, v.shadow);
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
        if (r.found && dump) cv::imwrite(std::string(dump) + "/false" + std::to_string(i) + ".png", img);
    }
    std::printf("faces: %d found: %d placed: %d ms_per_face: %.1f\n", count, found, placed, ms / count);
    std::printf("no_cube: %d false_faces: %d\n", count / 4, falseFaces);
    return 0;
}

// Whether a resolution read the truth, and if not, how: "exact", "refused", "doubted"
// (wrong only where in doubt) or "WRONG".
const char* Verdict(const ColourResolution& r, const std::string& truth) {
    if (r.status != ResolveStatus::Ok) return "refused";
    if (truth == r.facelets.data()) return "exact";
    for (std::size_t s = 0; s < 54; ++s)
        if (r.facelets[s] != truth[s] && !r.doubt[s]) return "WRONG";
    return "doubted";
}

int Colours(int count, unsigned seed, bool rotations) {
    test::LightShift light;
    light.rotateFaces = rotations;
    int exact = 0, doubted = 0, wrong = 0, refused = 0;
    for (int i = 0; i < count; ++i) {
        const test::MeasuredCube cube = test::GenerateMeasuredCube(seed + unsigned(i), light);
        const ColourResolution r = ResolveColours(cube.faces, rotations);
        const std::string verdict = Verdict(r, cube.facelets.data());
        if (verdict == "exact") { ++exact; continue; }
        verdict == "refused" ? ++refused : verdict == "doubted" ? ++doubted : ++wrong;
        int differ = 0;
        for (std::size_t s = 0; s < 54; ++s) differ += r.facelets[s] != cube.facelets[s];
        std::printf("seed %u: %s cost %.0f stickers %d\n", seed + unsigned(i), verdict.c_str(), r.cost, differ);
    }
    std::printf("sets: %d exact: %d wrong_in_doubt: %d wrong_unflagged: %d refused: %d exact_share: %.4f\n", count, exact,
                doubted, wrong, refused, double(exact) / count);
    return 0;
}

int Resolve(const char* file) {
    std::FILE* in = std::fopen(file, "r");
    if (!in) return 1;
    int sets = 0, exact = 0, set = 0;
    char truth[64];
    while (std::fscanf(in, "%d %60s", &set, truth) == 2) {
        std::array<photos::FaceReading, 6> faces;
        for (auto& face : faces) {
            int found = 0;
            if (std::fscanf(in, "%d", &found) != 1) return 1;
            face.found = found != 0;
            for (Rgb& c : face.samples)
                if (std::fscanf(in, "%f,%f,%f", &c.r, &c.g, &c.b) != 3) return 1;
        }
        const photos::CubeFromPhotos cube = photos::ResolveFaces(faces, {"U", "R", "F", "D", "L", "B"});
        ++sets;
        if (cube.ok && cube.resolution.facelets.data() == std::string(truth)) { ++exact; continue; }
        std::printf("set %d: %s\n", set, cube.ok ? Verdict(cube.resolution, truth) : cube.error.c_str());
    }
    std::fclose(in);
    std::printf("sets: %d exact: %d exact_share: %.3f\n", sets, exact, double(exact) / sets);
    return 0;
}

int Sets(int count, unsigned seed, const char* dump) {
    std::mt19937 rng(seed);
    int exact = 0, refused = 0, wrong = 0, wrongInDoubt = 0;
    const bool realCamera = std::getenv("VELMORA_PLAIN_CAMERA") == nullptr;
    const char* keepPath = std::getenv("VELMORA_SET_FACES");
    std::FILE* keep = keepPath ? std::fopen(keepPath, "a") : nullptr;
    for (int i = 0; i < count; ++i) {
        const std::string truth = test::GenerateMeasuredCube(seed * 100003u + unsigned(i)).facelets.data();
        const bool wide = rng() % 2;
        const test::CubePhotoSet set = test::RenderCubePhotos(truth, rng, wide ? 1920 : 1600, wide ? 1080 : 1200, std::getenv("VELMORA_UPRIGHT") == nullptr, realCamera);
        std::array<photos::FaceReading, 6> faces;
        for (int f = 0; f < 6; ++f) faces[f] = photos::FindFace(set.photos[f]);
        if (keep) {
            std::fprintf(keep, "%d %s", i, truth.c_str());
            for (const auto& face : faces) {
                std::fprintf(keep, " %d", int(face.found));
                for (const Rgb& c : face.samples) std::fprintf(keep, " %g,%g,%g", c.r, c.g, c.b);
            }
            std::fprintf(keep, "\n");
            std::fflush(keep);
        }
        const photos::CubeFromPhotos cube = photos::ResolveFaces(faces, {"U", "R", "F", "D", "L", "B"});
        // As scan takes it: a read with more doubts than a user checks, or two faces
        // only the user can tell apart, is refused with a message.
        const ColourResolution& r = cube.resolution;
        int doubts = 0;
        bool unflagged = false;
        for (int k = 0; k < 54; ++k) {
            doubts += r.doubt[k] ? 1 : 0;
            unflagged = unflagged || (r.facelets[k] != truth[k] && !r.doubt[k]);
        }
        const bool read = cube.ok && doubts <= kMostDoubtsOfARead && r.askFaceA < 0;
        if ((i + 1) % 50 == 0) std::printf("after %d sets: %d exact\n", i + 1, exact + (read && truth == r.facelets.data()));
        if (read && truth == r.facelets.data()) {
            ++exact;
            continue;
        }
        if (!read) ++refused;
        else if (unflagged) ++wrong;
        else ++wrongInDoubt;
        std::printf("set %d: %s\n", i, cube.ok ? cube.resolution.facelets.data() : cube.error.c_str());
        if (cube.ok) std::printf("   truth %s\n", truth.c_str());
        if (dump)
            for (int f = 0; f < 6; ++f)
                cv::imwrite(std::string(dump) + "/set" + std::to_string(i) + "_" + "URFDLB"[f] + ".png", set.photos[f]);
    }
    if (keep) std::fclose(keep);
    std::printf("sets: %d exact: %d refused: %d wrong_in_doubt: %d wrong_unflagged: %d exact_share: %.3f\n", count, exact,
                refused, wrongInDoubt, wrong, double(exact) / count);
    return 0;
}

// How far true stickers lie from their class under hard light: the percentiles of the
// distance and of nearerBy over the non-centre stickers of correctly read cubes, and
// the reads whose doubts exceed what scan accepts.
int Misfits(int count, unsigned seed) {
    std::vector<float> distance, nearer;
    int tooMany = 0, exact = 0;
    for (int i = 0; i < count; ++i) {
        const test::MeasuredCube cube = test::GenerateMeasuredCube(seed + unsigned(i));
        const ColourResolution r = ResolveColours(cube.faces, false);
        if (r.status != ResolveStatus::Ok || std::string(r.facelets.data()) != cube.facelets.data()) continue;
        ++exact;
        int doubts = 0;
        for (int k = 0; k < 54; ++k) {
            doubts += r.doubt[k] ? 1 : 0;
            if (k % 9 == 4) continue;
            distance.push_back(r.distance[k]);
            nearer.push_back(r.nearerBy[k]);
        }
        tooMany += doubts > kMostDoubtsOfARead ? 1 : 0;
    }
    std::sort(distance.begin(), distance.end());
    std::sort(nearer.begin(), nearer.end());
    auto at = [](const std::vector<float>& v, double q) { return v.empty() ? 0.0f : v[std::size_t(q * (v.size() - 1))]; };
    std::printf("exact: %d of %d; over %d doubts: %d\n", exact, count, kMostDoubtsOfARead, tooMany);
    for (double q : {0.5, 0.9, 0.99, 0.999, 0.9999, 1.0})
        std::printf("q%.4f distance %.1f nearer_by %.1f\n", q, at(distance, q), at(nearer, q));
    // Odd colours no cube has, put on one sticker: how far they lie from their class.
    const Rgb kOdd[] = {{138, 42, 226}, {255, 105, 180}, {128, 0, 128}, {255, 192, 203}, {0, 0, 0}, {128, 128, 128}};
    for (const Rgb& odd : kOdd) {
        int inDoubt = 0, refused = 0, n = 0;
        float least = 1e9f;
        for (int i = 0; i < 200; ++i, ++n) {
            test::MeasuredCube cube = test::GenerateMeasuredCube(seed + unsigned(i));
            cube.faces[1][1] = odd;
            const ColourResolution r = ResolveColours(cube.faces, false);
            if (r.status != ResolveStatus::Ok) { ++refused; continue; }
            inDoubt += r.doubt[10] ? 1 : 0;
            least = std::min(least, r.distance[10]);
        }
        std::printf("odd %g,%g,%g: %d sets, %d refused, %d in doubt, least distance %.1f\n", odd.r, odd.g, odd.b, n, refused,
                    inDoubt, least);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "misfits") == 0)
        return Misfits(argc > 2 ? std::atoi(argv[2]) : 2000, argc > 3 ? unsigned(std::atoi(argv[3])) : 100000);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // progress as it comes when written to a file
    if (argc > 2 && std::strcmp(argv[1], "resolve") == 0) return Resolve(argv[2]);
    if (argc > 1 && std::strcmp(argv[1], "colours") == 0)
        return Colours(argc > 2 ? std::atoi(argv[2]) : 10000, argc > 3 ? unsigned(std::atoi(argv[3])) : 100000,
                       argc > 4 && std::strcmp(argv[4], "rotations") == 0);
    const bool sets = argc > 1 && std::strcmp(argv[1], "sets") == 0;
    const int count = argc > 2 ? std::atoi(argv[2]) : 200;
    const unsigned seed = argc > 3 ? unsigned(std::atoi(argv[3])) : 1;
    const char* dump = argc > 4 ? argv[4] : nullptr;
    return sets ? Sets(count, seed, dump) : Faces(count, seed, dump);
}
