#pragma once
// CVelmoraDoc: the single document of the program. It owns the cube model and the two
// undo histories for the whole run (New and Open reuse it), and it is the target of
// every menu item, toolbar button and accelerator: the window calls OnCommand with the
// command id and asks IsEnabled / IsChecked for the update rules (command_table.h).
//
// Every handler that defines a new position follows one pattern: record the present
// position in the history, change the model, solve the new position, show the result
// in the status bar, redraw. The document reaches the screen only through the UserPort.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/command_table.h"
#include "document/history.h"
#include "document/settings.h"
#include "model/tarnex_source.h"
#include "model/user_port.h"

namespace velmora {

class CVelmoraDoc {
public:
    // Initialises the model (tables, random seed, solve log beside programPath, solved
    // cube) and takes the method choice from settings.solve. The document keeps
    // references to user and settings; both must outlive it.
    CVelmoraDoc(UserPort& user, VelmoraSettings& settings, std::string_view programPath = {});
    CVelmoraDoc(const CVelmoraDoc&) = delete;
    CVelmoraDoc& operator=(const CVelmoraDoc&) = delete;

    // ---- commands ----
    // Runs the command when it is enabled; returns whether it ran.
    bool OnCommand(int id);
    bool IsEnabled(int id) const;
    // The check or radio mark of a command (MarkRule of its row).
    bool IsChecked(int id) const;

    // ---- history ----
    // op 2 record, -1 undo, 1 redo, 0 reset; name (op 2 only) is cut to 20 characters.
    // Works on the input history while inputMode = -1, else on the command history.
    void HistoryOp(int op, std::string_view name);
    bool CanUndo() const;
    bool CanRedo() const;

    // ---- document hooks ----
    // A new document: leaves input mode, schedules the demonstration, deals and solves
    // a random cube. The history is kept.
    void OnNewDocument();
    // Opens path as the framework does for the command line, dropped files and the
    // recent-file list: asks to save a modified document first, loads, resets the
    // history. False when the user cancelled or the file could not be read.
    bool OpenDocumentFile(std::string_view path);
    // Saves to path; false on failure.
    bool SaveDocumentFile(std::string_view path);
    // Asks to save a modified document; false when the user cancelled (the caller
    // then stays where it is). The window calls it before it closes.
    bool SaveModified();

    // One tick of the 1,600 ms demonstration timer of the 3D view.
    void DemoTick();

    // ---- services used by the handlers and the views ----
    void SetModifiedFlag(bool modified);
    bool IsModified() const { return modified; }
    void ShowStatus(std::string_view text) { user.SetStatus(text); }
    void Redraw() { user.Redraw(); }
    void SwapToolbarButton(int oldId, int newId) { user.SwapToolbarButton(oldId, newId); }
    // The document's file, empty while untitled; its title for messages.
    const std::string& PathName() const { return pathName; }
    std::string Title() const;
    // Puts path at the head of the recent-file list (at most kRecentFileCount).
    void AddToRecentFiles(std::string_view path);

    // ---- members ----
    CTarnexSource model;
    // Rings of kHistoryCapacity entries, allocated once at construction.
    std::unique_ptr<InputRecord[]> inputRing;
    std::unique_ptr<HistoryRecord[]> commandRing;
    int historyCapacity = kHistoryCapacity;
    int cmdFloor = 0, cmdTop = 0, cmdCursor = 0;
    int inFloor = -1, inTop = 0, inCursor = 0;

    // The auxiliary cube of the 3D view is shown.
    bool auxShown = true;  // the 3D view shows the auxiliary cube from the start
    // Recent files, newest first; the window loads and stores them.
    std::vector<std::string> recentFiles;

    UserPort& user;
    VelmoraSettings& settings;

private:
    void SaveSnapshot(int index);
    void RestoreSnapshot(int index);
    void SaveInput(int index);
    void RestoreInput(int index);
    void CommandHistoryOp(int op, std::string_view name);
    void InputHistoryOp(int op, std::string_view name);

    void StepForward();
    void StepBack();
    void RestoreCentres();
    void ChooseMethod(int method);
    void ToggleDemonstration();
    void DefaultColours();
    void ToggleMethodIds();
    void ToggleBar(Bar bar);
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void OpenRecentFile(int index);
    void Exit();
    // Shared part of opening and saving: leaves input mode, runs the file operation,
    // shows the model's status text; on load stops the demonstration, resets the
    // command history and redraws.
    bool Serialize(std::string_view path, bool loading);
    // F2, F3, F4 and F7 deal into a new document: asks to save a modified document
    // first, then leaves the document untitled and unmodified. False when the user
    // cancelled (nothing has changed then).
    bool StartUntitled();
    // The document forgets its file: the next save asks for a name.
    void MakeUntitled();

    std::string pathName;
    bool modified = false;
};

}  // namespace velmora
