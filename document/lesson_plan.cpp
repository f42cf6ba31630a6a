// Learn mode's reading of a solution record: stages, piece goals, lights and the
// replay check.
#include "document/lesson_plan.h"

#include "model/facelet_string.h"
#include "solvers/centre/centre_lessons.h"
#include "solvers/eightcorner/ec_lessons.h"
#include "solvers/group/group_lessons.h"
#include "solvers/shortest/shortest_lessons.h"

namespace velmora {
namespace {

constexpr std::array<MethodLesson, 4> kMethodLessons = {{
    {1, group::kStageLessons, {}},
    {2, ec::kStageLessons, {}},
    {3, shortest::kStageLessons, {}},
    {4, centre::kStageLessons, {}},
}};

// Faces of each slot's stickers 1-3 in order (cube_state.h), by face position 1-6.
constexpr int kSlotFaces[6][5][3] = {
    {},
    {{}, {1, 2, 0}, {1, 3, 0}, {1, 4, 0}, {1, 5, 0}},
    {{}, {1, 2, 3}, {1, 3, 4}, {1, 4, 5}, {1, 5, 2}},
    {{}, {2, 3, 0}, {3, 4, 0}, {4, 5, 0}, {5, 2, 0}},
    {{}, {2, 6, 3}, {3, 6, 4}, {4, 6, 5}, {5, 6, 2}},
    {{}, {2, 6, 0}, {3, 6, 0}, {4, 6, 0}, {5, 6, 0}},
};
constexpr std::string_view kFaceLetters = " TFRPLB";

constexpr int StickerCount(int row) { return IsCornerRow(row) ? 3 : 2; }

bool IsMarkerChar(char c) { return c == ' ' || c == '#' || c == ','; }

// A stage marker at record[i]: three marker characters, one of them "#".
bool MarkerAt(std::string_view record, std::size_t i) {
    if (i + 3 > record.size()) return false;
    const std::string_view s = record.substr(i, 3);
    return IsMarkerChar(s[0]) && IsMarkerChar(s[1]) && IsMarkerChar(s[2]) && s.find('#') != std::string_view::npos;
}

int CentreColour(const CTarnexSource& m, int face) { return m.StickerColour(face - 1, 0, 0); }

// The sticker of slot (row, col) that lies on face position face; 0 when none.
int StickerOnFace(int row, int col, int face) {
    for (int k = 0; k < StickerCount(row); ++k)
        if (kSlotFaces[row][col][k] == face) return k + 1;
    return 0;
}

bool AxisOriented(const CTarnexSource& m, int row, int col) {
    const int top = CentreColour(m, 1), bottom = CentreColour(m, 6);
    if (row != 3) {
        const int k = StickerOnFace(row, col, row <= 2 ? 1 : 6);
        const int c = m.StickerColour(row, col, k);
        return c == top || c == bottom;
    }
    const int front = CentreColour(m, 2), back = CentreColour(m, 4);
    const int k = StickerOnFace(row, col, 2) ? StickerOnFace(row, col, 2) : StickerOnFace(row, col, 4);
    const int c = m.StickerColour(row, col, k), other = m.StickerColour(row, col, 3 - k);
    return (c == front || c == back) && other != top && other != bottom;
}

bool LayerPlaced(const CubeState& s, int row, int col) {
    const PieceSlot& p = s.pieces[row][col];
    if (row == 3) return p.homeRow == 3 && p.homeCol == col && p.twist == 0;
    const int refRow = row <= 2 ? 2 : 4;
    const PieceSlot& ref = s.pieces[refRow][1];
    if (ref.homeRow != refRow || p.homeRow != row || p.twist != 0) return false;
    return ((p.homeCol - col) & 3) == ((ref.homeCol - 1) & 3);
}

}  // namespace

const MethodLesson* MethodLessonOf(int method) {
    for (const MethodLesson& m : kMethodLessons)
        if (m.method == method) return &m;
    return nullptr;
}

const StageLesson* StageLessonOf(int method, std::string_view marker) {
    const MethodLesson* m = MethodLessonOf(method);
    if (!m) return nullptr;
    for (const StageLesson& s : m->stages)
        if (s.marker == marker) return &s;
    return nullptr;
}

std::vector<std::string_view> RecordTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSeparatorChar(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsSeparatorChar(text[end])) ++end;
        tokens.push_back(text.substr(i, end - i));
        i = end;
    }
    return tokens;
}

std::vector<RecordStage> SplitRecordStages(std::string_view record, int method) {
    std::vector<RecordStage> stages;
    if (!MethodLessonOf(method) || record.size() < static_cast<std::size_t>(kRecordMovesStart)) return stages;
    std::size_t begin = kRecordMovesStart;
    auto close = [&](std::size_t end, std::string_view marker) {
        const StageLesson* lesson = StageLessonOf(method, marker);
        if (!lesson) return false;
        const std::string_view text = record.substr(begin, end - begin);
        const int moves = static_cast<int>(RecordTokens(text).size());
        std::size_t first = begin;
        while (first < end && IsSeparatorChar(record[first])) ++first;
        if (!stages.empty() && stages.back().lesson == lesson) {
            RecordStage& last = stages.back();
            if (last.moves == 0) last.firstMove = static_cast<int>(first);
            last.end = static_cast<int>(end);
            last.moves += moves;
        } else {
            RecordStage s;
            s.lesson = lesson;
            s.begin = static_cast<int>(begin);
            s.end = static_cast<int>(end);
            s.firstMove = moves > 0 ? static_cast<int>(first) : static_cast<int>(end);
            s.moves = moves;
            stages.push_back(s);
        }
        begin = end;
        return true;
    };
    std::size_t i = begin;
    int depth = 0;
    while (i < record.size()) {
        if (record[i] == '(') ++depth;
        if (record[i] == ')' && depth > 0) --depth;
        if (depth == 0 && MarkerAt(record, i)) {
            if (!close(i + 3, record.substr(i, 3))) return {};
            i += 3;
            continue;
        }
        ++i;
    }
    if (begin < record.size() || stages.empty()) {
        // The part after the last marker; without moves it is no stage of its own.
        const std::string_view rest = record.substr(begin);
        if (!RecordTokens(rest).empty() || stages.empty())
            if (!close(record.size(), "")) return {};
    }
    if (!stages.empty()) stages.back().end = static_cast<int>(record.size());
    return stages;
}

int StageAtPosition(const std::vector<RecordStage>& stages, int pos) {
    int last = -1;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        if (stages[i].moves == 0) continue;
        last = static_cast<int>(i);
        if (pos < stages[i].end) return last;
    }
    return last;
}

bool IsUpright(const CubeState& s) { return s.centres[1] == 1 && s.centres[2] == 2; }

void HoldUpright(CTarnexSource& m) {
    static constexpr std::string_view kTopFrom[7] = {"", "", "FT", "RT", "PT", "LT", "BT"};
    static constexpr std::string_view kFrontFrom[7] = {"", "", "", "RF", "PF", "LF", ""};
    for (int k = 2; k <= 6 && m.cube.centres[1] != 1; ++k)
        if (m.cube.centres[k] == 1) m.ApplyToken(kTopFrom[k]);
    for (int k = 3; k <= 5 && m.cube.centres[2] != 2; ++k)
        if (m.cube.centres[k] == 2) m.ApplyToken(kFrontFrom[k]);
}

bool PieceHolds(const CTarnexSource& m, GoalFrame frame, StagePiece piece) {
    if (frame == GoalFrame::Centres) {
        const int f = piece.slot;
        for (int k = 1; k <= 6; ++k)
            if (m.cube.centres[k] == f) return m.cube.centreTurns[k] == 0;
        return false;
    }
    const int row = piece.slot / 10, col = piece.slot % 10;
    if (row < 1 || row > 5 || col < 1 || col > 4) return false;
    if (frame == GoalFrame::Axis) return AxisOriented(m, row, col);
    const PieceSlot& p = m.cube.pieces[row][col];
    if (piece.goal == PieceGoal::Oriented) return p.homeRow == row && p.twist == 0;
    if (frame == GoalFrame::Layers) return LayerPlaced(m.cube, row, col);
    return p.homeRow == row && p.homeCol == col && p.twist == 0;
}

int PiecesHolding(const CTarnexSource& m, const StageLesson& lesson) {
    int n = 0;
    for (const StagePiece& p : lesson.pieces)
        if (PieceHolds(m, lesson.frame, p)) ++n;
    return n;
}

int PiecesNeeded(const StageLesson& lesson) {
    return lesson.atLeast > 0 ? lesson.atLeast : static_cast<int>(lesson.pieces.size());
}

void LightLessonPieces(const CTarnexSource& m, const StageLesson& lesson, StickerLight light,
                       std::array<StickerLight, 54>& lights) {
    for (const StagePiece& piece : lesson.pieces) {
        if (lesson.frame == GoalFrame::Centres) {
            for (int k = 1; k <= 6; ++k)
                if (m.cube.centres[k] == piece.slot) {
                    const int at = FaceletPlace(0, k);
                    if (at >= 0) lights[static_cast<std::size_t>(at)] = light;
                }
            continue;
        }
        const int homeRow = piece.slot / 10, homeCol = piece.slot % 10;
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) {
                const PieceSlot& p = m.cube.pieces[r][c];
                if (p.homeRow != homeRow || p.homeCol != homeCol) continue;
                for (int k = 1; k <= StickerCount(r); ++k) {
                    const int at = FaceletPlace(r * 10 + c, k);
                    if (at >= 0) lights[static_cast<std::size_t>(at)] = light;
                }
            }
    }
}

std::string SlotName(int slot) {
    if (slot >= 1 && slot <= 6) return std::string(1, kFaceLetters[static_cast<std::size_t>(slot)]);
    const int row = slot / 10, col = slot % 10;
    if (row < 1 || row > 5 || col < 1 || col > 4) return "?";
    std::string name;
    for (int k = 0; k < StickerCount(row); ++k)
        name += kFaceLetters[static_cast<std::size_t>(kSlotFaces[row][col][k])];
    return name;
}

std::string PieceListText(const StageLesson& lesson) {
    std::string out;
    if (lesson.atLeast > 0) out = "any " + std::to_string(lesson.atLeast) + " of ";
    for (std::size_t i = 0; i < lesson.pieces.size(); ++i) {
        if (i > 0) out += ", ";
        out += SlotName(lesson.pieces[i].slot);
        out += lesson.pieces[i].goal == PieceGoal::Placed ? " placed" : " oriented";
    }
    return out;
}

namespace {

// Judges on work held upright, then gives work its cube back.
template <typename F>
auto OnUpright(CTarnexSource& work, F&& judge) {
    if (IsUpright(work.cube)) return judge(work);
    const CubeState kept = work.cube;
    const int turns = work.turnCounter;
    HoldUpright(work);
    auto result = judge(work);
    work.cube = kept;
    work.turnCounter = turns;
    return result;
}

void ApplyTokens(CTarnexSource& work, std::string_view text) {
    for (std::string_view token : RecordTokens(text)) work.ApplyToken(token);
}

// A piece a finished stage promised, with the frame it was judged in.
struct Promise {
    int slot;
    GoalFrame frame;
    PieceGoal goal;
};

}  // namespace

bool CheckStageReplay(CTarnexSource& work, std::string_view record, const CubeState& start, int method,
                      ReplayFault* fault) {
    const std::vector<RecordStage> stages = SplitRecordStages(record, method);
    if (stages.empty()) return false;
    work.cube = start;
    work.moveRecord.Clear();
    work.turnCounter = 0;
    std::vector<Promise> promises;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        const RecordStage& s = stages[i];
        work.moveRecord.Clear();
        ApplyTokens(work, record.substr(static_cast<std::size_t>(s.begin), static_cast<std::size_t>(s.end - s.begin)));
        const StageLesson& lesson = *s.lesson;
        auto fail = [&](int slot, bool kept) {
            if (fault) *fault = ReplayFault{static_cast<int>(i), slot, kept};
            return false;
        };
        // The stage's own pieces: all, or as many as it promises.
        int held = 0;
        int firstMissing = 0;
        for (const StagePiece& p : lesson.pieces) {
            const bool ok = OnUpright(work, [&](CTarnexSource& w) { return PieceHolds(w, lesson.frame, p); });
            if (ok) ++held;
            else if (firstMissing == 0) firstMissing = p.slot;
        }
        if (held < PiecesNeeded(lesson)) return fail(firstMissing, false);
        // Earlier promises not listed again must still hold.
        for (const Promise& pr : promises) {
            bool listed = false;
            for (const StagePiece& p : lesson.pieces) listed = listed || p.slot == pr.slot;
            if (listed) continue;
            const bool ok = OnUpright(work, [&](CTarnexSource& w) { return PieceHolds(w, pr.frame, {pr.slot, pr.goal}); });
            if (!ok) return fail(pr.slot, true);
        }
        // This stage's holding pieces replace the promises on their slots.
        for (const StagePiece& p : lesson.pieces) {
            std::erase_if(promises, [&](const Promise& pr) { return pr.slot == p.slot; });
            const bool ok = OnUpright(work, [&](CTarnexSource& w) { return PieceHolds(w, lesson.frame, p); });
            if (ok) promises.push_back({p.slot, lesson.frame, p.goal});
        }
    }
    return true;
}

bool PracticeGoalHolds(CTarnexSource& work, const CubeState& cube, const StageLesson& lesson,
                       const std::vector<const StageLesson*>& kept) {
    work.cube = cube;
    return OnUpright(work, [&](CTarnexSource& w) {
        if (!StageGoalHolds(w, lesson)) return false;
        for (const StageLesson* k : kept)
            if (!StageGoalHolds(w, *k)) return false;
        return true;
    });
}

namespace {

int RunMethod(CTarnexSource& m, int method) {
    switch (method) {
        case 1: return m.GroupMethod();
        case 2: return m.EightCornerMethod();
        case 3: return m.ShortestMethod();
        case 4: return m.CentreMethod();
        default: return -1;
    }
}

}  // namespace

bool PlanToGoal(CTarnexSource& work, const CubeState& from, int method, const StageLesson& goal,
                const std::vector<const StageLesson*>& kept, std::vector<std::string>& moves) {
    moves.clear();
    work.cube = from;
    work.moveRecord.Clear();
    work.moveRecordFull = false;
    work.turnCounter = 0;
    work.methodIdText.Assign("解法各阶段    ");
    if (RunMethod(work, method) != 1) return false;
    const std::string solution(work.moveRecord.view());
    if (PracticeGoalHolds(work, from, goal, kept)) return true;
    CubeState at = from;
    for (std::string_view token : RecordTokens(solution)) {
        work.cube = at;
        work.moveRecord.Clear();
        work.ApplyToken(token);
        at = work.cube;
        moves.emplace_back(token);
        if (PracticeGoalHolds(work, at, goal, kept)) return true;
    }
    return true;
}

}  // namespace velmora
