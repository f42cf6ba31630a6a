// The document's cube input: the input toggle, painting the net with the mouse, the
// colour choice on the net and the input tool.
#include <string>

#include "document/cube_input.h"
#include "document/input_tool.h"
#include "document/pane_text.h"
#include "document/velmora_doc.h"

namespace velmora {
namespace {

constexpr int kPaletteFirst = kNetCellCount;  // record of swatch 1
constexpr int kBottomCentreCell = 49;

bool Inside(const FaceletRecord& r, int x, int y) { return x > r.left && x < r.right && y > r.top && y < r.bottom; }

int Quarter(int turns) { return ((turns % 4) + 4) % 4; }

}  // namespace

int PaletteSwatchAt(const CTarnexSource& m, int x, int y) {
    const FaceletRecord& first = m.FaceletTable[kPaletteFirst];
    if (!(x > first.left && x < first.right)) return 0;
    for (int i = 1; i <= kPaletteCellCount; ++i) {
        const FaceletRecord& r = m.FaceletTable[kPaletteFirst + i - 1];
        if (y > r.top && y < r.bottom) return i;
    }
    return 0;
}

int FaceletCellAt(const CTarnexSource& m, int x, int y) {
    for (int i = 0; i < kFaceletCount; ++i)
        if (Inside(m.FaceletTable[i], x, y)) return i;
    return -1;
}

void CVelmoraDoc::ToggleInput() {
    if (model.inputMode == -1)
        EndInput();
    else
        StartInput();
}

void CVelmoraDoc::StartInput() {
    const Answer a =
        user.Message("开始输入魔方。是否预设成当前魔方的图案？", Buttons::YesNoCancel, Icon::Question);
    if (a != Answer::Yes && a != Answer::No) return;
    int mode = 1;
    if (a == Answer::Yes) {
        if (model.cube.centres[1] != 1 || model.cube.centres[2] != 2)
            user.Message("由于中心小块没有摆正，魔方各小块颜色被自动转换。", Buttons::Ok, Icon::None);
        mode = 2;
    }
    model.BeginInput(mode);
    model.inputMode = 0;
    modifiedBeforeInput = modified;
    HistoryOp(2, "输入魔方");
    model.inputMode = -1;
    SwapToolbarButton(cmd::kStartInput, cmd::kEndInput);
    HistoryOp(0, {});
    SetModifiedFlag(false);
    Redraw();
}

void CVelmoraDoc::EndInput() {
    const int mark = model.facelets[kBottomCentreCell];
    const int r = model.FinishInput();
    if (r == -1) {
        // The painting would be gone for good (leaving input cannot be redone): only
        // when the user confirms; otherwise input goes on with the net as it is.
        if (user.Message("是否放弃输入的魔方？", Buttons::YesNo, Icon::Question) != Answer::Yes) {
            ShowStatus("继续输入魔方。");
            Redraw();
            return;
        }
        model.inputMode = 0;
        SwapToolbarButton(cmd::kEndInput, cmd::kStartInput);
        const int before = cmdCursor;
        HistoryOp(-1, {});
        // The abandoned input cannot be redone (only when the undo took place, so that
        // the indices stay ordered).
        if (cmdCursor < before) --cmdTop;
        SetModifiedFlag(modifiedBeforeInput);
        Redraw();
    } else if (r == 1) {
        InputAccepted(mark);
        SwapToolbarButton(cmd::kEndInput, cmd::kStartInput);
        ShowStatus(model.statusText);
        SetModifiedFlag(true);
        Redraw();
    }
}

void CVelmoraDoc::InputAccepted(int bottomMark) {
    model.commandText.Clear();
    if (Quarter(bottomMark) != Quarter(model.cube.centreTurns[6]))
        user.Message("中心小块色向错误，被自动修正！", Buttons::Ok, Icon::None);
    model.inputMode = 0;
}

void CVelmoraDoc::InputNetClick(int x, int y) {
    if (model.inputMode != -1) return;
    if (const int swatch = PaletteSwatchAt(model, x, y)) {
        model.selectedColour = SwatchColour(swatch);
        Redraw();
        return;
    }
    const int cell = FaceletCellAt(model, x, y);
    if (cell < 0) return;
    if (cell % 9 == 4) {
        model.facelets[cell] = Quarter(model.facelets[cell] + 1);
        model.selectedColour = cell / 9 + 1;
        HistoryOp(2, {});
        Redraw();
        return;
    }
    if (model.facelets[cell] != model.selectedColour) {
        model.facelets[cell] = model.selectedColour;
        HistoryOp(2, {});
    }
    // The sticker named as the user sees it: face, row, column and its colour now.
    ShowStatus(NetCellName(model, cell, settings.colourSettings));
    Redraw();
}

void CVelmoraDoc::AskColourSetting(int index, std::string_view prompt, std::string_view done) {
    ShowStatus(prompt);
    int colour = settings.colourSettings[index];
    if (user.ChooseColour(colour, true)) {
        settings.colourSettings[index] = colour;
        ShowStatus(done);
    } else {
        ShowStatus("就绪");
    }
    Redraw();
}

void CVelmoraDoc::ChooseNetColour(int x, int y) {
    FixedText<255> prompt, done;
    if (model.inputMode == -1) {
        if (const int swatch = PaletteSwatchAt(model, x, y)) {
            const int colour = SwatchColour(swatch);
            model.selectedColour = colour;
            Redraw();
            if (colour == 8) {
                prompt.Assign("请选择边框的颜色");
                done.Assign("边框的颜色设置成功！");
            } else if (colour == 9) {
                prompt.Assign("请选择删除的颜色");
                done.Assign("删除的颜色设置成功！");
            } else {
                prompt.Format("请选择%c面的颜色", model.keyLetters[static_cast<std::size_t>(colour)]);
                done.Format("%c面颜色设置成功！", model.keyLetters[static_cast<std::size_t>(colour)]);
            }
            AskColourSetting(colour, prompt, done);
            return;
        }
    }
    for (int k = 1; k <= 6; ++k) {
        if (!Inside(model.FaceletTable[4 + 9 * (k - 1)], x, y)) continue;
        const char letter = model.keyLetters[static_cast<std::size_t>(k)];
        if (model.cube.centres[k] == k || model.inputMode == -1) {
            prompt.Format("请选择%c面的颜色", letter);
        } else {
            int j = 1;
            while (j < 6 && model.cube.centres[j] != k) ++j;
            prompt.Format("请选择%c面在复原情况下的颜色，它的中心小块在%c面，请注意%c面外圈的边框 ", letter,
                          model.keyLetters[static_cast<std::size_t>(j)], letter);
        }
        done.Format("%c面颜色设置成功！", letter);
        AskColourSetting(k, prompt, done);
        return;
    }
}

void CVelmoraDoc::InputTool() {
    if (model.inputMode != -1) return;
    int marks[7] = {};
    std::string text = ToolTextFromFacelets(model, marks);
    if (!user.EditInputText(text, marks)) {
        Redraw();
        return;
    }
    FaceletsFromToolText(model, text, marks);
    HistoryOp(2, "#");
    Redraw();
}

}  // namespace velmora
