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
#include "document/key_pane.h"
#include "document/lesson.h"
#include "document/optimal_runner.h"
#include "document/settings.h"
#include "document/solution_sheet.h"
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

    // ---- typed two-key commands (doc_typed_keys.cpp) ----
    // One of the ten key commands: "T" "F" "R" "P" "L" "B" "A" "+" "-" "*". Idle, the
    // turn keys zoom or restore the layout and a letter becomes the pending first key;
    // with a key pending, the key completes the pair and runs it.
    void OnKey(char ch);
    // A face turn or rotation token run as a typed command without a question: history
    // entry named token, turn, solve, "执行了命令:(...)" and the animation hint. The
    // typed keys and the Shift/Ctrl clicks on the net share it.
    void RunTypedCommand(std::string_view token);
    // The key-state pane as the view of viewKind (kNetViewKind, kCubeViewKind,
    // kSolutionViewKind) shows it.
    KeyPaneState UpdateKeyPane(int viewKind) const { return KeyPaneFor(model, viewKind); }
    // The pending first key and the key that completes it, NUL-terminated; the pair is
    // the move token and the history name of the typed command.
    char keyPair[3] = {};
    // ---- cube input (doc_cube_input.cpp) ----
    // The input toggle of commands 32783 and 32782: starts input mode when idle, ends
    // it (the painted net checked, turned into a position and solved) in input mode.
    void ToggleInput();
    // A left click at (x, y) on the net in input mode: a palette swatch selects its
    // colour, a centre turns its mark, another sticker takes the selected colour.
    void InputNetClick(int x, int y);
    // A right click at (x, y) on the net: in input mode a palette swatch, in any mode a
    // face centre opens the colour dialog on that colour setting.
    void ChooseNetColour(int x, int y);
    // The input tool on the painted net (input mode only); OK is one input step "#".
    void InputTool();
    // ---- photo input (doc_photo_input.cpp) ----
    // Sets the position from a colouring read from photos (54 letters U R F D L B by
    // centre colour) as ending cube input with that colouring does: the same checks,
    // messages and questions, one history step "照片输入", then the solution by the
    // chosen method. Returns 1 when the position was set, 0 when the user chose to go
    // on correcting the colours, -1 when the colouring was given up; but for 1 the
    // position and the history are as before. Outside input mode only.
    int ApplyPhotoColouring(std::string_view facelets);
    // ---- pasted cubes (doc_paste_cube.cpp) ----
    // The paste dialog on text (textGiven: a dropped text or the clipboard's on Ctrl+V
    // in a cube pane; otherwise the clipboard's text when it describes a cube). OK
    // starts a new untitled document as F2 does (unsaved changes asked for first) and
    // sets the position the text describes as one history step "粘贴魔方", solved by
    // the chosen method, the document marked modified. Outside input mode only.
    void PasteCube(std::string_view text, bool textGiven);
    // The checks of ending cube input on a photo colouring, asking nothing and changing
    // nothing: empty when it passes, otherwise the fault (FinishInput's line without its
    // question).
    std::string CheckPhotoColouring(std::string_view facelets);
    // ---- turning layers on the 3D cube and steering the demonstration ----
    // Turns one of the nine layers (document/layer_turns.h) as a typed command does:
    // history entry, the move, the new solution, the status text. 1 when it ran, -1
    // in input mode or for no such turn.
    int TurnLayer(int axis, int slice, int quarters);
    // Moves the demonstration to record position target (the first character of a
    // token of the solution) by stepping forward or back as the step commands do;
    // only the last step keeps its turn animation. Nothing happens in input mode or
    // for a target that does not start a token.
    void StepSolutionTo(int target);
    // The pace of the automatic demonstration in milliseconds per turn (2,400, 1,600
    // or 800; anything else gives 1,600); the 3D view's timer follows it.
    void SetDemoInterval(int milliseconds);

    // ---- the solution sheet (doc_sheet_commands.cpp) ----
    // The sheet of the solution shown: the document's file name, today's date and the
    // display colours.
    void BuildSheet(SolutionSheet& sheet) const;
    // Writes the sheet as a PDF file at path by the rules of saving a cube file (a
    // temporary file renamed over the target; a read-only or special target refused).
    // False after telling the user why.
    bool WriteSolutionPdf(std::string_view path);

    // ---- learn mode (doc_learn.cpp) ----
    // What the views show of learn mode for the current step of the shown solution, or
    // for the user's own cube while practising; inactive (active false) when learn mode
    // is off, in cube input, or when no solution with a stage is shown.
    LessonView Lesson() const;
    bool LearnModeOn() const { return settings.learnMode != 0; }
    bool Practising() const { return practice.on; }
    // Leaves practice without moving the cube (new positions, files, input call it).
    void EndPractice();
    // After a turn of the user's: while practising, says when the stage's goal holds.
    void NotePracticeTurn();
    // ---- the fewest-turns search (doc_optimal_commands.cpp) ----
    // The window's timer calls this a few times a second: it starts the search that a
    // solve by the fewest-turns method left pending, shows the build of the tables
    // (UserPort::TableProgress) and the search's progress in the status bar, and makes
    // the solution that arrives the shown one, as one history step.
    void OptimalTick();
    // A search runs (or the tables are being built).
    bool OptimalSearching() const { return optimalRunner.Running(); }
    OptimalRunner& OptimalWorker() { return optimalRunner; }

    // ---- services used by the handlers and the views ----
    void SetModifiedFlag(bool modified);
    bool IsModified() const { return modified; }
    // Whether closing, opening or dealing must ask to save: the modified flag, or in
    // cube input the flag from before input began. The title's mark shows it.
    bool HasUnsavedChanges() const { return modified || (model.inputMode == -1 && modifiedBeforeInput); }
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

    // The solution pane shows its moves in the international notation (查看 › 国际记号).
    bool internationalShown = false;
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
    // 编辑 › 求最少步数解: the shortest method's solution at once, the fewest-turns
    // search for the present position on the worker.
    void FindOptimal();
    // Esc: stops the search; the solution shown stays.
    void StopOptimal();
    void ToggleDemonstration();
    void DefaultColours();
    // The notation commands (doc_notation_commands.cpp).
    void CopySolution();
    void StandardColours();
    void ResetToSolved();
    void ToggleMethodIds();
    void ToggleBar(Bar bar);
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void OpenRecentFile(int index);
    void Exit();
    // Dialog commands (doc_dialog_commands.cpp).
    void ModifyCube();
    void RunPattern();
    void RunCommandString();
    void RunKeyMacro(char key);
    void StartInput();
    void EndInput();
    // The end of a cube input that FinishInput accepted; bottomMark is the bottom
    // centre's mark as painted.
    void InputAccepted(int bottomMark);
    void PhotoInput();
    // Sets the painted net as the position, as ending cube input does, in one history
    // step named name; the result of FinishInput (1 when the position was set; but for
    // 1 the position and the history are as before).
    int ApplyColouring(const int (&net)[kFaceletCount], std::string_view name);
    void AskColourSetting(int index, std::string_view prompt, std::string_view done);
    // Sheet commands (doc_sheet_commands.cpp).
    void PrintSolution();
    void ExportSolutionPdf();
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

    // The status line after a deal of kind 1-4 (Scramble's kinds), unless the solve
    // left a text of its own.
    void ShowDealt(int kind);
    // Learn mode's commands (doc_learn.cpp).
    void ToggleLearnMode();
    void StartPractice();
    // Commands that give the cube a position of their own, so that the stage
    // practised no longer applies.
    static bool CommandEndsPractice(int id);
    void ShowHint();
    void BackToDemonstration();
    // The stage practised: the solution it came from and where the stage starts in it.
    struct PracticeState {
        bool on = false;
        int method = 0;        // methodUsed of that solution
        int stage = -1;        // index of the stage among the solution's stages
        int stageStart = 0;    // record index of the stage's first move
        std::string record;    // the solution record practised from
        CubeState start{};     // the solution's start position
        std::string hint;      // the hint last given (own notation)
        // The moves the hints follow: the method's own solution from the cube the
        // last plan started at, and the position the user reaches by the next one.
        std::vector<std::string> plan;
        std::size_t planNext = 0;
        CubeState planAt{};
    };
    PracticeState practice;
    // A copy of the model on which learn mode judges goals and plans hints; made on
    // first use.
    mutable std::unique_ptr<CTarnexSource> lessonWork;
    CTarnexSource& LessonWork() const;

    std::string pathName;
    // The document differs from its file (or, untitled, holds something to save). Every
    // step of the command history sets it: a recorded command (HistoryOp op 2), an undo
    // and a redo. So every command that follows the common command pattern marks the
    // document without doing anything of its own. Open and save clear it, and so do the
    // deals into a new untitled document and the reset of an untitled one to solved.
    bool modified = false;
    // Counter of the command strings run, for their history names; 0-999 for the run.
    int commandCounter = 0;
    // The modified flag when input began: input clears the flag, and leaving input
    // without a new position gives it back, so unsaved changes are still asked for.
    bool modifiedBeforeInput = false;
    // Last, so that it stops its worker before anything else goes.
    OptimalRunner optimalRunner;
};

}  // namespace velmora
