#pragma once
// A UserPort that records every call in order and answers questions from a queue.
// A question that finds the queue empty is noted in `unanswered` (tests fail on it)
// and answered with its first button, unless `firstButtonWhenEmpty` makes that the
// normal way (the command-line tool). The file, colour and edit dialogs answer from
// their own queues; an empty queue means the user cancelled.
#include <deque>
#include <string>
#include <vector>

#include "model/user_port.h"

namespace velmora {

class ScriptedUser : public UserPort {
public:
    enum class Kind {
        Message, Status, Redraw, CodeDialog,
        Modified,       // value: the new flag
        DocumentPath,   // text: the path
        SwapButton,     // value: old id, value2: new id
        ColourDialog,   // value: colour shown, value2: 1 when fully opened; answer Ok/Cancel
        OpenDialog,     // text: filter; answer Ok/Cancel
        SaveDialog,     // text: filter, heading: suggested name; answer Ok/Cancel
        ShowBar,        // value: 0 toolbar, 1 status bar; value2: shown
        RestoreLayout, About, Quit,
        EditCube, PatternDialog, CommandStringDialog, InputTool  // answer Ok/Cancel
    };
    struct Call {
        Kind kind;
        std::string text;     // message text, status text or dialog text
        std::string heading;  // dialog heading
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer answer = Answer::Ok;
        int value = 0;
        int value2 = 0;
    };

    std::vector<Call> calls;
    std::deque<Answer> answers;
    int unanswered = 0;
    bool firstButtonWhenEmpty = false;
    // Answers of the dialogs, taken in order.
    std::deque<std::string> paths;       // open and save dialogs
    std::deque<int> colours;             // colour dialog
    std::deque<CubeState> editedCubes;   // modify-cube dialog
    std::deque<PatternChoice> patterns;  // patterns dialog
    std::deque<CommandStringChoice> commandStrings;
    std::deque<std::string> inputTexts;  // input tool (marks are handed back unchanged)
    bool toolbarShown = true;
    // The last text put on the clipboard.
    std::string clipboard;
    void SetClipboardText(std::string_view text) override { clipboard.assign(text); }
    std::string ClipboardText() override { return clipboard; }
    // The paste dialog: the texts it opened with, and its answers (the text on OK);
    // an empty queue means the user cancelled.
    std::vector<std::string> pasteOpenings;
    std::deque<std::string> pastedTexts;
    bool EditPastedText(std::string& text) override {
        pasteOpenings.push_back(text);
        if (pastedTexts.empty()) return false;
        text = pastedTexts.front();
        pastedTexts.pop_front();
        return true;
    }
    bool statusBarShown = true;

    Answer Message(std::string_view text, Buttons buttons, Icon icon) override;
    void SetStatus(std::string_view text) override;
    void Redraw() override;
    void ShowCodeDialog(std::string_view text, std::string_view heading) override;
    void SetModified(bool modified) override;
    void SetDocumentPath(std::string_view path) override;
    void SwapToolbarButton(int oldId, int newId) override;
    bool ChooseColour(int& colour, bool fullyOpen) override;
    bool ChooseOpenPath(std::string& path, std::string_view filter) override;
    bool ChooseSavePath(std::string& path, std::string_view filter,
                        std::string_view suggested) override;
    bool BarVisible(Bar bar) const override;
    void ShowBar(Bar bar, bool shown) override;
    void RestoreLayout() override;
    void ShowAbout() override;
    void Quit() override;
    bool EditCube(CubeState& copy) override;
    bool ChoosePattern(PatternChoice& choice) override;
    bool EditCommandString(std::string_view infoAppend, CommandStringChoice& out) override;
    bool EditInputText(std::string& text, int (&marks)[7]) override;

    // The calls of one kind, in order.
    std::vector<Call> CallsOf(Kind kind) const;

    // The message texts only, in order.
    std::vector<std::string> Messages() const;
    void Clear() { calls.clear(); }
};

}  // namespace velmora
