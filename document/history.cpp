// The two undo histories of the document: the command history of full snapshots and
// the input history of painted nets, both rings of kHistoryCapacity entries. An index k
// names entry k mod kHistoryCapacity; the floor, top and cursor indices only grow,
// except by undo and reset.
#include <cstring>

#include "document/velmora_doc.h"

namespace velmora {

namespace {

// Bytes of the UTF-8 sequence that starts with lead.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;  // a stray byte counts as one character of its own
}

// The marker letter of a painting step in the colour of palette entry colour: the face
// letters for 1-6, a blank for the border colour 8 and "U" for the erase colour 9.
char ColourLetter(const CTarnexSource& m, int colour) {
    if (colour >= 1 && colour < static_cast<int>(m.keyLetters.size())) return m.keyLetters[colour];
    if (colour == 8) return ' ';
    if (colour == 9) return 'U';
    return ' ';
}

}  // namespace

std::size_t CutHistoryName(std::string_view name, char (&field)[kHistoryNameBytes]) {
    std::size_t kept = 0;
    int units = 0;
    while (kept < name.size()) {
        std::size_t n = SequenceLength(static_cast<unsigned char>(name[kept]));
        int width = n == 1 ? 1 : 2;
        if (units + width > kHistoryNameLength || kept + n > name.size() ||
            kept + n >= kHistoryNameBytes)
            break;
        units += width;
        kept += n;
    }
    std::memcpy(field, name.data(), kept);
    field[kept] = '\0';
    return kept;
}

void CVelmoraDoc::SaveSnapshot(int index) {
    HistoryRecord& e = commandRing[index % kHistoryCapacity];
    e.demoPos = model.demoPos;
    e.turnCounter = model.turnCounter;
    e.solution.Assign(model.SolutionRecord);
    e.current = model.cube;
    e.start = model.startState;
    e.methodUsed = model.methodUsed;
    e.methodChoice = model.methodChoice;
    e.commandText.Assign(model.commandText);
}

void CVelmoraDoc::RestoreSnapshot(int index) {
    const HistoryRecord& e = commandRing[index % kHistoryCapacity];
    model.demoPos = e.demoPos;
    model.turnCounter = e.turnCounter;
    model.SolutionRecord.Assign(e.solution);
    model.cube = e.current;
    model.startState = e.start;
    model.methodUsed = e.methodUsed;
    model.methodChoice = e.methodChoice;
    model.commandText.Assign(e.commandText);
}

void CVelmoraDoc::SaveInput(int index) {
    std::memcpy(inputRing[index % kHistoryCapacity].facelets, model.facelets, sizeof model.facelets);
}

void CVelmoraDoc::RestoreInput(int index) {
    std::memcpy(model.facelets, inputRing[index % kHistoryCapacity].facelets, sizeof model.facelets);
}

bool CVelmoraDoc::CanUndo() const {
    return cmdFloor < cmdCursor || (model.inputMode == -1 && inFloor <= inCursor);
}

bool CVelmoraDoc::CanRedo() const {
    return cmdCursor < cmdTop || (model.inputMode == -1 && inCursor < inTop);
}

void CVelmoraDoc::HistoryOp(int op, std::string_view name) {
    if (model.inputMode == -1)
        InputHistoryOp(op, name);
    else
        CommandHistoryOp(op, name);
}

void CVelmoraDoc::CommandHistoryOp(int op, std::string_view name) {
    const int keep = kHistoryCapacity - 1;
    FixedText<511> text;
    switch (op) {
        case 2: {
            cmdTop = cmdCursor;
            if (cmdCursor - keep > cmdFloor) cmdFloor = cmdCursor - keep;
            SaveSnapshot(cmdCursor);
            CutHistoryName(name, commandRing[cmdCursor % kHistoryCapacity].name);
            commandRing[cmdCursor % kHistoryCapacity].detachedPath.clear();
            ++cmdCursor;
            ShowStatus("就绪");
            // A recorded command is about to change the document.
            SetModifiedFlag(true);
            return;
        }
        case -1: {
            if (cmdFloor >= cmdCursor) {
                Redraw();
                return;
            }
            if (cmdTop < cmdCursor) {
                // The newest position exists only in the model: keep it for redo.
                cmdTop = cmdCursor;
                if (cmdCursor - keep > cmdFloor) cmdFloor = cmdCursor - keep;
                commandRing[cmdCursor % kHistoryCapacity].name[0] = '\0';
                commandRing[cmdCursor % kHistoryCapacity].detachedPath.clear();
            }
            // Saved again even when it was saved before: stepping since is kept.
            SaveSnapshot(cmdCursor);
            --cmdCursor;
            RestoreSnapshot(cmdCursor);
            const HistoryRecord& e = commandRing[cmdCursor % kHistoryCapacity];
            text.Format("已撤消执行%s，并演示完第%2d转！", e.name, e.turnCounter);
            ShowStatus(text);
            model.autoDemoCount = 0;
            if (!e.detachedPath.empty() && pathName.empty()) {
                // The deal that made the document untitled is undone: its file is back.
                pathName = e.detachedPath;
                user.SetDocumentPath(pathName);
                SetModifiedFlag(e.detachedModified);
            } else {
                SetModifiedFlag(true);
            }
            Redraw();
            return;
        }
        case 1: {
            if (cmdCursor >= cmdTop) return;
            SaveSnapshot(cmdCursor);
            ++cmdCursor;
            text.Format("已重复执行%s，并演示完第%2d转！",
                        commandRing[(cmdCursor - 1) % kHistoryCapacity].name,
                        commandRing[cmdCursor % kHistoryCapacity].turnCounter);
            ShowStatus(text);
            RestoreSnapshot(cmdCursor);
            const HistoryRecord& redone = commandRing[(cmdCursor - 1) % kHistoryCapacity];
            if (!redone.detachedPath.empty() && pathName == redone.detachedPath) {
                // The deal again: a new untitled document with nothing to save.
                MakeUntitled();
                SetModifiedFlag(false);
            } else {
                SetModifiedFlag(true);
            }
            Redraw();
            return;
        }
        case 0:
            cmdCursor = cmdFloor = cmdTop = 0;
            return;
        default:
            return;
    }
}

void CVelmoraDoc::InputHistoryOp(int op, std::string_view name) {
    const int keep = kHistoryCapacity - 1;
    FixedText<127> text;
    switch (op) {
        case 2: {
            ++inCursor;
            inTop = inCursor;
            if (inCursor - keep > inFloor) inFloor = inCursor - keep;
            SaveInput(inCursor);
            inputRing[inCursor % kHistoryCapacity].marker =
                (!name.empty() && name[0] == '#') ? '#' : ColourLetter(model, model.selectedColour);
            ShowStatus("就绪");
            return;
        }
        case -1: {
            if (inFloor == inCursor) {
                if (user.Message("是否放弃输入的魔方？", Buttons::YesNo, Icon::Question) != Answer::Yes)
                    return;
                SwapToolbarButton(cmd::kEndInput, cmd::kStartInput);
                model.inputMode = 0;
                const int before = cmdCursor;
                CommandHistoryOp(-1, {});
                // The abandoned input cannot be redone; only when the undo took place,
                // so that the indices stay ordered.
                if (cmdCursor < before) --cmdTop;
                SetModifiedFlag(modifiedBeforeInput);
            } else if (inFloor < inCursor) {
                char marker = inputRing[inCursor % kHistoryCapacity].marker;
                if (marker == '#')
                    text.Assign("已撤消工具输入！");
                else
                    text.Format("已撤消点%c面颜色！", marker);
                --inCursor;
                RestoreInput(inCursor);
                ShowStatus(text);
            }
            Redraw();
            return;
        }
        case 1: {
            if (inCursor >= inTop) return;
            ++inCursor;
            char marker = inputRing[inCursor % kHistoryCapacity].marker;
            if (marker == '#')
                text.Assign("已重复工具输入！");
            else
                text.Format("已重复点%c面颜色！", marker);
            RestoreInput(inCursor);
            ShowStatus(text);
            Redraw();
            return;
        }
        case 0:
            inCursor = inFloor = inTop = 0;
            SaveInput(0);
            inputRing[0].marker = '\0';
            return;
        default:
            return;
    }
}

}  // namespace velmora
