// The centre-orientation method: turns the six centres back to their upright
// orientation and leaves every corner and edge where and how it was.
//
// Phases 1 and 2 use conjugates "X+;Y-;Z?;X-;Y+;" (two opposite faces a quarter turn
// each way, the middle face, the opposite faces back): each turns the centre of Z by
// the middle turn and moves some pieces as a side effect. The paired turns of two
// opposite faces between them line the side effects up so that the last conjugate of
// the phase undoes them. Phase 3 uses long sequences that leave the pieces unchanged.
// A bottom centre left a quarter turn off cannot be helped (the total of the centre
// turns keeps its parity) and counts as success.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/centre/centre_formulas.h"

namespace velmora {
namespace {

using namespace centre;

enum Face { kT = 1, kF = 2, kR = 3, kP = 4, kL = 5, kB = 6 };
enum class Mark { None, Front, Right, Back };

int Tw(const CTarnexSource& m, int face) { return m.cube.centreTurns[face]; }

void Pair(CTarnexSource& m, std::string_view first, std::string_view second) {
    m.ApplyToken(first);
    m.ApplyToken(second);
}

// Runs the formula for turn 1-3; turn 0 runs nothing.
void RunByTurn(CTarnexSource& m, const ByTurn& table, int turn) {
    if (turn >= 1 && turn <= 3) m.RunMoveString(0, table[static_cast<std::size_t>(turn - 1)]);
}

void PhaseFrontRightBack(CTarnexSource& m) {
    const int t0 = Tw(m, kT);
    int acc = 0;
    Mark mark = Mark::None;

    if (Tw(m, kF) == 2 && Tw(m, kP) == 2) m.RunMoveString(0, kFrontBackHalf);

    if (Tw(m, kF) != 0) {
        mark = Mark::Front;
        int t = Tw(m, kF);
        RunByTurn(m, kPhase1Front, t);
        acc = 4 - t;
    }
    if (Tw(m, kR) != 0) {
        if (mark == Mark::Front) Pair(m, "T-", "B+");
        mark = Mark::Right;
        int t = Tw(m, kR);
        RunByTurn(m, kPhase1Right, t);
        acc += 4 - t;
    }
    if (Tw(m, kP) != 0) {
        if (mark == Mark::Front) Pair(m, "T*", "B*");
        else if (mark == Mark::Right) Pair(m, "T-", "B+");
        mark = Mark::Back;
        int t = Tw(m, kP);
        RunByTurn(m, kPhase1Back, t);
        acc += 4 - t;
    }
    acc %= 4;
    if (acc != 0) {
        if (mark == Mark::Front) Pair(m, "T+", "B-");
        else if (mark == Mark::Right) Pair(m, "T*", "B*");
        else if (mark == Mark::Back) Pair(m, "T-", "B+");
        RunByTurn(m, kPhase1Left, acc);
    }
    // Undo the net turn that the paired turns gave the top.
    int t = (Tw(m, kT) - t0 + 16) % 4;
    if (t != 0) {
        const PairTurn& p = kTopBottomBack[static_cast<std::size_t>(t - 1)];
        Pair(m, p.first, p.second);
    }
}

void PhaseTopLeft(CTarnexSource& m) {
    if (Tw(m, kT) == 0 || Tw(m, kL) == 0) return;
    const int f0 = Tw(m, kF);
    int top = Tw(m, kT);
    RunByTurn(m, kPhase2Top, top);
    int acc2 = 4 - top;
    Pair(m, "P+", "F-");
    int left = Tw(m, kL);
    RunByTurn(m, kPhase2Left, left);
    if (left != 0) acc2 += 4 - left;
    Pair(m, "P+", "F-");
    RunByTurn(m, kPhase2Bottom, acc2 % 4);
    int u = (Tw(m, kF) - f0 + 16) % 4;
    if (u != 0) {
        const PairTurn& p = kBackFrontBack[static_cast<std::size_t>(u - 1)];
        Pair(m, p.first, p.second);
    }
}

void PhaseRemaining(CTarnexSource& m) {
    int left = Tw(m, kL);
    if (left >= 1 && left <= 3) {
        const LeftRow& row = kPhase3Left[static_cast<std::size_t>(left - 1)];
        m.RunMoveString(0, Tw(m, kT) == 0 ? row.topUpright : row.topOff);
    }
    switch (Tw(m, kT)) {
        case 1: m.RunMoveString(0, kPhase3TopQuarter); break;
        case 2:
            m.RunMoveString(0, Tw(m, kB) <= 1 ? kPhase3TopHalfBottomLow : kPhase3TopHalfBottomHigh);
            break;
        case 3: m.RunMoveString(0, kPhase3TopThreeQuarters); break;
        default: break;
    }
    if (Tw(m, kB) == 2 || Tw(m, kB) == 3) m.RunMoveString(0, kPhase3BottomHalf);
}

}  // namespace

int CTarnexSource::CentreMethod() {
    methodIdText.AppendFormat("第8阶段ID:%d%d%d%d%d%d    ", Tw(*this, kT), Tw(*this, kF),
                              Tw(*this, kR), Tw(*this, kP), Tw(*this, kL), Tw(*this, kB));
    PhaseFrontRightBack(*this);
    PhaseTopLeft(*this);
    moveRecord.Append("#  ");
    PhaseRemaining(*this);
    for (int face = kT; face <= kL; ++face)
        if (Tw(*this, face) != 0) return -1;
    return Tw(*this, kB) >= 2 ? -1 : 1;
}

}  // namespace velmora
