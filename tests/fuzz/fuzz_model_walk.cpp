// A random walk over the model's operations. After every step: a legal position
// scores 0, and the solution record replays from its start to the position reached.
#include <cstring>
#include <string_view>

#include "fuzz/fuzz_support.h"

using namespace velmora;

namespace {

constexpr std::string_view kTurns[18] = {"T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
                                         "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};

bool SameCube(const CubeState& a, const CubeState& b) {
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c)
            if (a.pieces[r][c].homeRow != b.pieces[r][c].homeRow ||
                a.pieces[r][c].homeCol != b.pieces[r][c].homeCol ||
                a.pieces[r][c].twist != b.pieces[r][c].twist)
                return false;
    for (int k = 1; k <= 6; ++k)
        if (a.centres[k] != b.centres[k] || a.centreTurns[k] != b.centreTurns[k]) return false;
    return true;
}

// Replays the record up to the demonstration point on a second model.
bool ReplayReaches(const CTarnexSource& m) {
    static CTarnexSource* shadow = [] {
        auto* s = new CTarnexSource();
        s->InitCubeModel();
        return s;
    }();
    if (m.SolutionRecord.size() < static_cast<std::size_t>(kRecordMovesStart)) return true;
    shadow->cube = m.startState;
    shadow->moveRecord.Clear();
    std::string_view moves = m.SolutionRecord.view().substr(
        kRecordMovesStart, static_cast<std::size_t>(m.demoPos - kRecordMovesStart));
    shadow->RunMoveString(0, moves);
    return SameCube(shadow->cube, m.cube);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteUser user;
    CTarnexSource& m = fuzz::Model(user);
    m.ResetCube();
    m.centreOnlyMode = 0;
    m.autoDemoCount = 0;
    m.SeedRandom(size ? data[0] : 0);
    m.ExecuteAndSolve();
    bool legal = true;  // every operation here keeps a legal cube
    std::size_t i = 0;
    while (i < size && i < 64) {
        std::uint8_t op = data[i++];
        std::uint8_t arg = i < size ? data[i++] : 0;
        switch (op % 8) {
            case 0: {  // a few face turns, then solve
                for (int k = 0; k <= arg % 8; ++k) m.ApplyToken(kTurns[(arg + 7 * k) % 18]);
                m.methodChoice = 1 + (arg & 1);
                m.ExecuteAndSolve();
                break;
            }
            case 1: m.StepSolution(1); break;
            case 2: m.StepSolution(-1); break;
            case 3: m.StepSolution(0); break;
            case 4: m.Scramble(1 + arg % 4); if (arg % 4 == 3) m.ExecuteAndSolve(); break;
            case 5: m.centreOnlyMode = arg & 1; m.ExecuteAndSolve(); break;
            case 6: m.autoDemoCount = arg & 1; break;
            case 7: {
                m.ApplyToken(arg & 1 ? "TF" : "FR");
                m.methodChoice = 1 + (arg & 2 ? 1 : 0);
                m.ExecuteAndSolve();
                break;
            }
        }
        if (legal) fuzz::Require(m.CheckAssembly() == 0);
        fuzz::Require(m.demoPos >= kRecordMovesStart && m.demoPos <= static_cast<int>(m.SolutionRecord.size()));
        fuzz::Require(ReplayReaches(m));
    }
    return 0;
}
