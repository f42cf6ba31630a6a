// The document's undo history: recording a position, undoing and redoing it.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/velmora_doc.h"

namespace {

using velmora::CVelmoraDoc;

struct ReadyDoc {
    velmora::SilentUser user;
    velmora::VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc = std::make_unique<CVelmoraDoc>(user, settings);
};

void BM_HistoryOpRecord(benchmark::State& state) {
    ReadyDoc d;
    d.doc->model.Scramble(1);
    for (auto _ : state) d.doc->HistoryOp(2, "转动魔方");
}
BENCHMARK(BM_HistoryOpRecord);

void BM_HistoryOpUndoRedo(benchmark::State& state) {
    ReadyDoc d;
    d.doc->model.Scramble(1);
    d.doc->HistoryOp(2, "转动魔方");
    d.doc->model.ApplyToken("R+");
    d.doc->model.ExecuteAndSolve();
    for (auto _ : state) {
        d.doc->HistoryOp(-1, "");
        d.doc->HistoryOp(1, "");
    }
}
BENCHMARK(BM_HistoryOpUndoRedo);

}  // namespace
