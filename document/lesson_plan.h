#pragma once
// Learn mode's reading of a solution: which stage of its method each part of the
// solution record is, whether a stage's pieces hold their goals on a cube, which
// stickers they are, and the replay check that every stage really does what its
// lesson says. Plain functions over the model; the document and velmora-cli use them.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/lesson.h"
#include "model/stage_goal.h"
#include "model/tarnex_source.h"

namespace velmora {

// The stages of a method (methodUsed 1 group, 2 eight-corner, 3 shortest, 4 centres);
// nullptr for a method without stages (the fixed lettering sequence).
const MethodLesson* MethodLessonOf(int method);
// The stage of a method that marker ends; nullptr when the method has no such stage.
const StageLesson* StageLessonOf(int method, std::string_view marker);

// One stage of a solution record. Consecutive parts ended by the same marker are one
// stage (a method may run a stage in several passes).
struct RecordStage {
    const StageLesson* lesson = nullptr;
    int begin = 0;      // record index where the stage's text begins
    int end = 0;        // record index just past its last marker (the record's length last)
    int firstMove = 0;  // record index of its first move; end when it has none
    int moves = 0;      // moves (tokens) it holds
    int axis = 0;       // for an Axis stage: the axis (0 top-bottom, 1 right-left, 2 front-back)
};

// The stages of a solution record (with its head of kRecordMovesStart characters), in
// record order; empty when the method has no stages or a marker names none of them.
std::vector<RecordStage> SplitRecordStages(std::string_view record, int method);
// Index into stages of the stage whose moves the record position pos (the next token
// to demonstrate) belongs to: the stage of the next move, the last stage with moves at
// the end; -1 when no stage has a move.
int StageAtPosition(const std::vector<RecordStage>& stages, int pos);
// SplitRecordStages, with each Axis stage given the axis its end reaches, replayed on
// work from start; an Axis stage whose end reaches none is one stage with the next.
std::vector<RecordStage> ReadRecordStages(CTarnexSource& work, std::string_view record, const CubeState& start,
                                          int method);

// Whether the record, replayed on work from start, ends with its last stage's goal
// holding: true for a method's solution, false for moves typed as a demonstration
// (which carry no stages of their own).
bool RecordReachesLastGoal(CTarnexSource& work, std::string_view record, const CubeState& start,
                           const std::vector<RecordStage>& stages);

// What is home when stage index of stages begins: the record's earlier stages, and the
// method's stages that come earlier in its order of work, are not in the record and
// already hold there (a solution from a cube half done starts later in the method).
// Judged on work, replaying from start.
std::vector<RecordStage> StagesHomeBefore(CTarnexSource& work, std::string_view record, const CubeState& start,
                                          int method, const std::vector<RecordStage>& stages, int index);

// Whole-cube turns (no face turns) that bring centre 1 on top and centre 2 in front.
void HoldUpright(CTarnexSource& m);
bool IsUpright(const CubeState& s);

// Whether a piece's goal holds on an upright cube.
bool PieceHolds(const CTarnexSource& upright, GoalFrame frame, StagePiece piece, int axis = 0);
// Of a stage's pieces, how many hold their goals, and how many must (all, or atLeast).
int PiecesHolding(const CTarnexSource& upright, const StageLesson& lesson, int axis = 0);
int PiecesNeeded(const StageLesson& lesson);
inline bool StageGoalHolds(const CTarnexSource& upright, const StageLesson& lesson, int axis = 0) {
    return PiecesHolding(upright, lesson, axis) >= PiecesNeeded(lesson);
}

// Sets the lights of the stickers of each of the lesson's pieces where the piece is
// now (a piece is the one whose home the slot is; a centre the centre of that face).
void LightLessonPieces(const CTarnexSource& m, const StageLesson& lesson, StickerLight light,
                       std::array<StickerLight, 54>& lights);

// The slot's name as the net letters its faces ("TF", "TFR", a centre "T").
std::string SlotName(int slot);
// "TF placed, TR placed, ..."; "any 3 of ..." for a stage that chooses its pieces.
std::string PieceListText(const StageLesson& lesson);

// The first stage that breaks what its lesson promises, found by replaying a solution.
struct ReplayFault {
    int stage = -1;     // index into the record's stages
    int slot = 0;       // the piece that does not hold
    bool kept = false;  // true: listed by an earlier stage, lost by this one
};

// Replays the solution record from the model's start position on work (a model with
// the same tables; its cube and records are overwritten): true when every piece a
// stage lists holds its goal at the end of that stage (for a stage that chooses, the
// number it promises) and keeps it at the end of every later stage that does not list
// it again. Also false for a record without stages.
bool CheckStageReplay(CTarnexSource& work, std::string_view record, const CubeState& start, int method,
                      ReplayFault* fault = nullptr);

// What the formula that the move at record position pos belongs to does, where the
// stage's table names its rows ("下边块公式（第12种情况）：..."); empty elsewhere.
std::string FormulaAt(int method, std::string_view record, const RecordStage& stage, int pos);

// The tokens of a stretch of record text (record texts such as "T+", "FT", groups
// opened into their tokens).
std::vector<std::string_view> RecordTokens(std::string_view text);

// The method's own solution from the model's cube, run on work (its cube overwritten):
// the moves until the goal of `goal` and of every stage in `kept` holds, or all moves
// when it never does. False when the method finds no solution.
bool PlanToGoal(CTarnexSource& work, const CubeState& from, int method, const RecordStage& goal,
                const std::vector<RecordStage>& kept, std::vector<std::string>& moves);
// Whether the goal of stage and of every stage in kept hold on cube, judged on work.
bool PracticeGoalHolds(CTarnexSource& work, const CubeState& cube, const RecordStage& stage,
                       const std::vector<RecordStage>& kept);

}  // namespace velmora
