#include "document/key_pane.h"

#include "model/tarnex_source.h"

namespace velmora {

KeyPaneState KeyPaneFor(const CTarnexSource& m, int viewKind) {
    KeyPaneState s;
    if (m.inputMode >= 1 && m.inputMode <= 7) {
        const char key = m.keyLetters[m.inputMode];
        if (m.inputMode == 6)
            s.text.Format("  请继续输入指令\"%c...\"，\"%c%c\"是复原魔方", key, key, key);
        else
            s.text.Format(" 请继续输入指令“ %c...”", key);
        s.poppedOut = true;
        s.enabled = true;
        return s;
    }
    const bool input = m.inputMode == -1;
    const bool demo = m.autoDemoCount >= 1;
    s.enabled = true;
    switch (viewKind) {
        case kNetViewKind:
            s.text.Assign(input ? " 鼠标单击小方块，用选中的颜色画魔方"
                                : demo ? " 正在自动演示！" : " 鼠标单击小方块能显示相应的提示");
            break;
        case kCubeViewKind:
            s.text.Assign(input ? " 鼠标单击小方块，用选中的颜色画魔方"
                                : demo ? " 正在自动演示！ 可以用鼠标拖拽魔方" : " 可以用鼠标拖拽魔方");
            break;
        case kSolutionViewKind:
            s.text.Assign(input ? " 请在上部窗格画魔方"
                                : demo ? " <=>指出当前执行的位置，#间隔复原的阶段"
                                       : " 双击选择文字颜色，右击选择屏幕背景颜色");
            s.poppedOut = input;
            break;
        default:
            s.enabled = false;
            break;
    }
    return s;
}

}  // namespace velmora
