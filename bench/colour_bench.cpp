// The colour resolution: time per cube with and without the rotation search, and how
// many of 10,000 generated measured-colour sets under hard light are read exactly
// (counters: exact, wrong_in_doubt = read wrong only where in doubt, wrong_unflagged,
// refused = reported as no cube or as two centres alike).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "solvers/colours/colour_resolution.h"
#include "support/measured_colours.h"

namespace {

using velmora::test::GenerateMeasuredCube;
using velmora::test::LightShift;
using velmora::test::MeasuredCube;

const std::vector<MeasuredCube>& Sets(bool rotated) {
    static std::vector<MeasuredCube> plain, turned;
    std::vector<MeasuredCube>& sets = rotated ? turned : plain;
    if (sets.empty()) {
        LightShift light;
        light.rotateFaces = rotated;
        for (std::uint32_t seed = 0; seed < 256; ++seed) sets.push_back(GenerateMeasuredCube(seed, light));
    }
    return sets;
}

void BM_ResolveColours(benchmark::State& state) {
    const bool rotated = state.range(0) != 0;
    const auto& sets = Sets(rotated);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmora::ResolveColours(sets[i].faces, rotated));
        i = (i + 1) % sets.size();
    }
}
BENCHMARK(BM_ResolveColours)->Arg(0)->Arg(1)->ArgName("rotations")->Unit(benchmark::kMicrosecond);

void BM_ResolveColoursAccuracy(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    double exact = 0, wrongInDoubt = 0, wrongUnflagged = 0, refused = 0, doubts = 0;
    for (auto _ : state) {
        for (int seed = 0; seed < count; ++seed) {
            const MeasuredCube cube = GenerateMeasuredCube(static_cast<std::uint32_t>(100000 + seed));
            const velmora::ColourResolution r = velmora::ResolveColours(cube.faces, false);
            for (bool d : r.doubt) doubts += d;
            if (r.status != velmora::ResolveStatus::Ok) { ++refused; continue; }
            if (std::memcmp(r.facelets.data(), cube.facelets.data(), 54) == 0) { ++exact; continue; }
            bool flagged = true;
            for (std::size_t s = 0; s < 54; ++s) flagged = flagged && (r.facelets[s] == cube.facelets[s] || r.doubt[s]);
            ++(flagged ? wrongInDoubt : wrongUnflagged);
        }
    }
    const double n = static_cast<double>(count) * static_cast<double>(state.iterations());
    state.counters["exact_pct"] = 100 * exact / n;
    state.counters["wrong_in_doubt_pct"] = 100 * wrongInDoubt / n;
    state.counters["wrong_unflagged_pct"] = 100 * wrongUnflagged / n;
    state.counters["refused_pct"] = 100 * refused / n;
    state.counters["doubts_per_cube"] = doubts / n;
}
BENCHMARK(BM_ResolveColoursAccuracy)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
