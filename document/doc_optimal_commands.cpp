// The fewest-turns search in the window: started after a solve by the fewest-turns
// method, watched from the window's timer, its solution taken as one history step.
#include <cstdio>
#include <cstring>

#include "document/velmora_doc.h"

namespace velmora {

void CVelmoraDoc::FindOptimal() {
    HistoryOp(2, "求最少步数解");
    const int chosen = model.methodChoice;
    model.methodChoice = 5;
    model.ExecuteAndSolve();
    model.methodChoice = chosen;
    ShowStatus(model.statusText.view());
    Redraw();
    OptimalTick();
}

void CVelmoraDoc::StopOptimal() {
    if (!optimalRunner.Running()) return;
    optimalRunner.Cancel();
    ShowStatus("已停止最少步数搜索，保留显示的解法");
}

void CVelmoraDoc::OptimalTick() {
    OptimalFigures& f = model.optimalFigures;
    const std::string_view startCode = model.SolutionRecord.view().substr(0, kCodeLength);
    if (f.pending) {
        // A new solve by the fewest-turns method: any older search is for another cube.
        f.pending = false;
        optimalRunner.Start(f.cube, startCode, model.optimalRequest.tableSize, model.optimalRequest.threads);
    }
    const OptimalRunner::Progress p = optimalRunner.Look();
    char text[256];
    if (p.phase == OptimalRunner::Phase::Tables) {
        if (!user.TableProgress("正在建立最少步数搜索表（只需建立一次）……", p.tableShare)) optimalRunner.Cancel();
        std::snprintf(text, sizeof text, "最少步数：正在准备搜索表 %.0f%%（按Esc停止）", p.tableShare * 100);
        ShowStatus(text);
        return;
    }
    if (p.phase == OptimalRunner::Phase::Searching) {
        user.TableProgress({}, -1);
        const double rate = p.seconds > 0 ? static_cast<double>(p.positions) / p.seconds : 0;
        std::snprintf(text, sizeof text, "最少步数：正在搜索 %d 转，每秒 %.0f 万个位置，已用 %.1f 秒", p.depth,
                      rate / 1e4, p.seconds);
        ShowStatus(text);
        return;
    }
    OptimalRunner::Result r;
    if (!optimalRunner.Take(r)) return;
    user.TableProgress({}, -1);
    // Only a solution for the position still shown, by this method, replaces it.
    const bool same = optimalRunner.StartCode() == startCode && model.methodUsed == 5 && model.inputMode >= 0;
    if (!same) return;
    if (!r.ok) {
        // The tables were not built (cancelled, no memory for them, or the file written
        // did not read back).
        ShowStatus(r.tableStatus.empty() ? "已停止最少步数搜索，保留显示的解法" : r.tableStatus.view());
        return;
    }
    if (!r.proven) {
        std::snprintf(text, sizeof text, "已停止最少步数搜索：没有短于 %d 转的解法，保留显示的解法", r.lowerBound);
        ShowStatus(text);
        return;
    }
    HistoryOp(2, "最少步数解");
    model.TakeOptimalSolution(r.moves, r.length, r.proven, r.lowerBound, r.positions, r.seconds);
    model.optimalFigures.tableStatus = r.tableStatus;
    std::snprintf(text, sizeof text, "%s：搜索了 %lld 个位置，用时 %.1f 秒；%s", model.optimalFigures.note.c_str(),
                  r.positions, r.seconds, r.tableStatus.c_str());
    ShowStatus(text);
    Redraw();
}

}  // namespace velmora
