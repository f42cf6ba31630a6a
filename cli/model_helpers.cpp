// The model behind every command: making it with its solve log, and printing and
// checking what it solved.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "cli/commands.h"
#include "model/facelet_string.h"
#include "model/move_notation.h"
#include "model/move_text_scan.h"
#include "model/shown_text.h"

namespace velmora::cli {

std::unique_ptr<CTarnexSource> NewModel(CliUser& user, const std::string& logFile) {
    auto m = std::make_unique<CTarnexSource>();
    m->user = &user;
    m->InitCubeModel();
    if (!logFile.empty()) {
        m->logPath.Assign(logFile);
        // The log given on the command line is appended to, never emptied.
        if (m->logPath.size() != logFile.size() || !m->OpenLogForAppend()) {
            struct stat st;
            if (::stat(logFile.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
                std::fprintf(stderr, "velmora-cli: %s is not a regular file\n", logFile.c_str());
            std::fprintf(stderr, "velmora-cli: cannot create the solve log %s\n", logFile.c_str());
            return nullptr;
        }
    }
    return m;
}

int MethodNumber(const std::string& name) {
    return name == "eight-corner" ? 2 : name == "shortest" ? 3 : name == "optimal" ? 5 : 1;
}

bool PositionSolved(const CubeState& s) {
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c) {
            const PieceSlot& p = s.pieces[r][c];
            if (p.homeRow != r || p.homeCol != c || p.twist != 0) return false;
        }
    for (int k = 1; k <= 6; ++k)
        if (s.centres[k] != k) return false;
    return true;
}

bool ReplayRestores(CTarnexSource& m, bool centresOnly) {
    CubeState saved = m.cube;
    int savedCounter = m.turnCounter;
    m.cube = m.startState;
    m.moveRecord.Clear();
    m.RunMoveString(0, m.SolutionRecord.view().substr(kRecordMovesStart));
    bool ok = true;
    if (centresOnly) {
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) {
                const PieceSlot& now = m.cube.pieces[r][c];
                const PieceSlot& was = m.startState.pieces[r][c];
                ok = ok && now.homeRow == was.homeRow && now.homeCol == was.homeCol && now.twist == was.twist;
            }
        for (int k = 1; k <= 6; ++k) ok = ok && m.cube.centres[k] == m.startState.centres[k];
        for (int k = 1; k <= 5; ++k) ok = ok && m.cube.centreTurns[k] == 0;
        ok = ok && (m.cube.centreTurns[6] == 0 || m.cube.centreTurns[6] == 1);
    } else {
        // Every face one colour, whichever way the cube is held.
        char facelets[kFaceletCount + 1];
        WriteFaceletString(m, true, facelets);
        ok = std::string_view(facelets) == "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
    }
    m.cube = saved;
    m.moveRecord.Clear();
    m.turnCounter = savedCounter;
    return ok;
}

void PrintSolution(const CTarnexSource& m, bool restorable) {
    char facelets[55], colours[55];
    WriteStartFacelets(m, facelets, colours);
    std::printf("start: %.72s\n", m.SolutionRecord.c_str());
    std::printf("facelets: %s\n", facelets);
    std::printf("colours: %s\n", colours);
    std::printf("record: %s\n", m.SolutionRecord.c_str());
    std::printf("method: %d\n", m.methodUsed);
    std::printf("result: %d\n", restorable ? m.lastSolveResult : 0);
    std::printf("turns: %d\n", m.lastSolveTurns);
    std::printf("ids: %s\n", m.methodIdText.c_str());
    std::printf("international: %s\n", SolutionInInternational(m.SolutionRecord.view()).c_str());
    PrintSteppedPosition(m);
    if (m.methodUsed == 5) PrintOptimalFigures(m);
}

namespace {

// Assembly check scores from this one on mean a piece missing or doubled.
constexpr int kPartsErrorScore = 100000;

// The assembly check of the start position of the last solve.
int StartAssembly(CTarnexSource& m) {
    const CubeState live = m.cube;
    m.cube = m.startState;
    const int score = m.CheckAssembly();
    m.cube = live;
    return score;
}

const char* MethodName(int method) {
    switch (method) {
        case 0: return "the lettering pattern's fixed solution";
        case 1: return "group";
        case 2: return "eight-corner";
        case 3: return "shortest";
        case 4: return "centre orientation";
        case 5: return "optimal";
        default: return "unknown";
    }
}

// Says on standard error why the method that ran is not the one asked for.
void SayMethodSwitch(const CTarnexSource& m, const CommandOptions& opt, int score) {
    const int asked = opt.centres ? 4 : MethodNumber(opt.method);
    if (m.methodUsed == asked) return;
    const char* why = score > 0 ? "the position cannot be restored, only brought to an orderly pattern"
                      : m.methodUsed == 0 ? "the position is the lettering pattern, which has a fixed solution"
                                          : "the solve driver chose it";
    std::fprintf(stderr, "velmora-cli: method %d (%s) ran instead of %d (%s): %s\n", m.methodUsed,
                 MethodName(m.methodUsed), asked, MethodName(asked), why);
}

}  // namespace

bool StartRestorable(CTarnexSource& m) { return StartAssembly(m) == 0; }

int ReportPartsError() {
    std::printf("result: -1\n");
    std::printf("unsolvable: parts\n");
    return 1;
}

int ReportSolution(CTarnexSource& m, const CommandOptions& opt) {
    const int score = StartAssembly(m);
    if (score >= kPartsErrorScore) return ReportPartsError();
    SayMethodSwitch(m, opt, score);
    if (m.solutionTruncated)
        std::fprintf(stderr, "velmora-cli: the solution is longer than the record holds; the record is cut\n");
    PrintSolution(m, score == 0);
    if (score != 0) {
        std::printf("unsolvable: assembly\n");
        return 1;
    }
    if (m.lastSolveResult != 1) return 1;
    if (!ReplayRestores(m, opt.centres)) {
        std::fprintf(stderr, "velmora-cli: the solution printed does not restore the position\n");
        return 1;
    }
    return 0;
}

int FinishWithLog(const CTarnexSource& m, int exitCode) {
    if (!m.logWriteFailed) return exitCode;
    std::fprintf(stderr, "velmora-cli: cannot write the solve log %s\n", m.logPath.c_str());
    return 2;
}

bool MoveTextUsable(const CTarnexSource& m, std::string_view text, bool leadingMerge, const char* what) {
    if (const std::size_t at = FindForbiddenControl(text); at != std::string_view::npos) {
        std::fprintf(stderr, "velmora-cli: %s: control character %s at character %d\n", what,
                     ShownText(text.substr(at, 1)).c_str(), CharacterPlace(text, at));
        return false;
    }
    int shown = 0, more = 0;
    int acted = ScanMoveText(m, text, leadingMerge, [&](std::string_view token) {
        if (shown < kMaxSkippedShown) {
            ++shown;
            std::fprintf(stderr, "velmora-cli: warning: %s: skipped '%s'\n", what, ShownText(token).c_str());
        } else {
            ++more;
        }
    });
    if (more > 0) std::fprintf(stderr, "velmora-cli: warning: %s: %d more tokens skipped\n", what, more);
    if (acted > 0) return true;
    std::fprintf(stderr, "velmora-cli: %s: no move recognised\n", what);
    return false;
}

bool MovesHeld(bool recordFull, const char* what) {
    if (!recordFull) return true;
    std::fprintf(stderr,
                 "velmora-cli: %s: more moves than the move record holds (%d characters, %d face turns); "
                 "nothing was run\n",
                 what, kRecordCapacity, kRecordCapacity / 3);
    return false;
}

void WriteStartFacelets(const CTarnexSource& m, char facelets[55], char colours[55]) {
    // The facelet lines describe the position the solution starts from, as the start
    // line does, also when the demonstration has moved the cube on.
    auto start = std::make_unique<CTarnexSource>(m);
    start->cube = m.startState;
    WriteFaceletString(*start, true, facelets);
    WriteFaceletString(*start, false, colours);
}

void PrintSteppedPosition(const CTarnexSource& m) {
    char now[kCodeLength + 1], start[kCodeLength + 1];
    CTarnexSource::WritePositionCode(m.cube, now);
    CTarnexSource::WritePositionCode(m.startState, start);
    if (std::strcmp(now, start) != 0) std::printf("stepped: %s\n", now);
}

}  // namespace velmora::cli
