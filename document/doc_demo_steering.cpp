// Steering the demonstration: a jump to a token of the solution and the pace of the
// automatic demonstration.
#include "document/pane_text.h"
#include "document/velmora_doc.h"

namespace velmora {

void CVelmoraDoc::StepSolutionTo(int target) {
    if (model.inputMode < 0) return;
    const std::string_view record = model.SolutionRecord.view();
    const int length = static_cast<int>(record.size());
    if (target < kRecordMovesStart || target >= length || IsSeparatorChar(record[target])) return;
    if (target > kRecordMovesStart && !IsSeparatorChar(record[target - 1])) return;
    if (target == model.demoPos) return;

    // Every step moves demoPos by at least one character, so the record's length
    // bounds the number of steps.
    model.animAngle = 0;
    int steps = 0;
    for (int guard = length; guard > 0 && model.demoPos != target; --guard) {
        const int before = model.demoPos;
        model.StepSolution(model.demoPos < target ? +1 : -1);
        if (model.demoPos == before) break;
        ++steps;
        if (model.demoPos != target) model.animAngle = 0;
    }
    // One step says what it did as a step does; a jump says where it landed.
    if (steps > 1) {
        const int done = CountSteps(record, model.demoPos).done;
        if (done == 0)
            model.statusText.Assign("现在是开始图案！");
        else if (model.turnCounter > 0)
            model.statusText.Format("跳到第 %d 步，已经完成了%d转。", done, model.turnCounter);
        else
            model.statusText.Format("跳到第 %d 步。", done);
    }
    ShowStatus(model.statusText);
    Redraw();
}

void CVelmoraDoc::SetDemoInterval(int milliseconds) {
    settings.demoInterval = IsDemoInterval(milliseconds) ? milliseconds : kDefaultDemoInterval;
}

}  // namespace velmora
