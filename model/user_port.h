#pragma once
// The one way the model and the document reach the person at the screen: message
// boxes, the status line, redraws and the dialogs they open. The window implements it
// with real widgets; tests and the command-line tool with a scripted stand-in.
#include <string_view>

namespace velmora {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Stop };
enum class Answer { Ok, Cancel, Yes, No };

// Caption of every message box.
inline constexpr std::string_view kMessageCaption = "Velmora提示";

class UserPort {
public:
    virtual ~UserPort() = default;

    // A modal message box with the caption kMessageCaption; returns the button pressed.
    virtual Answer Message(std::string_view text, Buttons buttons, Icon icon) = 0;
    // The message pane of the status bar.
    virtual void SetStatus(std::string_view text) = 0;
    // Redraw every view.
    virtual void Redraw() = 0;
    // The description-code dialog: a text under a heading, modal until closed.
    virtual void ShowCodeDialog(std::string_view text, std::string_view heading) = 0;
};

// Answers every question with its first button and shows nothing. Used where no
// person is present and nobody asked for the messages.
class SilentUser : public UserPort {
public:
    Answer Message(std::string_view, Buttons buttons, Icon) override {
        return FirstButton(buttons);
    }
    void SetStatus(std::string_view) override {}
    void Redraw() override {}
    void ShowCodeDialog(std::string_view, std::string_view) override {}

    static Answer FirstButton(Buttons b) {
        return (b == Buttons::YesNo || b == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
    }
};

}  // namespace velmora
