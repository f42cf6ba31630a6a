// The face finder on generated photos: a 1920 x 1080 frame and a 12-megapixel phone
// picture (4000 x 3000), each with a turned, tilted face on a busy background.
#include <benchmark/benchmark.h>

#include <map>

#include "photos/face_reader.h"
#include "photos/photo_generator.h"

namespace {

using namespace velmora;

const cv::Mat& Photo(int width, int height) {
    static std::map<int, cv::Mat> photos;
    cv::Mat& m = photos[width];
    if (m.empty()) {
        test::FaceView v;
        for (int i = 0; i < 9; ++i) v.colours[i] = test::kStickerColours[(i * 5 + 1) % 6];
        v.width = width, v.height = height;
        v.faceShare = 0.45, v.rollDeg = 14, v.yawDeg = -12, v.pitchDeg = 9;
        v.clutter = 60, v.glare = 120, v.jpegQuality = 85, v.seed = 7;
        m = test::RenderFaceView(v);
    }
    return m;
}

void FindFaceIn(benchmark::State& state, int width, int height) {
    const cv::Mat& photo = Photo(width, height);
    int found = 0;
    for (auto _ : state) {
        photos::FaceReading r = photos::FindFace(photo);
        found += r.found;
        benchmark::DoNotOptimize(r);
    }
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}

void BM_FindFace1080p(benchmark::State& state) { FindFaceIn(state, 1920, 1080); }
void BM_FindFace12MP(benchmark::State& state) { FindFaceIn(state, 4000, 3000); }

}  // namespace

// OpenCV spreads some steps over threads: the CPU time counts them all.
BENCHMARK(BM_FindFace1080p)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FindFace12MP)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
