// Learn mode: the lesson of the current stage for the views, and practising a stage
// with the user's own turns, with hints from the method's own solution.
#include <algorithm>
#include <cstring>

#include "document/lesson_plan.h"
#include "document/velmora_doc.h"
#include "model/move_notation.h"

namespace velmora {
namespace {

// Learn mode's copy of the model never reaches the user.
SilentUser& LessonUser() {
    static SilentUser silent;
    return silent;
}

bool SameCube(const CubeState& a, const CubeState& b) { return std::memcmp(&a, &b, sizeof(CubeState)) == 0; }

// Index among the stages that hold moves (the stages the user sees).
int ShownIndex(const std::vector<RecordStage>& stages, int index) {
    int n = 0;
    for (int i = 0; i < index; ++i)
        if (stages[static_cast<std::size_t>(i)].moves > 0) ++n;
    return n;
}

int ShownCount(const std::vector<RecordStage>& stages) { return ShownIndex(stages, static_cast<int>(stages.size())); }

// Name, goal, lights and the count of the stage at index, judged on cube; home: what
// is home when the stage begins.
void FillStage(LessonView& v, const std::vector<RecordStage>& stages, int index, const std::vector<RecordStage>& home,
               const CubeState& cube, CTarnexSource& work) {
    const RecordStage& s = stages[static_cast<std::size_t>(index)];
    const StageLesson& lesson = *s.lesson;
    v.active = true;
    v.stage = ShownIndex(stages, index);
    v.stageCount = ShownCount(stages);
    v.name = lesson.name;
    v.goal = lesson.goal;
    v.stageBegin = s.firstMove;
    v.stageEnd = s.end;
    work.cube = cube;
    v.lights.fill(StickerLight::Dimmed);
    for (const RecordStage& earlier : home)
        LightLessonPieces(work, *earlier.lesson, StickerLight::Home, v.lights);
    LightLessonPieces(work, lesson, StickerLight::Stage, v.lights);
    if (!IsUpright(work.cube)) HoldUpright(work);
    v.piecesTotal = PiecesNeeded(lesson);
    v.piecesHome = std::min(PiecesHolding(work, lesson, s.axis), v.piecesTotal);
}

}  // namespace

CTarnexSource& CVelmoraDoc::LessonWork() const {
    if (!lessonWork) {
        lessonWork = std::make_unique<CTarnexSource>(model);
        lessonWork->user = &LessonUser();
        lessonWork->logPath.Assign("");
    }
    return *lessonWork;
}

LessonView CVelmoraDoc::Lesson() const {
    LessonView v;
    if (!LearnModeOn() || model.inputMode < 0) return v;
    CTarnexSource& work = LessonWork();
    if (practice.on) {
        const std::vector<RecordStage> stages = ReadRecordStages(work, practice.record, practice.start, practice.method);
        if (practice.stage < 0 || practice.stage >= static_cast<int>(stages.size())) return v;
        const std::vector<RecordStage> home =
            StagesHomeBefore(work, practice.record, practice.start, practice.method, stages, practice.stage);
        FillStage(v, stages, practice.stage, home, model.cube, work);
        v.practising = true;
        v.goalReached = PracticeGoalHolds(work, model.cube, stages[static_cast<std::size_t>(practice.stage)], home);
        v.hint = practice.hint;
        if (!v.hint.empty()) v.hintInternational = InternationalOfOwnToken(v.hint);
        FixedText<255> line;
        if (v.goalReached && v.stage + 1 >= v.stageCount)
            line.Assign("这一阶段完成了，魔方复原了！");
        else if (v.goalReached)
            line.Assign("这一阶段完成了！选“自己做这一阶段”接着做下一阶段，或选“看演示”。");
        else
            line.Format("自己做：本阶段的小块已到位 %d/%d 块。需要时按 H 看提示。", v.piecesHome, v.piecesTotal);
        v.progress = line.view();
        return v;
    }
    const std::vector<RecordStage> stages =
        ReadRecordStages(work, model.SolutionRecord.view(), model.startState, model.methodUsed);
    const int index = StageAtPosition(stages, model.demoPos);
    if (index < 0 || !RecordReachesLastGoal(work, model.SolutionRecord.view(), model.startState, stages)) return v;
    const std::vector<RecordStage> home =
        StagesHomeBefore(work, model.SolutionRecord.view(), model.startState, model.methodUsed, stages, index);
    FillStage(v, stages, index, home, model.cube, work);
    v.formula = FormulaAt(model.methodUsed, model.SolutionRecord.view(), stages[static_cast<std::size_t>(index)],
                          model.demoPos);
    FixedText<255> line;
    line.Format("本阶段的小块已到位 %d/%d 块。", v.piecesHome, v.piecesTotal);
    v.progress = line.view();
    return v;
}

bool CVelmoraDoc::CommandEndsPractice(int id) {
    switch (id) {
        case cmd::kFileNew: case cmd::kScrambleTop: case cmd::kScrambleEdges: case cmd::kScrambleCentres:
        case cmd::kFileOpen: case cmd::kStartInput: case cmd::kEndInput: case cmd::kPhotoInput:
        case cmd::kModify: case cmd::kPatterns: case cmd::kCommandString: case cmd::kResetCube:
        case cmd::kGroupMethod: case cmd::kEightCornerMethod: case cmd::kShortestMethod:
        case cmd::kRestoreCentres: case cmd::kAutoDemo:
            return true;
        default:
            return false;
    }
}

void CVelmoraDoc::EndPractice() { practice = PracticeState{}; }

void CVelmoraDoc::ToggleLearnMode() {
    settings.learnMode = LearnModeOn() ? 0 : 1;
    if (!LearnModeOn()) EndPractice();
    Redraw();
}

void CVelmoraDoc::StartPractice() {
    const std::vector<RecordStage> stages =
        ReadRecordStages(LessonWork(), model.SolutionRecord.view(), model.startState, model.methodUsed);
    const int index = StageAtPosition(stages, model.demoPos);
    if (index < 0 || !RecordReachesLastGoal(LessonWork(), model.SolutionRecord.view(), model.startState, stages))
        return;
    const RecordStage& s = stages[static_cast<std::size_t>(index)];
    model.autoDemoCount = 0;
    StepSolutionTo(s.firstMove);
    if (model.demoPos != s.firstMove) return;
    EndPractice();
    practice.on = true;
    practice.method = model.methodUsed;
    practice.stage = index;
    practice.stageStart = s.firstMove;
    practice.record.assign(model.SolutionRecord.view());
    practice.start = model.startState;
    FixedText<511> text;
    text.Format("自己做这一阶段：%s。转动魔方完成目标，需要时按 H 看提示。", std::string(s.lesson->name).c_str());
    ShowStatus(text.view());
    Redraw();
}

void CVelmoraDoc::ShowHint() {
    if (!practice.on) return;
    CTarnexSource& work = LessonWork();
    const std::vector<RecordStage> stages = ReadRecordStages(work, practice.record, practice.start, practice.method);
    if (practice.stage < 0 || practice.stage >= static_cast<int>(stages.size())) return;
    const RecordStage& lesson = stages[static_cast<std::size_t>(practice.stage)];
    const std::vector<RecordStage> kept =
        StagesHomeBefore(work, practice.record, practice.start, practice.method, stages, practice.stage);
    if (PracticeGoalHolds(work, model.cube, lesson, kept)) {
        practice.hint.clear();
        ShowStatus("这一阶段已经完成了，不需要提示。");
        Redraw();
        return;
    }
    // Following the hints given so far: go on with the same plan; else plan afresh
    // from the user's own cube.
    const bool following = practice.planNext < practice.plan.size() && SameCube(practice.planAt, model.cube);
    if (!following) {
        if (!PlanToGoal(work, model.cube, practice.method, lesson, kept, practice.plan) || practice.plan.empty()) {
            practice.plan.clear();
            practice.hint.clear();
            ShowStatus("从现在的魔方出发，找不到这一阶段的提示。");
            Redraw();
            return;
        }
        practice.planNext = 0;
    }
    practice.hint = practice.plan[practice.planNext++];
    work.cube = model.cube;
    work.ApplyToken(practice.hint);
    practice.planAt = work.cube;
    FixedText<511> text;
    text.Format("提示：下一步转 %s（国际记号 %s）。", practice.hint.c_str(),
                InternationalOfOwnToken(practice.hint).c_str());
    ShowStatus(text.view());
    Redraw();
}

void CVelmoraDoc::BackToDemonstration() {
    if (!practice.on) return;
    HistoryOp(2, "看演示");
    model.SolutionRecord.Assign(practice.record);
    model.startState = practice.start;
    model.methodUsed = practice.method;
    model.StepSolution(0);
    const int target = practice.stageStart;
    EndPractice();
    StepSolutionTo(target);
    ShowStatus("回到这一阶段的开始，可以接着一步一步看演示。");
    Redraw();
}

void CVelmoraDoc::NotePracticeTurn() {
    if (!practice.on) return;
    const LessonView v = Lesson();
    if (v.goalReached) ShowStatus(v.progress);
}

}  // namespace velmora
