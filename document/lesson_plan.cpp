// Learn mode's reading of a solution record: stages, piece goals, lights and the
// replay check.
#include "document/lesson_plan.h"

#include <algorithm>

#include "model/facelet_string.h"
#include "solvers/centre/centre_lessons.h"
#include "solvers/eightcorner/ec_last_upper_edge.h"
#include "solvers/eightcorner/ec_middle_edges.h"
#include "solvers/group/group_cases.h"
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

// The two faces at the ends of each axis (0 top-bottom, 1 right-left, 2 front-back),
// and the pair whose colours decide the middle-layer edges of that axis.
constexpr int kAxisPoles[3][2] = {{1, 6}, {3, 5}, {2, 4}};
constexpr int kAxisReference[3][2] = {{2, 4}, {1, 6}, {1, 6}};

bool AxisOriented(const CTarnexSource& m, int row, int col, int axis) {
    const int* poles = kAxisPoles[axis];
    const int* refs = kAxisReference[axis];
    const int p0 = CentreColour(m, poles[0]), p1 = CentreColour(m, poles[1]);
    for (int face : {poles[0], poles[1]}) {
        if (const int k = StickerOnFace(row, col, face)) {
            const int c = m.StickerColour(row, col, k);
            return c == p0 || c == p1;
        }
    }
    // A middle-layer edge of this axis.
    const int r0 = CentreColour(m, refs[0]), r1 = CentreColour(m, refs[1]);
    const int k = StickerOnFace(row, col, refs[0]) ? StickerOnFace(row, col, refs[0]) : StickerOnFace(row, col, refs[1]);
    if (k == 0) return false;
    const int c = m.StickerColour(row, col, k), other = m.StickerColour(row, col, 3 - k);
    return (c == r0 || c == r1) && other != p0 && other != p1;
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

bool PieceHolds(const CTarnexSource& m, GoalFrame frame, StagePiece piece, int axis) {
    if (frame == GoalFrame::Centres) {
        const int f = piece.slot;
        for (int k = 1; k <= 6; ++k)
            if (m.cube.centres[k] == f) return m.cube.centreTurns[k] == 0;
        return false;
    }
    const int row = piece.slot / 10, col = piece.slot % 10;
    if (row < 1 || row > 5 || col < 1 || col > 4) return false;
    if (frame == GoalFrame::Axis) return AxisOriented(m, row, col, axis >= 0 && axis < 3 ? axis : 0);
    const PieceSlot& p = m.cube.pieces[row][col];
    if (piece.goal == PieceGoal::Oriented) return p.homeRow == row && p.twist == 0;
    if (frame == GoalFrame::Layers) return LayerPlaced(m.cube, row, col);
    return p.homeRow == row && p.homeCol == col && p.twist == 0;
}

int PiecesHolding(const CTarnexSource& m, const StageLesson& lesson, int axis) {
    int n = 0;
    for (const StagePiece& p : lesson.pieces)
        if (PieceHolds(m, lesson.frame, p, axis)) ++n;
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

// What a finished stage promised: one piece, or (for a stage that chooses its pieces)
// that at least `count` of its pieces hold.
struct Promise {
    const StageLesson* lesson;
    int slot;  // 0 for a count over the lesson's pieces
    PieceGoal goal;
    int count;
    int axis;
};

bool PromiseHolds(CTarnexSource& work, const Promise& pr) {
    return OnUpright(work, [&](CTarnexSource& w) {
        if (pr.slot != 0) return PieceHolds(w, pr.lesson->frame, {pr.slot, pr.goal}, pr.axis);
        return PiecesHolding(w, *pr.lesson, pr.axis) >= pr.count;
    });
}

bool Lists(const StageLesson& lesson, int slot) {
    for (const StagePiece& p : lesson.pieces)
        if (p.slot == slot) return true;
    return false;
}

// The lesson lists a piece the promise covers.
bool ListsAnyOf(const StageLesson& lesson, const Promise& pr) {
    if (pr.slot != 0) return Lists(lesson, pr.slot);
    for (const StagePiece& p : pr.lesson->pieces)
        if (Lists(lesson, p.slot)) return true;
    return false;
}

// The record replayed from start up to record index end, on work.
void ReplayTo(CTarnexSource& work, std::string_view record, const CubeState& start, int end) {
    work.cube = start;
    work.moveRecord.Clear();
    ApplyTokens(work, record.substr(kRecordMovesStart, static_cast<std::size_t>(end - kRecordMovesStart)));
}

}  // namespace

std::vector<RecordStage> ReadRecordStages(CTarnexSource& work, std::string_view record, const CubeState& start,
                                          int method) {
    std::vector<RecordStage> stages = SplitRecordStages(record, method);
    for (std::size_t i = 0; i < stages.size(); ++i) {
        if (stages[i].lesson->frame != GoalFrame::Axis) continue;
        ReplayTo(work, record, start, stages[i].end);
        const StageLesson& lesson = *stages[i].lesson;
        int axis = -1;
        for (int a = 0; a < 3 && axis < 0; ++a)
            if (OnUpright(work, [&](CTarnexSource& w) { return PiecesHolding(w, lesson, a); }) ==
                static_cast<int>(lesson.pieces.size()))
                axis = a;
        if (axis >= 0 || i + 1 >= stages.size()) {
            stages[i].axis = axis < 0 ? 0 : axis;
            continue;
        }
        // The moves before the marker reach no axis's orientation (the search met its
        // two phases from the solved end): they are one stage with the next.
        RecordStage& next = stages[i + 1];
        next.begin = stages[i].begin;
        if (stages[i].moves > 0) next.firstMove = stages[i].firstMove;
        next.moves += stages[i].moves;
        stages.erase(stages.begin() + static_cast<std::ptrdiff_t>(i));
        --i;
    }
    return stages;
}

bool RecordReachesLastGoal(CTarnexSource& work, std::string_view record, const CubeState& start,
                           const std::vector<RecordStage>& stages) {
    if (stages.empty()) return false;
    ReplayTo(work, record, start, static_cast<int>(record.size()));
    const RecordStage& last = stages.back();
    return OnUpright(work, [&](CTarnexSource& w) { return StageGoalHolds(w, *last.lesson, last.axis); });
}

std::vector<RecordStage> StagesHomeBefore(CTarnexSource& work, std::string_view record, const CubeState& start,
                                          int method, const std::vector<RecordStage>& stages, int index) {
    std::vector<RecordStage> home(stages.begin(), stages.begin() + index);
    const MethodLesson* lessons = MethodLessonOf(method);
    if (!lessons || index < 0 || index >= static_cast<int>(stages.size())) return home;
    const StageLesson* current = stages[static_cast<std::size_t>(index)].lesson;
    ReplayTo(work, record, start, stages[static_cast<std::size_t>(index)].begin);
    for (const StageLesson& lesson : lessons->stages) {
        if (&lesson == current) break;
        if (lesson.frame == GoalFrame::Axis) continue;
        bool inRecord = false;
        for (const RecordStage& s : stages) inRecord = inRecord || s.lesson == &lesson;
        if (inRecord) continue;
        if (!OnUpright(work, [&](CTarnexSource& w) { return StageGoalHolds(w, lesson); })) continue;
        RecordStage held;
        held.lesson = &lesson;
        home.push_back(held);
    }
    return home;
}

bool CheckStageReplay(CTarnexSource& work, std::string_view record, const CubeState& start, int method,
                      ReplayFault* fault) {
    const std::vector<RecordStage> stages = ReadRecordStages(work, record, start, method);
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
            const bool ok = OnUpright(work, [&](CTarnexSource& w) { return PieceHolds(w, lesson.frame, p, s.axis); });
            if (ok) ++held;
            else if (firstMissing == 0) firstMissing = p.slot;
        }
        if (held < PiecesNeeded(lesson)) return fail(firstMissing, false);
        // Earlier promises on pieces not listed again must still hold.
        for (const Promise& pr : promises) {
            if (ListsAnyOf(lesson, pr)) continue;
            if (!PromiseHolds(work, pr)) return fail(pr.slot != 0 ? pr.slot : pr.lesson->pieces[0].slot, true);
        }
        // This stage's promises replace those on the pieces it lists.
        std::erase_if(promises, [&](const Promise& pr) { return ListsAnyOf(lesson, pr); });
        if (lesson.atLeast > 0)
            promises.push_back({&lesson, 0, PieceGoal::Placed, lesson.atLeast, s.axis});
        else
            for (const StagePiece& p : lesson.pieces) promises.push_back({&lesson, p.slot, p.goal, 0, s.axis});
    }
    return true;
}

bool PracticeGoalHolds(CTarnexSource& work, const CubeState& cube, const RecordStage& stage,
                       const std::vector<RecordStage>& kept) {
    work.cube = cube;
    return OnUpright(work, [&](CTarnexSource& w) {
        if (!StageGoalHolds(w, *stage.lesson, stage.axis)) return false;
        for (const RecordStage& k : kept)
            if (!StageGoalHolds(w, *k.lesson, k.axis)) return false;
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

bool PlanToGoal(CTarnexSource& work, const CubeState& from, int method, const RecordStage& goal,
                const std::vector<RecordStage>& kept, std::vector<std::string>& moves) {
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

namespace {

// One row of a case table: its case number and its moves.
struct CaseRow {
    int number;
    std::string_view formula;
};

// The rows of the table of a method's stage, and the words for them.
std::vector<CaseRow> CaseRowsOf(int method, std::string_view marker, std::string_view& does) {
    std::vector<CaseRow> rows;
    if (method == 1 && marker == ",# ") {
        does = group::kBottomCornerFormulaDoes;
        for (const auto& r : group::BottomCornerFormulas()) rows.push_back({r.caseNumber, r.formula});
    } else if (method == 1 && marker == "") {
        does = group::kBottomEdgeFormulaDoes;
        for (const auto& r : group::BottomEdgeFormulas()) rows.push_back({r.caseNumber, r.formula});
    } else if (method == 1 && marker == "# #") {
        does = group::kEdgeTwistFormulaDoes;
        for (const auto& r : group::EdgeTwistFormulas()) rows.push_back({r.caseNumber, r.formula});
    } else if (method == 1 && marker == "###") {
        does = group::kCornerTwistFormulaDoes;
        for (const auto& r : group::CornerTwistFormulas()) rows.push_back({r.caseNumber, r.formula});
    } else if (method == 2 && marker == " ##") {
        does = ec::kLastUpperEdgeFormulaDoes;
        for (const auto& r : last_upper_edge::kFormulas) rows.push_back({r.key, r.formula});
    } else if (method == 2 && marker == "") {
        does = ec::kMiddleEdgeFormulaDoes;
        for (const auto& r : middle_edges::kFormulas) rows.push_back({r.key, r.formula});
    }
    return rows;
}

// Whether the formula's tokens stand in tokens from `at`: a leading top move may carry
// the turns merged into it (or vanish when they cancel it).
int MatchLength(const std::vector<std::string_view>& tokens, std::size_t at, const std::vector<std::string_view>& f) {
    if (f.empty()) return 0;
    std::size_t from = 0;
    if (at < tokens.size() && tokens[at] != f[0]) {
        if (f[0].empty() || f[0][0] != 'T') return 0;
        if (!tokens[at].empty() && tokens[at][0] == 'T') {
            ++at;
        }
        from = 1;
    }
    for (std::size_t k = from; k < f.size(); ++k, ++at)
        if (at >= tokens.size() || tokens[at] != f[k]) return 0;
    return static_cast<int>(f.size());
}

}  // namespace

std::string FormulaAt(int method, std::string_view record, const RecordStage& stage, int pos) {
    std::string_view does;
    const std::vector<CaseRow> rows = CaseRowsOf(method, stage.lesson->marker, does);
    if (rows.empty()) return {};
    // The stage's tokens with the record index of each.
    std::vector<std::string_view> tokens;
    std::vector<int> places;
    const std::string_view text = record.substr(static_cast<std::size_t>(stage.begin),
                                                static_cast<std::size_t>(stage.end - stage.begin));
    for (std::string_view t : RecordTokens(text)) {
        tokens.push_back(t);
        places.push_back(static_cast<int>(t.data() - record.data()));
    }
    for (const CaseRow& row : rows) {
        const std::vector<std::string_view> f = RecordTokens(row.formula);
        for (std::size_t at = 0; at < tokens.size(); ++at) {
            const int n = MatchLength(tokens, at, f);
            if (n == 0) continue;
            // The formula covers the tokens from at on; its last token ends the span.
            const std::size_t last = std::min(tokens.size() - 1, at + static_cast<std::size_t>(n) - 1);
            if (pos < places[at] || pos > places[last]) continue;
            FixedText<511> out;
            out.Format(std::string(does).c_str(), row.number);
            return std::string(out.view());
        }
    }
    return {};
}

}  // namespace velmora
