// The shortest method's two-phase search over seeded whole-cube deals: time of each
// search (median, mean, maximum, in milliseconds) and the mean solution length as
// counters, plus the whole solve through the driver.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "model/tarnex_source.h"
#include "solvers/shortest/two_phase.h"

namespace {

using velmora::shortest::CubieCube;

// Deals of the program's own random generator, read as the search sees them.
const std::vector<CubieCube>& Deals(int count) {
    static std::vector<CubieCube> deals;
    if (static_cast<int>(deals.size()) < count) {
        auto m = std::make_unique<velmora::CTarnexSource>();
        m->InitCubeModel();
        m->SeedRandom(20261208);
        m->tickSource = [] { return 0; };
        m->methodChoice = 2;
        deals.clear();
        for (int i = 0; i < count; ++i) {
            m->Scramble(1);
            // Deals come held in any of the 24 ways; the search reads an upright cube.
            static constexpr const char* kTopFrom[7] = {"", "", "FT", "RT", "PT", "LT", "BT"};
            static constexpr const char* kFrontFrom[7] = {"", "", "", "RF", "PF", "LF", ""};
            for (int k = 2; k <= 6 && m->cube.centres[1] != 1; ++k)
                if (m->cube.centres[k] == 1) m->ApplyToken(kTopFrom[k]);
            for (int k = 3; k <= 5 && m->cube.centres[2] != 2; ++k)
                if (m->cube.centres[k] == 2) m->ApplyToken(kFrontFrom[k]);
            CubieCube c;
            velmora::shortest::ReadCubie(*m, c);
            deals.push_back(c);
        }
    }
    return deals;
}

void BM_TwoPhaseSearchDeals(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto& deals = Deals(count);
    velmora::shortest::PrepareTables();
    std::vector<double> ms(static_cast<std::size_t>(count));
    long turns = 0;
    int longest = 0, failed = 0;
    for (auto _ : state) {
        turns = 0;
        for (int i = 0; i < count; ++i) {
            velmora::shortest::TwoPhaseSolution out;
            const auto t0 = std::chrono::steady_clock::now();
            const bool ok = velmora::shortest::SolveTwoPhase(deals[static_cast<std::size_t>(i)], 20, out);
            const auto t1 = std::chrono::steady_clock::now();
            ms[static_cast<std::size_t>(i)] = std::chrono::duration<double, std::milli>(t1 - t0).count();
            failed += ok ? 0 : 1;
            turns += out.length;
            longest = std::max(longest, out.length);
        }
    }
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double v : sorted) sum += v;
    state.counters["median_ms"] = sorted[sorted.size() / 2];
    state.counters["mean_ms"] = sum / count;
    state.counters["max_ms"] = sorted.back();
    state.counters["mean_turns"] = static_cast<double>(turns) / count;
    state.counters["max_turns"] = longest;
    state.counters["failed"] = failed;
}
BENCHMARK(BM_TwoPhaseSearchDeals)->Arg(300)->Arg(1000)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ExecuteAndSolveShortest(benchmark::State& state) {
    const auto& deals = Deals(1000);
    (void)deals;
    auto m = std::make_unique<velmora::CTarnexSource>();
    m->InitCubeModel();
    m->SeedRandom(7);
    m->tickSource = [] { return 0; };
    m->methodChoice = 3;
    for (auto _ : state) {
        m->Scramble(1);
        benchmark::DoNotOptimize(m->lastSolveResult);
    }
}
BENCHMARK(BM_ExecuteAndSolveShortest)->Unit(benchmark::kMillisecond);

}  // namespace
