// The model behind every command: making it with its solve log, and printing and
// checking what it solved.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "model/facelet_string.h"
#include "model/move_notation.h"
#include "model/move_text_scan.h"

namespace velmora::cli {

std::unique_ptr<CTarnexSource> NewModel(CliUser& user, const std::string& logFile) {
    auto m = std::make_unique<CTarnexSource>();
    m->user = &user;
    m->InitCubeModel();
    if (!logFile.empty()) {
        m->logPath.Assign(logFile);
        // The log given on the command line is appended to, never emptied.
        if (m->logPath.size() != logFile.size() || !m->OpenLogForAppend()) {
            std::fprintf(stderr, "velmora-cli: cannot create the solve log %s\n", logFile.c_str());
            return nullptr;
        }
    }
    return m;
}

int MethodNumber(const std::string& name) {
    return name == "eight-corner" ? 2 : name == "shortest" ? 3 : 1;
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

bool ReplayRestores(CTarnexSource& m, bool centresToo) {
    CubeState saved = m.cube;
    int savedCounter = m.turnCounter;
    m.cube = m.startState;
    m.moveRecord.Clear();
    m.RunMoveString(0, m.SolutionRecord.view().substr(kRecordMovesStart));
    bool ok = PositionSolved(m.cube);
    if (centresToo) {
        for (int k = 1; k <= 5; ++k) ok = ok && m.cube.centreTurns[k] == 0;
        ok = ok && (m.cube.centreTurns[6] == 0 || m.cube.centreTurns[6] == 1);
    }
    m.cube = saved;
    m.moveRecord.Clear();
    m.turnCounter = savedCounter;
    return ok;
}

void PrintSolution(const CTarnexSource& m) {
    char facelets[55], colours[55];
    WriteStartFacelets(m, facelets, colours);
    std::printf("start: %.72s\n", m.SolutionRecord.c_str());
    std::printf("facelets: %s\n", facelets);
    std::printf("colours: %s\n", colours);
    std::printf("record: %s\n", m.SolutionRecord.c_str());
    std::printf("method: %d\n", m.methodUsed);
    std::printf("result: %d\n", m.lastSolveResult);
    std::printf("turns: %d\n", m.lastSolveTurns);
    std::printf("ids: %s\n", m.methodIdText.c_str());
    std::printf("international: %s\n", SolutionInInternational(m.SolutionRecord.view()).c_str());
    PrintSteppedPosition(m);
}

int FinishWithLog(const CTarnexSource& m, int exitCode) {
    if (!m.logWriteFailed) return exitCode;
    std::fprintf(stderr, "velmora-cli: cannot write the solve log %s\n", m.logPath.c_str());
    return 2;
}

bool MoveTextUsable(const CTarnexSource& m, std::string_view text, bool leadingMerge, const char* what) {
    int shown = 0, more = 0;
    int acted = ScanMoveText(m, text, leadingMerge, [&](std::string_view token) {
        if (shown < kMaxSkippedShown) {
            ++shown;
            std::fprintf(stderr, "velmora-cli: warning: %s: skipped '%.*s'\n", what,
                         static_cast<int>(token.size()), token.data());
        } else {
            ++more;
        }
    });
    if (more > 0) std::fprintf(stderr, "velmora-cli: warning: %s: %d more tokens skipped\n", what, more);
    if (acted > 0) return true;
    std::fprintf(stderr, "velmora-cli: %s: no move recognised\n", what);
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
