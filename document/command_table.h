#pragma once
// The command set as data: every menu item, toolbar button and accelerator of the
// program. The window builds its menus, toolbar and shortcuts from these tables and
// sends every command to CVelmoraDoc::OnCommand; it asks CVelmoraDoc::IsEnabled and
// IsChecked for the enable and mark rules, so nothing is wired twice.
//
// Rows of CommandTable() are in menu order within each menu; rows with menu None are
// commands of the toolbar and the keyboard only. A prompt is "status text\ntooltip"
// (either part may be missing).
#include <span>
#include <string_view>

namespace velmora {

// Command ids.
namespace cmd {
inline constexpr int kStepForward = 32772;
inline constexpr int kKeyB = 32773;
inline constexpr int kKeyP = 32774;
inline constexpr int kKeyL = 32775;
inline constexpr int kKeyPlus = 32776;
inline constexpr int kKeyMinus = 32777;
inline constexpr int kKeyHalf = 32778;
inline constexpr int kKeyT = 32779;
inline constexpr int kKeyF = 32780;
inline constexpr int kKeyR = 32781;
inline constexpr int kEndInput = 32782;
inline constexpr int kStartInput = 32783;
inline constexpr int kDefaultColours = 32784;
inline constexpr int kStepBack = 32785;
inline constexpr int kKeyA = 32786;
inline constexpr int kAutoDemo = 32787;
inline constexpr int kAuxCube = 32788;
inline constexpr int kModify = 32789;
inline constexpr int kPatterns = 32790;
inline constexpr int kCommandString = 32791;
inline constexpr int kGroupMethod = 32792;
inline constexpr int kEightCornerMethod = 32793;
inline constexpr int kShortestMethod = 32900;
inline constexpr int kFindOptimal = 32990;
inline constexpr int kOptimalMethod = 32991;
inline constexpr int kStopOptimal = 32992;
inline constexpr int kPhotoInput = 32930;
// 文件 › 粘贴魔方: a scramble, a facelet string or a position code as a new document.
inline constexpr int kPasteCube = 32940;
inline constexpr int kDescriptionCodes = 32794;
inline constexpr int kScrambleTop = 32795;
inline constexpr int kScrambleEdges = 32796;
inline constexpr int kScrambleCentres = 32797;
inline constexpr int kRestoreCentres = 32798;
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kRecentFile1 = 57616;  // entries 1-8: 57616-57623
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kAbout = 57664;
// The user's manual (帮助 › 使用说明, F1).
inline constexpr int kHelp = 32960;
inline constexpr int kExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kToolbar = 59392;
inline constexpr int kStatusBar = 59393;
// The pace of the automatic demonstration (查看 › 演示速度).
inline constexpr int kDemoSlow = 32910;
inline constexpr int kDemoMedium = 32911;
inline constexpr int kDemoFast = 32912;
// The notation commands: the solution pane in the international notation, the
// solution copied in it, the common colour scheme and the solved cube.
inline constexpr int kInternational = 32920;
inline constexpr int kCopySolution = 32921;
inline constexpr int kStandardColours = 32922;
inline constexpr int kResetCube = 32923;
// The solution sheet: printed, or saved as a PDF file (ids 32950-32959).
inline constexpr int kPrintSolution = 32950;
inline constexpr int kExportSolutionPdf = 32951;
// Learn mode: the stage's goal and pieces shown (查看 › 讲解模式), and practising a
// stage with the user's own turns (menu 讲解).
inline constexpr int kLearnMode = 32970;
inline constexpr int kPracticeStage = 32971;
inline constexpr int kHint = 32972;
inline constexpr int kShowDemo = 32973;
// The key-state pane of the status bar.
inline constexpr int kKeyStatePane = 59142;
}  // namespace cmd

inline constexpr int kRecentFileCount = 8;

enum class MenuId { None, File, Edit, View, Learn, Help };

// When a command may run. A disabled command is never executed, whatever its source.
enum class EnableRule {
    Always,
    NotInputMode,  // inputMode >= 0
    Undo,          // the undo rule of the histories
    Redo,          // the redo rule of the histories
    SolutionShown, // inputMode >= 0 and the solution record holds a move
    LessonShown,   // learn mode on, inputMode >= 0, and a shown solution with a stage
    Practising,    // the user practises a stage (inputMode >= 0)
};

// The mark a menu item or toolbar button carries.
enum class MarkRule {
    None,
    CheckDemo,         // check while autoDemoCount > 0
    CheckAuxCube,      // check while the auxiliary cube is shown
    CheckMethodIds,    // check while showMethodIds = 1
    RadioMethod,       // radio while methodChoice = markValue
    RadioInputMode,    // radio while inputMode = -1
    CheckKeyPending,   // check while inputMode = markValue (a first key pending)
    CheckToolbar,      // check while the toolbar is shown
    CheckStatusBar,    // check while the status bar is shown
    RadioDemoSpeed,    // radio while the demonstration's milliseconds per turn = markValue;
                       // these items form the submenu 演示速度
    CheckInternational,  // check while the solution pane shows the international notation
    CheckLearnMode,      // check while learn mode is on
};

struct CommandRow {
    int id;
    MenuId menu;
    std::string_view menuText;  // empty for toolbar and key commands
    std::string_view keys;      // accelerators as shown, e.g. "Ctrl+Z, Alt+Backspace"
    bool toolbar;               // has a toolbar button of its own
    std::string_view prompt;
    EnableRule enable;
    MarkRule mark;
    int markValue;
    bool separatorAfter;        // a menu separator follows the item
    // False for commands whose handlers are not part of the program yet: their items
    // are shown and always disabled.
    bool available;
};

// One binding of the accelerator table.
enum Modifier : int { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
struct AcceleratorRow {
    // True: key[0] is matched as the typed character (whatever keys produced it).
    // False: key names a key of the keyboard ("A", "F2", "Down", "Backspace",
    // "Insert", "Delete"), matched with exactly the modifiers given.
    bool typedChar;
    std::string_view key;
    int modifiers;
    int id;
};

std::span<const CommandRow> CommandTable();
std::span<const AcceleratorRow> AcceleratorTable();
// Toolbar buttons from left to right; 0 is a separator. The input button carries
// kStartInput or kEndInput (swapped by the document).
std::span<const int> ToolbarLayout();
// Title of the submenu that holds the RadioDemoSpeed items.
inline constexpr std::string_view kDemoSpeedMenuTitle = "演示速度";
// Menu title of a menu id (empty for None).
std::string_view MenuTitle(MenuId menu);
// The row of a command id (recent-file entries 2-8 give the row of entry 1), or
// nullptr.
const CommandRow* FindCommand(int id);
// The two parts of a prompt.
std::string_view PromptStatusText(std::string_view prompt);
std::string_view PromptTooltip(std::string_view prompt);

// The document type string and the file filter.
inline constexpr std::string_view kDocTypeString =
    "Velmora\n\nmf\n魔方文件 (*.mf)\n.mf\nVelmora.Document\n魔方文件";
inline constexpr std::string_view kFileFilter = "魔方文件 (*.mf)";
inline constexpr std::string_view kFileExtension = ".mf";
// The file filter and extension of the solution sheet saved as PDF.
inline constexpr std::string_view kPdfFilter = "PDF文件 (*.pdf)";
inline constexpr std::string_view kPdfExtension = ".pdf";

}  // namespace velmora
