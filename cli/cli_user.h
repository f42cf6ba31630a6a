#pragma once
// The command-line tool's user: every message goes to standard error as
// "message: <text>" and a line end, a line break inside the text (CR LF, CR or LF)
// as one line end, and questions are answered from a queue, then with a fixed answer.
#include <cstdio>
#include <deque>
#include <string_view>

#include "model/user_port.h"

namespace velmora::cli {

class CliUser : public UserPort {
public:
    // Answer used once the queue is empty: true takes the first button, false says
    // No (or Cancel to an OK/Cancel question).
    bool firstButton = true;
    std::deque<Answer> answers;

    Answer Message(std::string_view text, Buttons buttons, Icon) override {
        std::fputs("message: ", stderr);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            std::fputc(text[i] == '\r' ? '\n' : text[i], stderr);
        }
        std::fputc('\n', stderr);
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        if (firstButton) return SilentUser::FirstButton(buttons);
        return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    void SetStatus(std::string_view) override {}
    void Redraw() override {}
    void ShowCodeDialog(std::string_view, std::string_view) override {}
};

}  // namespace velmora::cli
