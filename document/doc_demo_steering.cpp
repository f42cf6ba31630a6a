// Steering the demonstration: a jump to a token of the solution and the pace of the
// automatic demonstration.
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
    for (int guard = length; guard > 0 && model.demoPos != target; --guard) {
        const int before = model.demoPos;
        model.StepSolution(model.demoPos < target ? +1 : -1);
        if (model.demoPos == before) break;
        if (model.demoPos != target) model.animAngle = 0;
    }
    ShowStatus(model.statusText);
    Redraw();
}

void CVelmoraDoc::SetDemoInterval(int milliseconds) {
    settings.demoInterval = IsDemoInterval(milliseconds) ? milliseconds : kDefaultDemoInterval;
}

}  // namespace velmora
