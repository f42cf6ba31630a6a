#pragma once
// The one way the model and the document reach the person at the screen: message
// boxes, the status line, redraws and the dialogs they open. The window implements it
// with real widgets; tests and the command-line tool with a scripted stand-in.
#include <functional>
#include <string>
#include <string_view>

#include "model/cube_state.h"

namespace velmora {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Stop };
enum class Answer { Ok, Cancel, Yes, No };
// The two bars of the main window that the user can show and hide.
enum class Bar { Toolbar, StatusBar };

// What the patterns dialog hands back on OK.
struct PatternChoice {
    std::string name;
    std::string moves;
    bool resetFirst = false;
};

// What the command-string dialog hands back on OK (its fields keep their values
// between openings inside the dialog itself).
struct CommandStringChoice {
    std::string prefix;
    std::string suffix;
    std::string mainCommand;
    std::string secondCommand;
    bool singleStep = false;
};

// The solution sheet (document/solution_sheet.h), handed to the window to print or to
// turn into a PDF.
struct SolutionSheet;

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

    // ---- services of the document; the defaults do nothing or answer "cancelled" ----
    // The document's modified flag changed (the window shows it in its title).
    virtual void SetModified(bool) {}
    // The document's file name changed (empty: untitled).
    virtual void SetDocumentPath(std::string_view) {}
    // Gives the toolbar button carrying oldId the id newId, keeping its style and image;
    // nothing when no button carries oldId.
    virtual void SwapToolbarButton(int /*oldId*/, int /*newId*/) {}
    // The colour dialog on colour (red in the lowest byte); true and the new colour on OK.
    virtual bool ChooseColour(int& /*colour*/, bool /*fullyOpen*/) { return false; }
    // The file dialogs, with a filter such as "魔方文件 (*.mf)"; true and the path on OK.
    virtual bool ChooseOpenPath(std::string& /*path*/, std::string_view /*filter*/) { return false; }
    virtual bool ChooseSavePath(std::string& /*path*/, std::string_view /*filter*/,
                                std::string_view /*suggested*/) {
        return false;
    }
    // Visibility of the toolbar and the status bar.
    virtual bool BarVisible(Bar) const { return true; }
    virtual void ShowBar(Bar, bool) {}
    // Main window and splitters back to their default sizes.
    virtual void RestoreLayout() {}
    // The About box, modal until closed.
    virtual void ShowAbout() {}
    // Ends the program (after the document agreed to close).
    virtual void Quit() {}
    // The modify-cube dialog on a copy of the position; true on OK with the edited copy.
    virtual bool EditCube(CubeState& /*copy*/) { return false; }
    // The patterns dialog; true on OK with the chosen pattern.
    virtual bool ChoosePattern(PatternChoice& /*choice*/) { return false; }
    // The command-string dialog; infoAppend is added to its information field before it
    // opens. True on OK with the dialog's fields.
    virtual bool EditCommandString(std::string_view /*infoAppend*/, CommandStringChoice& /*out*/) {
        return false;
    }
    // Puts text (UTF-8) on the clipboard.
    virtual void SetClipboardText(std::string_view /*text*/) {}
    // The clipboard's text (UTF-8); empty when it holds none.
    virtual std::string ClipboardText() { return {}; }
    // The paste dialog (文件 › 粘贴魔方) on text; true on OK with the text as edited.
    virtual bool EditPastedText(std::string& /*text*/) { return false; }
    // The input tool on a 54-letter text and the six centre marks (index 1-6); true on OK.
    virtual bool EditInputText(std::string& /*text*/, int (& /*marks*/)[7]) { return false; }
    // The print dialog with a preview of the solution sheet; true when it was printed.
    virtual bool PrintSheet(const SolutionSheet& /*sheet*/) { return false; }
    // The solution sheet as the bytes of a PDF file; false when it could not be made.
    virtual bool SheetPdf(const SolutionSheet& /*sheet*/, std::string& /*bytes*/) { return false; }
    // The photo input dialog. Its OK hands the colouring (a 54-letter facelet string) to
    // apply, which answers 1 when the position was set (the dialog closes), 0 when the
    // user goes on correcting (it stays open) or -1 when the colouring was given up (it
    // closes). Closed otherwise, nothing is applied. check runs the same checks without
    // asking: empty when the colouring passes, otherwise what is wrong, in one line.
    virtual void ReadPhotos(const std::function<int(std::string_view)>& /*apply*/,
                            const std::function<std::string(std::string_view)>& /*check*/) {}
    // Shows (share 0-1) or, with share < 0, closes the progress of a long preparation
    // such as building the fewest-turns tables; false once the user has cancelled it.
    virtual bool TableProgress(std::string_view /*text*/, double /*share*/) { return true; }
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
