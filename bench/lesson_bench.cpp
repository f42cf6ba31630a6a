// Learn mode's cost per drawn frame: the lesson of the current step, for each method,
// at a step in the middle of the solution.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/velmora_doc.h"

namespace {

using velmora::CVelmoraDoc;

void BM_LessonOfStep(benchmark::State& state) {
    velmora::SilentUser user;
    velmora::VelmoraSettings settings;
    settings.learnMode = 1;
    auto doc = std::make_unique<CVelmoraDoc>(user, settings);
    doc->model.methodChoice = static_cast<int>(state.range(0));
    doc->model.SeedRandom(11);
    doc->model.tickSource = [] { return 0; };
    doc->model.Scramble(1);
    const int middle = static_cast<int>(doc->model.SolutionRecord.size()) / 2;
    for (int i = 0; i < 200 && doc->model.demoPos < middle; ++i) doc->model.StepSolution(+1);
    for (auto _ : state) benchmark::DoNotOptimize(doc->Lesson());
}
BENCHMARK(BM_LessonOfStep)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace
