#include "model/scripted_user.h"

namespace velmora {

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

std::vector<std::string> ScriptedUser::Messages() const {
    std::vector<std::string> out;
    for (const Call& c : calls)
        if (c.kind == Kind::Message) out.push_back(c.text);
    return out;
}

}  // namespace velmora
