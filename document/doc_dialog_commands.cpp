// The document's dialog commands: modify the cube, run a pattern, run a typed command
// string. Each follows the common pattern: note the position in the history, change
// the model, solve, report, redraw.
#include <string>

#include "document/velmora_doc.h"

namespace velmora {

namespace {

// Longest command text run at once, in characters.
constexpr int kCommandTextLimit = 600;
constexpr std::string_view kCutNote = "命令串超过600个字符，只执行了前面的转动！";

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// A prefix or suffix ends in "," or ";" so that it stays apart from the main command.
void EndWithSeparator(std::string& part) {
    if (part.empty() || (part.back() != ',' && part.back() != ';')) part += ',';
}

// The first limit characters of a UTF-8 text.
std::string_view FirstCharacters(std::string_view text, int limit) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (n == limit) return text.substr(0, i);
        ++n;
    }
    return text;
}

// True when the text holds no move at all: only separators, blanks and control
// characters (the separators added around an empty command).
bool HoldsNoMove(std::string_view text) {
    for (char c : text)
        if (!IsSeparatorChar(c) && static_cast<unsigned char>(c) > 32) return false;
    return true;
}

}  // namespace

void CVelmoraDoc::ModifyCube() {
    CubeState copy = model.cube;
    for (int k = 1; k <= 6; ++k) copy.centreTurns[k] = ((copy.centreTurns[k] % 4) + 4) % 4;
    if (!user.EditCube(copy)) return;

    model.autoDemoCount = 0;
    HistoryOp(2, "改装魔方");
    model.cube = copy;
    ShowStatus("魔方改装完毕。");
    model.commandText.Clear();
    const int bottomTurn = model.cube.centreTurns[6];
    Redraw();
    model.ExecuteAndSolve();
    if (model.cube.centreTurns[6] != bottomTurn)
        user.Message("中心小块色向错误，被自动修正！", Buttons::Ok, Icon::Information);
    Redraw();
}

void CVelmoraDoc::RunPattern() {
    PatternChoice choice;
    if (!user.ChoosePattern(choice)) return;

    model.autoDemoCount = 0;
    HistoryOp(2, choice.name);
    std::string text = choice.resetFirst ? "RESET;" : "";
    text += choice.moves;
    model.RunMoveString(0, text);
    model.commandText.Clear();
    Redraw();
    model.ExecuteAndSolve();
    FixedText<511> status;
    status.Format("已经执行%s，并求出解法。", choice.name.c_str());
    ShowStatus(status);
    Redraw();
}

void CVelmoraDoc::RunCommandString() {
    std::string infoAppend = "\r\n";
    infoAppend += model.commandText.view();
    CommandStringChoice choice;
    if (!user.EditCommandString(infoAppend, choice)) return;

    model.autoDemoCount = 0;
    std::string prefix = UpperCase(choice.prefix);
    std::string suffix = UpperCase(choice.suffix);
    const std::string& command = choice.singleStep ? choice.mainCommand : choice.secondCommand;
    EndWithSeparator(prefix);
    EndWithSeparator(suffix);
    const std::string whole = UpperCase(prefix + command + suffix);
    std::string_view text = FirstCharacters(whole, kCommandTextLimit);
    // A cut never splits a token: it falls back to the last separator, and it is said.
    const bool cut = text.size() < whole.size();
    if (cut && !IsSeparatorChar(whole[text.size()]))
        while (!text.empty() && !IsSeparatorChar(text.back())) text.remove_suffix(1);
    if (HoldsNoMove(text)) return;

    commandCounter = (commandCounter + 1) % 1000;
    FixedText<15> name;
    name.Format("命令串%d", commandCounter);
    HistoryOp(2, name);

    FixedText<511> status;
    if (choice.singleStep) {
        model.ResetCube();
        const int turns = model.RunMoveString(0, text);
        model.ResetCube();
        model.moveRecord.Assign(text);
        // The demonstration record carries the turns of the sequence it steps through.
        model.turnCounter = turns;
        model.MakeDemoFromRecord();
        status.Format("可以开始单步执行%s。", name.c_str());
        if (cut) status.Append(kCutNote);
        ShowStatus(status);
    } else {
        const int turns = model.RunMoveString(0, text);
        model.commandText.Clear();
        Redraw();
        model.ExecuteAndSolve();
        status.Format("已经执行%s，用了%d转，并求出解法。", name.c_str(), turns);
        if (cut) status.Append(kCutNote);
        ShowStatus(status);
    }
    Redraw();
}

}  // namespace velmora
