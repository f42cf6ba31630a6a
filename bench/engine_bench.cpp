#include <benchmark/benchmark.h>

#include <memory>

#include "model/tarnex_source.h"

namespace {

std::unique_ptr<velmora::CTarnexSource> ReadyModel() {
    auto m = std::make_unique<velmora::CTarnexSource>();
    m->InitCubeModel();
    return m;
}

void BM_ApplyTokenFaceTurn(benchmark::State& state) {
    auto m = ReadyModel();
    for (auto _ : state) {
        m->ApplyToken("R+");
        if (m->moveRecord.size() > 9000) m->moveRecord.Clear();
    }
}
BENCHMARK(BM_ApplyTokenFaceTurn);

void BM_ApplyTokenRotation(benchmark::State& state) {
    auto m = ReadyModel();
    for (auto _ : state) {
        m->ApplyToken("TF");
        if (m->moveRecord.size() > 9000) m->moveRecord.Clear();
    }
}
BENCHMARK(BM_ApplyTokenRotation);

void BM_RunMoveString20(benchmark::State& state) {
    auto m = ReadyModel();
    constexpr std::string_view text =
        "R+;F-;T*;L+;B-;P*;R-;F+;T+;L*;B+;P-;R*;F*;T-;L-;B*;P+;R+;F-;";
    for (auto _ : state) {
        m->moveRecord.Clear();
        benchmark::DoNotOptimize(m->RunMoveString(0, text));
    }
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_RunMoveString20);

void BM_CheckAssembly(benchmark::State& state) {
    auto m = ReadyModel();
    m->RunMoveString(0, "R+;F-;T*;L+;B-;P*;R-;F+;T+;L*;B+;P-;");
    for (auto _ : state) benchmark::DoNotOptimize(m->CheckAssembly());
}
BENCHMARK(BM_CheckAssembly);

}  // namespace
