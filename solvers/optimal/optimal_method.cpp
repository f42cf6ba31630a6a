// The fewest-turns method: holds the cube upright, reads it into corners and edges and
// plays the search's solution back as face turns. In the window the search runs on a
// worker (deferred): the method then plays the shortest method's solution at once and
// marks the search as pending.
#include <cstring>

#include "model/tarnex_source.h"
#include "solvers/optimal/optimal_search.h"
#include "solvers/optimal/optimal_table_choice.h"
#include "solvers/shortest/two_phase.h"

namespace velmora {
namespace {

void StoreCube(const shortest::CubieCube& c, std::uint8_t* out) {
    std::memcpy(out, c.cp, 8);
    std::memcpy(out + 8, c.co, 8);
    std::memcpy(out + 16, c.ep, 12);
    std::memcpy(out + 28, c.eo, 12);
}

void PlayMoves(CTarnexSource& m, const std::uint8_t* moves, int length) {
    for (int i = 0; i < length; ++i) m.ApplyToken(shortest::MoveToken(moves[i]));
}

void WriteNote(OptimalFigures& f) {
    if (f.proven) f.note.Format("最少 %d 转（已证明）", f.turns);
    else f.note.Format("%d 转（未证明最少，至少 %d 转）", f.turns, f.lowerBound);
}

}  // namespace

int CTarnexSource::OptimalMethod() {
    OptimalFigures& f = optimalFigures;
    f.pending = f.searched = f.proven = false;
    f.note.Clear();
    f.start = startState;
    shortest::HoldCubeUpright(*this);
    shortest::CubieCube c;
    if (cube.centres[1] != 1 || cube.centres[2] != 2 || !shortest::ReadCubie(*this, c)) return -1;
    StoreCube(c, f.cube);

    if (optimalRequest.deferred) {
        shortest::TwoPhaseSolution quick;
        if (!shortest::SolveTwoPhase(c, shortest::kMaxSolutionLength, quick)) return -1;
        PlayMoves(*this, quick.moves, quick.length);
        f.pending = quick.length > 0;
        f.turns = quick.length;
        if (quick.length == 0) {
            f.proven = f.searched = true;
            WriteNote(f);
        }
        methodIdText.AppendFormat("两阶段:%d转    ", quick.length);
        return 1;
    }

    optimal::LoadReport report;
    const optimal::TableSize size = optimal::ChosenTableSize(optimalRequest.tableSize);
    const optimal::PruneTables* tables = optimal::LoadTables(size, optimalRequest.tableProgress, report);
    optimal::DescribeTables(size, optimalRequest.tableSize, report, f.tableStatus);
    if (!tables) {
        statusText.Assign(f.tableStatus.view());
        return -1;
    }
    optimal::SearchControl control;
    control.maxSeconds = optimalRequest.maxSeconds;
    control.threads = optimalRequest.threads;
    optimal::OptimalSolution s;
    if (!optimal::SolveOptimal(c, *tables, control, s)) return -1;
    PlayMoves(*this, s.moves, s.length);
    f.searched = true;
    f.proven = s.proven;
    f.turns = s.length;
    f.lowerBound = s.lowerBound;
    f.positions = s.nodes;
    f.seconds = s.seconds;
    WriteNote(f);
    methodIdText.Append(f.note.view());
    return 1;
}

void CTarnexSource::TakeOptimalSolution(const std::uint8_t* moves, int length, bool proven, int lowerBound,
                                        long long positions, double seconds) {
    OptimalFigures& f = optimalFigures;
    startState = f.start;
    cube = startState;
    char code[kCodeLength + 1];
    WritePositionCode(startState, code);
    moveRecord.Clear();
    moveRecordFull = false;
    turnCounter = 0;
    shortest::HoldCubeUpright(*this);
    PlayMoves(*this, moves, length);
    // The same centre bookkeeping as after any solve (the solve driver's last step).
    int sum = 0;
    for (int k = 1; k <= 6; ++k) sum += cube.centreTurns[k];
    startState.centreTurns[6] = (startState.centreTurns[6] + sum % 2) % 4;
    f.pending = false;
    f.searched = true;
    f.proven = proven;
    f.turns = length;
    f.lowerBound = lowerBound;
    f.positions = positions;
    f.seconds = seconds;
    WriteNote(f);
    methodUsed = 5;
    methodIdText.Assign("解法各阶段    ");
    methodIdText.Append(f.note.view());
    lastSolveResult = 1;
    lastSolveTurns = turnCounter;
    BuildSolutionRecord(code);
    if (turnCounter > 2 && !logPath.empty()) AppendLogRecord();
    StepSolution(0);
}

}  // namespace velmora
