#pragma once
// The user seam with real widgets: message boxes captioned "Velmora提示", the status
// bar, redraws, the colour and file dialogs, the bars of the main window and the About
// box. Each modal dialog can be answered by a hook instead (tests, the screenshot run).
#include <functional>
#include <string>

#include "model/user_port.h"

namespace velmora {

class CMainFrame;

// The second filter of the Open dialog.
inline constexpr std::string_view kAllFilesFilter = "所有文件 (*)";

class QtUserPort : public UserPort {
public:
    // The window the services act on; until it exists they only do what needs none.
    void SetFrame(CMainFrame* frame) { frame_ = frame; }

    Answer Message(std::string_view text, Buttons buttons, Icon icon) override;
    void SetStatus(std::string_view text) override;
    void Redraw() override;
    void ShowCodeDialog(std::string_view text, std::string_view heading) override;
    void SetModified(bool modified) override;
    void SetDocumentPath(std::string_view path) override;
    void SwapToolbarButton(int oldId, int newId) override;
    bool ChooseColour(int& colour, bool fullyOpen) override;
    bool ChooseOpenPath(std::string& path, std::string_view filter) override;
    bool ChooseSavePath(std::string& path, std::string_view filter, std::string_view suggested) override;
    bool BarVisible(Bar bar) const override;
    void ShowBar(Bar bar, bool shown) override;
    void RestoreLayout() override;
    void ShowAbout() override;
    void Quit() override;

    // Answer instead of the message box / the colour dialog / the file dialogs.
    std::function<Answer(std::string_view, Buttons, Icon)> messageHook;
    std::function<bool(int&)> colourHook;
    std::function<bool(std::string&)> pathHook;
    // Messages shown so far (with or without a hook), newest last.
    std::vector<std::string> shownMessages;

private:
    CMainFrame* frame_ = nullptr;
};

}  // namespace velmora
