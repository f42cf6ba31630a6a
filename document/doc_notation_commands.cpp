// The commands around notation and colours: the solution copied in the international
// notation, the common colour scheme, and the solved cube from the menu.
#include <array>

#include "document/velmora_doc.h"
#include "model/move_notation.h"

namespace velmora {
namespace {

// The scheme most real cubes carry, by face T F R P L B (red in the lowest byte):
// white, green, red, blue, orange, yellow.
constexpr std::array<int, 6> kStandardFaceColours = {
    0xFFFFFF, 0x489B00, 0x2E10C8, 0xAD4600, 0x0058FF, 0x00D5FF,
};

}  // namespace

void CVelmoraDoc::CopySolution() {
    const std::string line = SolutionInInternational(model.SolutionRecord.view());
    if (line.empty()) {
        ShowStatus("没有可以复制的解法。");
        return;
    }
    user.SetClipboardText(line);
    ShowStatus("解法已经用国际记号复制到剪贴板。");
}

void CVelmoraDoc::StandardColours() {
    for (std::size_t k = 0; k < kStandardFaceColours.size(); ++k)
        settings.colourSettings[k + 1] = kStandardFaceColours[k];
    ShowStatus("标准配色设置成功！");
    Redraw();
}

void CVelmoraDoc::ResetToSolved() {
    // The same as typing B twice: its question, a history step, the solved cube.
    if (model.inputMode > 0) model.inputMode = 0;
    if (model.autoDemoCount > 0) model.autoDemoCount = 5;
    keyPair[0] = keyPair[1] = 'B';
    keyPair[2] = '\0';
    RunKeyMacro('B');
}

}  // namespace velmora
