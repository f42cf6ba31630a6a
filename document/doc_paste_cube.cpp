// The document's paste command: a text that describes a cube (a scramble, a facelet
// string, a position code) set as a new untitled document and solved.
#include "document/pasted_cube.h"
#include "document/velmora_doc.h"
#include "model/facelet_string.h"

namespace velmora {

void CVelmoraDoc::PasteCube(std::string_view given, bool textGiven) {
    if (model.inputMode < 0) return;
    std::string text = textGiven ? std::string(given) : PasteDialogOpening(model, user.ClipboardText());
    if (!user.EditPastedText(text)) return;
    const PastedCube pasted = RecognisePastedText(model, text);
    if (!pasted.ok) {
        user.Message(pasted.line, Buttons::Ok, Icon::Stop);
        return;
    }
    // A facelet string may still be refused by the checks of cube input: the save
    // question comes first, the document is made untitled only once the cube is taken.
    if (pasted.kind == PastedKind::Facelets ? !SaveModified() : !StartUntitled()) return;
    model.autoDemoCount = 0;
    FixedText<255> status;
    switch (pasted.kind) {
        case PastedKind::Moves:
            HistoryOp(2, kPasteHistoryName);
            model.ResetCube();
            model.RunMoveString(0, pasted.moves);
            model.commandText.Clear();
            Redraw();
            model.ExecuteAndSolve();
            status.Format("已经粘贴魔方：打乱公式%d步，%d转，并求出解法。", pasted.moveCount, pasted.turns);
            break;
        case PastedKind::Code:
            HistoryOp(2, kPasteHistoryName);
            model.LoadPositionText(pasted.code);
            status.Assign("已经粘贴魔方：位置代码，并求出解法。");
            break;
        case PastedKind::Facelets: {
            int net[kFaceletCount];
            ReadFaceletString(model, pasted.facelets, net);
            // The checks and questions of cube input; refused, nothing has changed.
            if (ApplyColouring(net, kPasteHistoryName) != 1) return;
            MakeUntitled();
            status.Assign("已经粘贴魔方：魔方字符串，并求出解法。");
            break;
        }
        case PastedKind::None: return;
    }
    ShowStatus(status);
    SetModifiedFlag(true);
    Redraw();
}

}  // namespace velmora
