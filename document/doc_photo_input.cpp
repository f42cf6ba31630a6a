// The document's photo input: the dialog that reads the cube from six photos, and the
// colouring it hands back set as the position the way the end of cube input does.
#include <algorithm>
#include <string>

#include "document/velmora_doc.h"
#include "model/facelet_string.h"

namespace velmora {
namespace {

constexpr int kBottomCentreCell = 49;

}  // namespace

void CVelmoraDoc::PhotoInput() {
    user.ReadPhotos([this](std::string_view facelets) { return ApplyPhotoColouring(facelets); },
                    [this](std::string_view facelets) { return CheckPhotoColouring(facelets); });
    Redraw();
}

int CVelmoraDoc::ApplyPhotoColouring(std::string_view facelets) {
    if (model.inputMode < 0) return -1;
    int net[kFaceletCount];
    if (!ReadFaceletString(model, facelets, net)) {
        user.Message("照片读出的颜色不完整，无法输入魔方。", Buttons::Ok, Icon::Stop);
        return 0;
    }
    return ApplyColouring(net, "照片输入");
}

int CVelmoraDoc::ApplyColouring(const int (&net)[kFaceletCount], std::string_view name) {
    // The history step holds the position before the input, as starting cube input
    // records it; the painted net then ends like cube input.
    model.BeginInput(1);
    const bool wasModified = modified;
    HistoryOp(2, name);
    std::copy(net, net + kFaceletCount, model.facelets);
    model.inputMode = -1;
    const int mark = model.facelets[kBottomCentreCell];
    const int r = model.FinishInput();
    if (r == 1) {
        InputAccepted(mark);
        ShowStatus(model.statusText);
        Redraw();
        return 1;
    }
    // Refused: the position and the history are as before, and the abandoned step
    // cannot be redone.
    model.inputMode = 0;
    const int before = cmdCursor;
    HistoryOp(-1, {});
    if (cmdCursor < before) --cmdTop;
    SetModifiedFlag(wasModified);
    Redraw();
    return r;
}

std::string CVelmoraDoc::CheckPhotoColouring(std::string_view facelets) {
    int net[kFaceletCount];
    if (!ReadFaceletString(model, facelets, net)) return "照片读出的颜色不完整。";
    // The net, the counts, the pieces and the line are the painting's (or nobody's):
    // they are put back as they were.
    int painted[kFaceletCount], counts[10];
    std::copy(model.facelets, model.facelets + kFaceletCount, painted);
    std::copy(model.colourCounts, model.colourCounts + 10, counts);
    const CubeState cube = model.cube;
    const std::string status(model.statusText.c_str());
    std::copy(net, net + kFaceletCount, model.facelets);
    const int s = model.CheckInputNet();
    std::string fault;
    if (s != 0) {
        fault = model.statusText.c_str();
        const std::size_t question = fault.find("是否继续填充魔方颜色？");
        if (question != std::string::npos) fault.erase(question);
    }
    std::copy(painted, painted + kFaceletCount, model.facelets);
    std::copy(counts, counts + 10, model.colourCounts);
    model.cube = cube;
    model.statusText.Assign(status);
    return fault;
}

}  // namespace velmora
