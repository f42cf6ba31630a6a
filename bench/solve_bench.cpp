// Solving, reading codes and cube files over a fixed set of seeded deals.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "files/cube_file.h"
#include "model/tarnex_source.h"

namespace {

using velmora::CTarnexSource;

constexpr int kDeals = 1000;

std::unique_ptr<CTarnexSource> ReadyModel() {
    auto m = std::make_unique<CTarnexSource>();
    m->InitCubeModel();
    m->SeedRandom(20261208);
    m->tickSource = [] { return 0; };
    return m;
}

// The start positions of 1,000 seeded deals of the whole cube.
const std::vector<velmora::CubeState>& Deals() {
    static const std::vector<velmora::CubeState> deals = [] {
        auto m = ReadyModel();
        std::vector<velmora::CubeState> out;
        for (int i = 0; i < kDeals; ++i) {
            m->Scramble(1);
            out.push_back(m->startState);
        }
        return out;
    }();
    return deals;
}

void SolveDeals(benchmark::State& state, int method) {
    auto m = ReadyModel();
    m->methodChoice = method;
    const auto& deals = Deals();
    std::size_t i = 0;
    for (auto _ : state) {
        m->cube = deals[i++ % deals.size()];
        m->moveRecord.Clear();
        m->ExecuteAndSolve();
        benchmark::DoNotOptimize(m->lastSolveResult);
    }
}
void BM_ExecuteAndSolveGroup(benchmark::State& state) { SolveDeals(state, 1); }
void BM_ExecuteAndSolveEightCorner(benchmark::State& state) { SolveDeals(state, 2); }
BENCHMARK(BM_ExecuteAndSolveGroup);
BENCHMARK(BM_ExecuteAndSolveEightCorner);

void BM_LoadPositionText(benchmark::State& state) {
    auto m = ReadyModel();
    m->Scramble(1);
    std::string code(m->SolutionRecord.view().substr(0, 72));
    for (auto _ : state) {
        m->LoadPositionText(code);
        benchmark::DoNotOptimize(m->lastSolveResult);
    }
}
BENCHMARK(BM_LoadPositionText);

void BM_SaveCubeFile(benchmark::State& state) {
    auto m = ReadyModel();
    m->Scramble(1);
    for (auto _ : state) {
        std::ostringstream out;
        benchmark::DoNotOptimize(m->SaveCubeFile(out));
    }
}
BENCHMARK(BM_SaveCubeFile);

void BM_LoadCubeFile(benchmark::State& state) {
    auto m = ReadyModel();
    m->Scramble(1);
    std::ostringstream out;
    m->SaveCubeFile(out);
    const std::string bytes = out.str();
    for (auto _ : state) {
        std::istringstream in(bytes);
        benchmark::DoNotOptimize(m->LoadCubeFile(in));
    }
}
BENCHMARK(BM_LoadCubeFile);

}  // namespace
