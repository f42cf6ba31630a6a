// The typed two-key commands: the ten key commands, the pending first key, the pair
// that runs as a move token after its question, and the seven same-key macros. On its
// own a turn key acts on the display: + enlarges, - shrinks, * restores the layout.
#include <array>
#include <span>

#include "document/settings.h"
#include "document/velmora_doc.h"

namespace velmora {
namespace {

// The keys of the ten commands: the letters of keyLetters 1-7 and the turn keys.
constexpr std::string_view kCommandKeys = "TFRPLBA+-*";

// A question asked before a pair, chosen by one of its keys.
struct KeyQuestion {
    char key;
    std::string_view text;
};

// First key A, by the second key (the turn keys share kUpperEdgeDownQuestion).
constexpr std::array<KeyQuestion, 6> kExtensionQuestions = {{
    {'B', "是否执行简单打乱命令？"},
    {'F', "是否执行不变色向的下边块移位命令？"},
    {'L', "是否执行色向第三种变化的下边块移位命令？"},
    {'P', "是否执行色向第二种变化的下边块移位命令？"},
    {'R', "是否执行色向第一种变化的下边块移位命令？"},
    {'T', "是否执行对称打乱命令？"},
}};
// First key A, second key a turn key; %c is that key.
constexpr const char* kUpperEdgeDownQuestion = "是否执行上边块“%c”到底面的命令？（第五阶段常用）";

// Second key A, by the first key.
constexpr std::array<KeyQuestion, 6> kLowerLayerQuestions = {{
    {'B', "是否执行第二种下角块色向变化的命令？（请先转动底面设定位置）"},
    {'F', "是否执行下角块43和44交换位置的命令？（请先转动底面到需要位置）"},
    {'L', "是否执行下边块到中边块的命令？（52到34前左）"},
    {'P', "是否执行下角块对角交换位置的命令？"},
    {'R', "是否执行下边块到中边块的命令？（54到31前右）"},
    {'T', "是否执行第一种下角块色向变化的命令？（请再转动底面恢复位置）"},
}};

// A same-key macro: its question, the move string it runs and the text it leaves.
// AA and BB have no move string: they load the letters pattern and reset the cube.
struct KeyMacro {
    char key;
    std::string_view question;
    std::string_view moves;
    std::string_view result;
};

constexpr std::array<KeyMacro, 7> kKeyMacros = {{
    {'T', "是否执行八角法第七阶段调换边块位置的命令，\r\n交换11，51，53，原上、下面放在左、右面？\r\nB*;L+;R-;F*;L-;R+;", "B*;L+;R-;F*;L-;R+;", "已经调换边块位置。"},
    {'F', "是否执行八角法第三阶段调换角块位置的命令，\r\n“0”：上面全错，下面只有一对在前面？\r\nR-;T+;F-;L*;F+;T-;R+;", "R-;T+;F-;L*;F+;T-;R+;", "已经调换角块位置“0”。"},
    {'P', "是否执行八角法第三阶段调换角块位置的命令，\r\n“1”：上面全对，下面只有一对在后面？\r\nR-;T+;F-;L*;F+;T-;R-;F*;R*;", "R-;T+;F-;L*;F+;T-;R-;F*;R*;", "已经调换角块位置“1”。"},
    {'L', "是否执行八角法第三阶段调换角块位置的命令，\r\n“2”：上下各只有一对都在左面？\r\nF*;T+;F*;B*;R*;T+;R*;", "F*;T+;F*;B*;R*;T+;R*;", "已经调换角块位置“2”。"},
    {'R', "是否执行八角法第七阶段调换边块色向的命令，\r\n改变11，13，原上、下面放在左、右面？\r\nV-;T+;V-;T+;V-;T*;V+;T+;V+;T+;V+;T*;\r\nV-是TF;L-;R+;的简写；V+是FT;L+;R-;的简写。", "V-;T+;V-;T+;V-;T*;V+;T+;V+;T+;V+;T*;", "已经调换边块色向。"},
    {'A', "是否显示姓名TALWEN字母图案？", {}, "已经显示姓名TALWEN字母图案，并求出解法。"},
    {'B', "是否设置成复原状态？", {}, "魔方复原了！"},
}};

// The text the letters pattern is loaded from: "RESET;" and the pattern's token.
constexpr std::string_view kLettersPatternText = "TALWEN;";

std::string_view QuestionFor(std::span<const KeyQuestion> table, char key) {
    for (const KeyQuestion& q : table)
        if (q.key == key) return q.text;
    return {};
}

bool IsTurnKey(char ch) { return ch == '+' || ch == '-' || ch == '*'; }

}  // namespace

void CVelmoraDoc::OnKey(char ch) {
    CTarnexSource& m = model;
    if (m.inputMode < 0) return;
    if (ch == '\0' || kCommandKeys.find(ch) == std::string_view::npos) return;

    if (m.inputMode == 0) {
        if (ch == '+') {
            m.viewZoom += 0.1f;
            ShowStatus("魔方放大了！");
            Redraw();
        } else if (ch == '-') {
            m.viewZoom *= 0.9f;
            ShowStatus("魔方缩小了！");
            Redraw();
        } else if (ch == '*') {
            user.RestoreLayout();
            m.viewZoom = static_cast<float>(kDefaultZoom);
            m.viewTilt = kDefaultTilt;
            m.viewTurn = kDefaultTurn;
            m.viewSpin = kDefaultSpin;
            ShowStatus("所有显示位置恢复！");
            Redraw();
        } else {
            for (int i = 1; i <= 7; ++i) {
                if (m.keyLetters[static_cast<std::size_t>(i)] != ch) continue;
                keyPair[0] = ch;
                keyPair[1] = '\0';
                m.inputMode = i;
                break;
            }
        }
        return;
    }

    // The first key is pending: this key completes the pair.
    m.inputMode = 0;
    if (m.autoDemoCount > 0) m.autoDemoCount = 5;
    keyPair[1] = ch;
    keyPair[2] = '\0';
    if (ch == keyPair[0]) {
        RunKeyMacro(ch);
        return;
    }

    // The record of the pair starts empty, also when a question below is declined.
    m.moveRecord.Clear();
    m.moveRecordFull = false;
    FixedText<255> question;
    if (keyPair[0] == 'A') {
        if (IsTurnKey(ch))
            question.Format(kUpperEdgeDownQuestion, ch);
        else
            question.Assign(QuestionFor(kExtensionQuestions, ch));
    } else if (ch == 'A') {
        question.Assign(QuestionFor(kLowerLayerQuestions, keyPair[0]));
    }
    if (!question.empty() && user.Message(question, Buttons::YesNo, Icon::Question) != Answer::Yes) return;
    RunTypedCommand(std::string_view(keyPair, 2));
}

void CVelmoraDoc::RunTypedCommand(std::string_view token) {
    CTarnexSource& m = model;
    m.moveRecord.Clear();
    m.moveRecordFull = false;
    HistoryOp(2, token);
    if (m.ApplyToken(token) < 0) {
        Redraw();
        return;
    }
    FixedText<kRecordCapacity + 64> text;
    text.Format("执行了命令:(%s)，并求出解法。", m.moveRecord.c_str());
    Redraw();
    m.ExecuteAndSolve();
    ShowStatus(text.view());
    m.AnimationHint(token);
    NotePracticeTurn();
    Redraw();
}

void CVelmoraDoc::RunKeyMacro(char key) {
    CTarnexSource& m = model;
    const KeyMacro* macro = nullptr;
    for (const KeyMacro& k : kKeyMacros)
        if (k.key == key) macro = &k;
    if (!macro) return;
    if (user.Message(macro->question, Buttons::YesNo, Icon::Question) != Answer::Yes) return;
    HistoryOp(2, std::string_view(keyPair, 2));
    if (key == 'A') {
        m.LoadPositionText(kLettersPatternText);
    } else if (key == 'B') {
        // The solved cube is what a new file would hold: an untitled document has
        // nothing to save; a file's cube has changed like any other.
        if (pathName.empty()) SetModifiedFlag(false);
        m.ResetCube();
        Redraw();
        m.ExecuteAndSolve();
    } else {
        m.RunMoveString(0, macro->moves);
        Redraw();
        m.ExecuteAndSolve();
    }
    ShowStatus(macro->result);
    Redraw();
}

}  // namespace velmora
