#pragma once
// A UserPort that records every call in order and answers questions from a queue.
// A question that finds the queue empty is noted in `unanswered` (tests fail on it)
// and answered with its first button, unless `firstButtonWhenEmpty` makes that the
// normal way (the command-line tool).
#include <deque>
#include <string>
#include <vector>

#include "model/user_port.h"

namespace velmora {

class ScriptedUser : public UserPort {
public:
    enum class Kind { Message, Status, Redraw, CodeDialog };
    struct Call {
        Kind kind;
        std::string text;     // message text, status text or dialog text
        std::string heading;  // dialog heading
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer answer = Answer::Ok;
    };

    std::vector<Call> calls;
    std::deque<Answer> answers;
    int unanswered = 0;
    bool firstButtonWhenEmpty = false;

    Answer Message(std::string_view text, Buttons buttons, Icon icon) override;
    void SetStatus(std::string_view text) override;
    void Redraw() override;
    void ShowCodeDialog(std::string_view text, std::string_view heading) override;

    // The message texts only, in order.
    std::vector<std::string> Messages() const;
    void Clear() { calls.clear(); }
};

}  // namespace velmora
