// The document: construction, command routing with the enable and mark rules, and the
// handlers of the direct commands.
#include "document/velmora_doc.h"

#include <algorithm>

#include "document/cube_file_link.h"

namespace velmora {

namespace {

constexpr std::string_view kUntitled = "无标题";

std::string_view FileNameOf(std::string_view path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool HasExtension(std::string_view path) {
    std::string_view name = FileNameOf(path);
    std::size_t dot = name.find_last_of('.');
    return dot != std::string_view::npos && dot > 0;
}

}  // namespace

CVelmoraDoc::CVelmoraDoc(UserPort& userPort, VelmoraSettings& appSettings,
                         std::string_view programPath)
    : inputRing(new InputRecord[kHistoryCapacity]),
      commandRing(new HistoryRecord[kHistoryCapacity]),
      user(userPort),
      settings(appSettings) {
    model.user = &user;
    model.programPath.Assign(programPath);
    model.InitCubeModel();
    model.inputMode = 0;
    model.methodChoice = settings.solve;
    // The window never waits for the fewest-turns search: it runs on a worker.
    model.optimalRequest.deferred = true;
    model.viewZoom = static_cast<float>(kDefaultZoom);
    model.viewTilt = kDefaultTilt;
    model.viewTurn = kDefaultTurn;
    model.viewSpin = kDefaultSpin;
}

// ---- update rules ----

bool CVelmoraDoc::IsEnabled(int id) const {
    const CommandRow* row = FindCommand(id);
    if (!row || !row->available) return false;
    if (id >= cmd::kRecentFile1 && id < cmd::kRecentFile1 + kRecentFileCount)
        return id - cmd::kRecentFile1 < static_cast<int>(recentFiles.size());
    switch (row->enable) {
        case EnableRule::Always: return true;
        case EnableRule::NotInputMode: return model.inputMode >= 0;
        case EnableRule::Undo: return CanUndo();
        case EnableRule::Redo: return CanRedo();
        case EnableRule::SolutionShown:
            return model.inputMode >= 0 && model.SolutionRecord.size() > static_cast<std::size_t>(kRecordMovesStart);
        case EnableRule::LessonShown: return model.inputMode >= 0 && Lesson().stage >= 0;
        case EnableRule::Practising: return model.inputMode >= 0 && practice.on;
    }
    return false;
}

bool CVelmoraDoc::IsChecked(int id) const {
    const CommandRow* row = FindCommand(id);
    if (!row) return false;
    switch (row->mark) {
        case MarkRule::None: return false;
        case MarkRule::CheckDemo: return model.autoDemoCount > 0;
        case MarkRule::CheckAuxCube: return auxShown;
        case MarkRule::CheckMethodIds: return model.showMethodIds == 1;
        case MarkRule::RadioMethod: return model.methodChoice == row->markValue;
        case MarkRule::RadioInputMode: return model.inputMode == -1;
        case MarkRule::CheckKeyPending: return model.inputMode == row->markValue;
        case MarkRule::CheckToolbar: return user.BarVisible(Bar::Toolbar);
        case MarkRule::CheckStatusBar: return user.BarVisible(Bar::StatusBar);
        case MarkRule::RadioDemoSpeed: return settings.demoInterval == row->markValue;
        case MarkRule::CheckInternational: return internationalShown;
        case MarkRule::CheckLearnMode: return LearnModeOn();
    }
    return false;
}

// ---- routing ----

bool CVelmoraDoc::OnCommand(int id) {
    if (!IsEnabled(id)) return false;
    if (id >= cmd::kRecentFile1 && id < cmd::kRecentFile1 + kRecentFileCount) {
        EndPractice();
        OpenRecentFile(id - cmd::kRecentFile1);
        return true;
    }
    if (practice.on && CommandEndsPractice(id)) EndPractice();
    switch (id) {
        case cmd::kFileNew:
            if (!StartUntitled()) break;
            OnNewDocument();
            break;
        case cmd::kScrambleTop:
            if (!StartUntitled()) break;
            model.Scramble(2);
            ShowDealt(2);
            Redraw();
            break;
        case cmd::kScrambleEdges:
            if (!StartUntitled()) break;
            model.Scramble(3);
            ShowDealt(3);
            Redraw();
            break;
        case cmd::kFileOpen: FileOpen(); break;
        case cmd::kFileSave: FileSave(); break;
        case cmd::kFileSaveAs: FileSaveAs(); break;
        case cmd::kPrintSolution: PrintSolution(); break;
        case cmd::kExportSolutionPdf: ExportSolutionPdf(); break;
        case cmd::kExit: Exit(); break;
        case cmd::kDefaultColours: DefaultColours(); break;
        case cmd::kStandardColours: StandardColours(); break;
        case cmd::kCopySolution: CopySolution(); break;
        case cmd::kResetCube: ResetToSolved(); break;
        case cmd::kInternational:
            internationalShown = !internationalShown;
            Redraw();
            break;
        case cmd::kGroupMethod: ChooseMethod(1); break;
        case cmd::kEightCornerMethod: ChooseMethod(2); break;
        case cmd::kShortestMethod: ChooseMethod(3); break;
        case cmd::kOptimalMethod: ChooseMethod(5); break;
        case cmd::kFindOptimal: FindOptimal(); break;
        case cmd::kStopOptimal: StopOptimal(); break;
        case cmd::kScrambleCentres:
            if (!StartUntitled()) break;
            model.Scramble(4);
            RestoreCentres();
            // The centres' solve is recorded, but the new document has nothing to save.
            SetModifiedFlag(false);
            ShowDealt(4);
            break;
        case cmd::kRestoreCentres: RestoreCentres(); break;
        case cmd::kUndo: HistoryOp(-1, {}); break;
        case cmd::kRedo: HistoryOp(1, {}); break;
        case cmd::kAutoDemo: ToggleDemonstration(); break;
        case cmd::kAuxCube:
            auxShown = !auxShown;
            Redraw();
            break;
        case cmd::kDescriptionCodes: ToggleMethodIds(); break;
        case cmd::kToolbar: ToggleBar(Bar::Toolbar); break;
        case cmd::kStatusBar: ToggleBar(Bar::StatusBar); break;
        case cmd::kAbout: user.ShowAbout(); break;
        case cmd::kStepForward: StepForward(); break;
        case cmd::kStepBack: StepBack(); break;
        case cmd::kModify: ModifyCube(); break;
        case cmd::kPatterns: RunPattern(); break;
        case cmd::kPhotoInput: PhotoInput(); break;
        case cmd::kPasteCube: PasteCube({}, false); break;
        case cmd::kCommandString: RunCommandString(); break;
        case cmd::kKeyT: OnKey('T'); break;
        case cmd::kKeyF: OnKey('F'); break;
        case cmd::kKeyR: OnKey('R'); break;
        case cmd::kKeyP: OnKey('P'); break;
        case cmd::kKeyL: OnKey('L'); break;
        case cmd::kKeyB: OnKey('B'); break;
        case cmd::kKeyA: OnKey('A'); break;
        case cmd::kKeyPlus: OnKey('+'); break;
        case cmd::kKeyMinus: OnKey('-'); break;
        case cmd::kKeyHalf: OnKey('*'); break;
        case cmd::kStartInput:
        case cmd::kEndInput: ToggleInput(); break;
        case cmd::kDemoSlow:
        case cmd::kDemoMedium:
        case cmd::kDemoFast: SetDemoInterval(FindCommand(id)->markValue); break;
        case cmd::kLearnMode: ToggleLearnMode(); break;
        case cmd::kPracticeStage: StartPractice(); break;
        case cmd::kHint: ShowHint(); break;
        case cmd::kShowDemo: BackToDemonstration(); break;
        default: return false;
    }
    return true;
}

// ---- document hooks ----

void CVelmoraDoc::OnNewDocument() {
    EndPractice();
    const bool demonstrating = model.inputMode != -1 && model.autoDemoCount > 0;
    if (model.inputMode == -1)
        SwapToolbarButton(cmd::kEndInput, cmd::kStartInput);
    else if (demonstrating)
        model.autoDemoCount = 3;
    model.Scramble(1);
    if (demonstrating)
        ShowStatus("将要演示新局！");
    else
        ShowDealt(1);
    Redraw();
}

void CVelmoraDoc::ShowDealt(int kind) {
    static constexpr std::string_view kDealt[] = {
        "", "魔方被打乱，并求出了复原解法。", "顶面被打乱，并求出了复原解法。", "边块被打乱，并求出了复原解法。",
        "中心小块的方向被打乱，并求出了复原解法。"};
    if (!model.statusText.empty())
        ShowStatus(model.statusText);
    else if (kind >= 1 && kind <= 4)
        ShowStatus(kDealt[kind]);
}

bool CVelmoraDoc::Serialize(std::string_view path, bool loading) {
    std::string file(path);
    if (!loading) {
        int r = DocumentSaveCubeFile(model, file.c_str());
        ShowStatus(model.statusText);
        return r == 1;
    }
    const bool wasInput = model.inputMode == -1;
    int r = DocumentLoadCubeFile(model, file.c_str());
    ShowStatus(model.statusText);
    if (r != 1) return false;  // nothing was loaded: the history and the mode stay
    if (wasInput) SwapToolbarButton(cmd::kEndInput, cmd::kStartInput);
    model.autoDemoCount = 0;
    HistoryOp(0, {});
    Redraw();
    return true;
}

bool CVelmoraDoc::OpenDocumentFile(std::string_view path) {
    if (!SaveModified()) return false;
    EndPractice();
    if (!Serialize(path, true)) return false;
    pathName.assign(path);
    user.SetDocumentPath(pathName);
    SetModifiedFlag(false);
    AddToRecentFiles(path);
    return true;
}

bool CVelmoraDoc::SaveDocumentFile(std::string_view path) {
    if (!Serialize(path, false)) return false;
    pathName.assign(path);
    user.SetDocumentPath(pathName);
    SetModifiedFlag(false);
    AddToRecentFiles(path);
    return true;
}

bool CVelmoraDoc::SaveModified() {
    if (!HasUnsavedChanges()) return true;
    FixedText<1023> text;
    text.Format("是否保存对“%s”的更改？", Title().c_str());
    switch (user.Message(text, Buttons::YesNoCancel, Icon::Question)) {
        case Answer::Yes: return FileSave();
        case Answer::No: return true;
        default: return false;
    }
}

void CVelmoraDoc::DemoTick() {
    if (model.autoDemoCount < 1 || model.inputMode < 0) return;
    if (model.autoDemoCount == 16) {
        // The new deal replaces the document: unsaved changes are asked for first (the
        // demonstration waits meanwhile and stops when the user cancels), and the deal
        // is a history step that undo takes back.
        model.autoDemoCount = 0;
        if (!SaveModified()) {
            Redraw();
            return;
        }
        model.autoDemoCount = 15;
        const bool hadChanges = HasUnsavedChanges();
        HistoryOp(2, "演示新局");
        HistoryRecord& deal = commandRing[(cmdCursor - 1) % kHistoryCapacity];
        deal.detachedPath = pathName;
        deal.detachedModified = hadChanges;
        model.Scramble(1);
        MakeUntitled();
        SetModifiedFlag(false);
        ShowStatus("魔方被打乱！稍后继续演示...");
        Redraw();
    } else if (model.autoDemoCount > 1) {
        --model.autoDemoCount;
    } else {
        StepForward();
        Redraw();
    }
}

// ---- services ----

void CVelmoraDoc::SetModifiedFlag(bool value) {
    modified = value;
    user.SetModified(HasUnsavedChanges());
}

std::string CVelmoraDoc::Title() const {
    return pathName.empty() ? std::string(kUntitled) : std::string(FileNameOf(pathName));
}

void CVelmoraDoc::AddToRecentFiles(std::string_view path) {
    auto same = std::find(recentFiles.begin(), recentFiles.end(), path);
    if (same != recentFiles.end()) recentFiles.erase(same);
    recentFiles.insert(recentFiles.begin(), std::string(path));
    if (recentFiles.size() > static_cast<std::size_t>(kRecentFileCount))
        recentFiles.resize(kRecentFileCount);
}

// ---- handlers ----

void CVelmoraDoc::StepForward() {
    if (model.inputMode < 0) return;
    model.StepSolution(+1);
    ShowStatus(model.statusText);
    Redraw();
}

void CVelmoraDoc::StepBack() {
    if (model.inputMode < 0) return;
    model.StepSolution(-1);
    ShowStatus(model.statusText);
    Redraw();
}

void CVelmoraDoc::RestoreCentres() {
    HistoryOp(2, "复原中心");
    model.centreOnlyMode = 1;
    Redraw();
    model.ExecuteAndSolve();
    Redraw();
    model.centreOnlyMode = 0;
}

void CVelmoraDoc::ChooseMethod(int method) {
    HistoryOp(2, method == 1 ? "选分组法" : method == 3 ? "选最少步法" : method == 5 ? "选最少步数法" : "选八角法");
    model.methodChoice = method;
    settings.solve = method;
    Redraw();
    model.ExecuteAndSolve();
    Redraw();
}

void CVelmoraDoc::ToggleDemonstration() {
    model.animAngle = 0;
    model.autoDemoCount = model.autoDemoCount == 0 ? 1 : 0;
    Redraw();
}

void CVelmoraDoc::DefaultColours() {
    if (user.Message("是否恢复为默认的颜色？", Buttons::YesNo, Icon::Question) != Answer::Yes) return;
    settings.SetDefaultColours();
    ShowStatus("默认颜色设置成功！");
    Redraw();
}

void CVelmoraDoc::ToggleMethodIds() {
    model.showMethodIds = model.showMethodIds == 1 ? 0 : 1;
    Redraw();
}

void CVelmoraDoc::ToggleBar(Bar bar) { user.ShowBar(bar, !user.BarVisible(bar)); }

void CVelmoraDoc::FileOpen() {
    std::string path;
    if (!user.ChooseOpenPath(path, kFileFilter)) return;
    OpenDocumentFile(path);
}

bool CVelmoraDoc::FileSave() {
    if (pathName.empty()) return FileSaveAs();
    return SaveDocumentFile(pathName);
}

bool CVelmoraDoc::FileSaveAs() {
    std::string suggested = Title();
    if (pathName.empty()) suggested += kFileExtension;
    std::string path;
    if (!user.ChooseSavePath(path, kFileFilter, suggested)) return false;
    if (!HasExtension(path)) path += kFileExtension;
    return SaveDocumentFile(path);
}

void CVelmoraDoc::OpenRecentFile(int index) {
    std::string path = recentFiles[static_cast<std::size_t>(index)];
    if (!SaveModified()) return;
    if (Serialize(path, true)) {
        pathName = path;
        user.SetDocumentPath(pathName);
        SetModifiedFlag(false);
        AddToRecentFiles(path);
    } else {
        // A file that can no longer be read leaves the list.
        auto at = std::find(recentFiles.begin(), recentFiles.end(), path);
        if (at != recentFiles.end()) recentFiles.erase(at);
    }
}

void CVelmoraDoc::Exit() {
    if (SaveModified()) user.Quit();
}

}  // namespace velmora
