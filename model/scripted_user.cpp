#include "model/scripted_user.h"

namespace velmora {

namespace {

// A dialog answered from its queue: OK with the queue's next value, or Cancel when the
// queue is empty. The call is recorded either way.
template <typename Value, typename Target>
bool Answered(std::vector<ScriptedUser::Call>& calls, ScriptedUser::Call c, std::deque<Value>& queue,
              Target& target) {
    if (!queue.empty()) {
        target = queue.front();
        queue.pop_front();
        c.answer = Answer::Ok;
    }
    calls.push_back(c);
    return c.answer == Answer::Ok;
}

}  // namespace

Answer ScriptedUser::Message(std::string_view text, Buttons buttons, Icon icon) {
    Answer a;
    if (buttons == Buttons::Ok) {
        a = Answer::Ok;
    } else if (!answers.empty()) {
        a = answers.front();
        answers.pop_front();
    } else {
        if (!firstButtonWhenEmpty) ++unanswered;
        a = SilentUser::FirstButton(buttons);
    }
    calls.push_back({Kind::Message, std::string(text), {}, buttons, icon, a});
    return a;
}

void ScriptedUser::SetStatus(std::string_view text) {
    calls.push_back({Kind::Status, std::string(text), {}, Buttons::Ok, Icon::None, Answer::Ok});
}

void ScriptedUser::Redraw() {
    calls.push_back({Kind::Redraw, {}, {}, Buttons::Ok, Icon::None, Answer::Ok});
}

void ScriptedUser::ShowCodeDialog(std::string_view text, std::string_view heading) {
    calls.push_back({Kind::CodeDialog, std::string(text), std::string(heading), Buttons::Ok,
                     Icon::None, Answer::Ok});
}

void ScriptedUser::SetModified(bool modified) {
    calls.push_back({Kind::Modified, {}, {}, Buttons::Ok, Icon::None, Answer::Ok, modified ? 1 : 0});
}

void ScriptedUser::SetDocumentPath(std::string_view path) {
    calls.push_back({Kind::DocumentPath, std::string(path), {}, Buttons::Ok, Icon::None, Answer::Ok});
}

void ScriptedUser::SwapToolbarButton(int oldId, int newId) {
    calls.push_back({Kind::SwapButton, {}, {}, Buttons::Ok, Icon::None, Answer::Ok, oldId, newId});
}

bool ScriptedUser::ChooseColour(int& colour, bool fullyOpen) {
    Call c{Kind::ColourDialog, {}, {}, Buttons::Ok, Icon::None, Answer::Cancel, colour, fullyOpen ? 1 : 0};
    return Answered(calls, c, colours, colour);
}

bool ScriptedUser::ChooseOpenPath(std::string& path, std::string_view filter) {
    Call c{Kind::OpenDialog, std::string(filter), {}, Buttons::Ok, Icon::None, Answer::Cancel};
    return Answered(calls, c, paths, path);
}

bool ScriptedUser::ChooseSavePath(std::string& path, std::string_view filter,
                                  std::string_view suggested) {
    Call c{Kind::SaveDialog, std::string(filter), std::string(suggested), Buttons::Ok, Icon::None,
           Answer::Cancel};
    return Answered(calls, c, paths, path);
}

bool ScriptedUser::BarVisible(Bar bar) const {
    return bar == Bar::Toolbar ? toolbarShown : statusBarShown;
}

void ScriptedUser::ShowBar(Bar bar, bool shown) {
    (bar == Bar::Toolbar ? toolbarShown : statusBarShown) = shown;
    calls.push_back({Kind::ShowBar, {}, {}, Buttons::Ok, Icon::None, Answer::Ok,
                     bar == Bar::Toolbar ? 0 : 1, shown ? 1 : 0});
}

void ScriptedUser::RestoreLayout() { calls.push_back({Kind::RestoreLayout, {}, {}}); }
void ScriptedUser::ShowAbout() { calls.push_back({Kind::About, {}, {}}); }
void ScriptedUser::Quit() { calls.push_back({Kind::Quit, {}, {}}); }

bool ScriptedUser::EditCube(CubeState& copy) {
    Call c{Kind::EditCube, {}, {}, Buttons::Ok, Icon::None, Answer::Cancel};
    return Answered(calls, c, editedCubes, copy);
}

bool ScriptedUser::ChoosePattern(PatternChoice& choice) {
    Call c{Kind::PatternDialog, {}, {}, Buttons::Ok, Icon::None, Answer::Cancel};
    return Answered(calls, c, patterns, choice);
}

bool ScriptedUser::EditCommandString(std::string_view infoAppend, CommandStringChoice& out) {
    Call c{Kind::CommandStringDialog, std::string(infoAppend), {}, Buttons::Ok, Icon::None,
           Answer::Cancel};
    return Answered(calls, c, commandStrings, out);
}

bool ScriptedUser::EditInputText(std::string& text, int (&)[7]) {
    Call c{Kind::InputTool, text, {}, Buttons::Ok, Icon::None, Answer::Cancel};
    return Answered(calls, c, inputTexts, text);
}

std::vector<ScriptedUser::Call> ScriptedUser::CallsOf(Kind kind) const {
    std::vector<Call> out;
    for (const Call& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

std::vector<std::string> ScriptedUser::Messages() const {
    std::vector<std::string> out;
    for (const Call& c : calls)
        if (c.kind == Kind::Message) out.push_back(c.text);
    return out;
}

}  // namespace velmora
