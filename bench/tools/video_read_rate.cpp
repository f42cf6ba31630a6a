// How well generated cube videos are read as the camera would read them: for COUNT
// random positions a video is rendered, scanned frame by frame (photos/video), and the
// six captured faces resolved. Reports exact reads, wrong reads without a doubt, the
// face finder's median time per frame and the largest grid movement that led to a
// capture. velmora_video_rate [COUNT] [SEED] [WIDTH HEIGHT]
//
// With VELMORA_VIDEO_FACES=FILE set, each video's truth and captured samples are added
// to FILE, one line per video; velmora_video_rate --resolve FILE reads them again with
// the current colour resolution (the scanning itself does not depend on it).
//
// velmora_video_rate --long MINUTES OUT.avi writes a long video (one round of the six
// faces rendered, then repeated) for watching the window's memory over a long run.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "document/photo_input.h"
#include "document/settings.h"
#include "model/facelet_string.h"
#include "model/tarnex_source.h"
#include "photos/cube_video.h"
#include "photos/video/video_scan.h"

#include <opencv2/videoio.hpp>

using namespace velmora;

namespace {

int WriteLongVideo(double minutes, const std::string& out) {
    const std::string round = out + ".round.avi";
    test::CubeVideo video{.facelets = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB", .seed = 7};
    if (test::WriteCubeVideo(round, video) == 0) return 1;
    cv::VideoWriter writer(out, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), video.fps, cv::Size(video.width, video.height));
    const long long frames = static_cast<long long>(minutes * 60 * video.fps);
    long long written = 0;
    cv::Mat frame;
    while (written < frames) {
        cv::VideoCapture in(round);
        while (written < frames && in.read(frame)) {
            writer.write(frame);
            ++written;
        }
    }
    std::remove(round.c_str());
    std::printf("frames: %lld\n", written);
    return 0;
}

// The verdict on one video's six captured faces: exact, read with a doubt, wrong without
// a doubt, or not read. Prints a line for the last two.
struct Tally {
    int exact = 0, wrongUndoubted = 0, doubted = 0, refused = 0;
    void Add(int video, const std::array<FaceSamples, 6>& faces, const char* facelets) {
        const ColourResolution r = ResolveColours(faces, true);
        int doubts = 0;
        for (bool d : r.doubt) doubts += d;
        const bool same = r.status == ResolveStatus::Ok && std::string(r.facelets.data()) == facelets;
        exact += same && doubts == 0;
        doubted += doubts > 0;
        if (r.status != ResolveStatus::Ok) {
            ++refused;
            std::printf("video %d: not read (status %d)\n", video, int(r.status));
        } else if (!same && doubts == 0) {
            ++wrongUndoubted;
            std::printf("video %d: read %s status %d, shown %s\n", video, r.facelets.data(), int(r.status), facelets);
        }
    }
};

int Reresolve(const char* file) {
    std::FILE* in = std::fopen(file, "r");
    if (!in) return 1;
    Tally tally;
    int videos = 0, video = 0;
    char facelets[64];
    while (std::fscanf(in, "%d %60s", &video, facelets) == 2) {
        std::array<FaceSamples, 6> faces{};
        for (auto& face : faces)
            for (Rgb& c : face)
                if (std::fscanf(in, "%f,%f,%f", &c.r, &c.g, &c.b) != 3) return 1;
        tally.Add(video, faces, facelets);
        ++videos;
    }
    std::fclose(in);
    std::printf("videos: %d exact: %d with_doubt: %d wrong_without_doubt: %d not_read: %d\n", videos, tally.exact,
                tally.doubted, tally.wrongUndoubted, tally.refused);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--resolve") return Reresolve(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "--long") return WriteLongVideo(std::atof(argv[2]), argv[3]);
    const int count = argc > 1 ? std::atoi(argv[1]) : 20;
    const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : 1;
    const int width = argc > 4 ? std::atoi(argv[3]) : 1280, height = argc > 4 ? std::atoi(argv[4]) : 720;
    std::array<Rgb, 6> display;
    for (std::size_t f = 0; f < 6; ++f) {
        const int ref = kSettingDefaults[static_cast<std::size_t>(DisplayColourOfLetter(kFaceletLetters[f]))].value;
        display[f] = {float(ref & 0xff), float((ref >> 8) & 0xff), float((ref >> 16) & 0xff)};
    }
    SilentUser silent;
    auto model = std::make_unique<CTarnexSource>();
    model->user = &silent;
    model->InitCubeModel();
    model->SeedRandom(seed);
    model->tickSource = [] { return 0; };
    std::mt19937 rng(seed);
    const std::string path = "/tmp/velmora_video_rate_" + std::to_string(seed) + ".avi";
    Tally tally;
    int incomplete = 0;
    const char* dumpPath = std::getenv("VELMORA_VIDEO_FACES");
    std::FILE* dump = dumpPath ? std::fopen(dumpPath, "a") : nullptr;
    double worstMotion = 0;
    std::vector<float> ms;
    for (int i = 0; i < count; ++i) {
        model->Scramble(1);
        char facelets[55];
        WriteFaceletString(*model, true, facelets);
        test::CubeVideo video{.facelets = facelets, .width = width, .height = height, .seed = unsigned(rng()),
                              .settlingLight = std::getenv("VELMORA_VIDEO_QUICK_LIGHT") == nullptr};
        test::WriteCubeVideo(path, video);
        const photos::VideoScan scan = photos::ScanVideo(path, display);
        ms.insert(ms.end(), scan.finderMs.begin(), scan.finderMs.end());
        worstMotion = std::max(worstMotion, scan.captureMotion);
        if (scan.captured < 6) {
            ++incomplete;
            std::printf("video %d: %d faces captured\n", i, scan.captured);
            continue;
        }
        if (dump) {
            std::fprintf(dump, "%d %s", i, facelets);
            for (const auto& face : scan.faces)
                for (const Rgb& c : face) std::fprintf(dump, " %g,%g,%g", c.r, c.g, c.b);
            std::fprintf(dump, "\n");
            std::fflush(dump);
        }
        tally.Add(i, scan.faces, facelets);
    }
    std::remove(path.c_str());
    std::sort(ms.begin(), ms.end());
    if (dump) std::fclose(dump);
    std::printf("videos: %d exact: %d with_doubt: %d wrong_without_doubt: %d not_read: %d incomplete: %d\n", count,
                tally.exact, tally.doubted, tally.wrongUndoubted, tally.refused, incomplete);
    std::printf("frames: %zu finder_median_ms: %.1f finder_p90_ms: %.1f largest_capture_motion: %.4f (limit %.2f)\n",
                ms.size(), ms.empty() ? 0.0 : ms[ms.size() / 2], ms.empty() ? 0.0 : ms[ms.size() * 9 / 10], worstMotion,
                StableGrid::kMotionLimit);
    return 0;
}
