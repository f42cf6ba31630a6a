#pragma once
// The user seam with real widgets: message boxes captioned "Velmora提示", the status
// bar, redraws, the colour and file dialogs, the bars of the main window and the About
// box. Each modal dialog can be answered by a hook instead (tests, the screenshot run).
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "model/user_port.h"

class QPrintPreviewDialog;
class QProgressDialog;

namespace velmora {

class CMainFrame;
class CommandStringDialog;
class PatternDialog;
class InputToolDialog;
class PhotoInputDialog;
class PasteCubeDialog;
class CTarnexSource;

// The second filter of the Open dialog.
inline constexpr std::string_view kAllFilesFilter = "所有文件 (*)";

class QtUserPort : public UserPort {
public:
    // The window the services act on; until it exists they only do what needs none.
    void SetFrame(CMainFrame* frame) { frame_ = frame; }
    // The cube model the input tool reads its net layout from.
    void SetModel(const CTarnexSource* model) { model_ = model; }
    // The colour settings the photo input shows its net in.
    void SetColours(const int (*colours)[10]) { colours_ = colours; }

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
    bool EditCube(CubeState& copy) override;
    bool ChoosePattern(PatternChoice& choice) override;
    bool EditCommandString(std::string_view infoAppend, CommandStringChoice& out) override;
    bool EditInputText(std::string& text, int (&marks)[7]) override;
    void SetClipboardText(std::string_view text) override;
    std::string ClipboardText() override;
    bool EditPastedText(std::string& text) override;
    bool PrintSheet(const SolutionSheet& sheet) override;
    bool SheetPdf(const SolutionSheet& sheet, std::string& bytes) override;
    void ReadPhotos(const std::function<int(std::string_view)>& apply,
                    const std::function<std::string(std::string_view)>& check) override;
    bool TableProgress(std::string_view text, double share) override;

    // Answer instead of the message box / the colour dialog / the file dialogs.
    std::function<Answer(std::string_view, Buttons, Icon)> messageHook;
    std::function<bool(int&)> colourHook;
    std::function<bool(std::string&)> pathHook;
    // Works the input tool instead of the person (the dialog is made and shown);
    // returns whether it was closed with OK.
    std::function<bool(InputToolDialog&)> inputToolHook;
    // Works the print preview instead of the person (the dialog is made, not shown);
    // returns whether it printed.
    std::function<bool(QPrintPreviewDialog&)> printPreviewHook;
    // Works the photo input dialog instead of the person (the dialog is made and shown,
    // and closed after the hook).
    std::function<void(PhotoInputDialog&)> photoHook;
    // Works the paste dialog instead of the person (the dialog is made and shown);
    // returns whether it was closed with OK.
    std::function<bool(PasteCubeDialog&)> pasteHook;
    // A video file the photo input plays as its camera (velmora --camera-file).
    QString cameraFile;
    // The folders the file dialogs and the photo chooser open in: the folder of the
    // last file or photo chosen (kept across starts; empty: the dialogs' default).
    QString fileFolder;
    QString photoFolder;
    // Messages shown so far (with or without a hook), newest last.
    std::vector<std::string> shownMessages;

private:
    CMainFrame* frame_ = nullptr;
    // The patterns and command-string dialogs keep their fields for the whole run.
    QPointer<PatternDialog> patternDialog_;
    QPointer<PhotoInputDialog> photoDialog_;
    // The build of the fewest-turns tables, while it runs.
    QPointer<QProgressDialog> tableProgress_;
    QPointer<CommandStringDialog> commandStringDialog_;
    const CTarnexSource* model_ = nullptr;
    const int (*colours_)[10] = nullptr;
};

}  // namespace velmora
