#pragma once
// What the fewest-turns method (solvers/optimal) is asked to do, and what it found.
#include <cstdint>
#include <functional>

#include "model/cube_state.h"
#include "model/fixed_text.h"

namespace velmora {

struct OptimalRequest {
    // Set by the window: the method plays the shortest method's solution at once and
    // leaves the search to the window's worker (pending below); otherwise it searches
    // in place.
    bool deferred = false;
    double maxSeconds = 0;  // 0: no limit
    int tableSize = -1;     // -1: chosen by the machine's memory; 0 small; 1 large
    int threads = 2;
    // Progress of a table build (share 0-1); false cancels. Unset: no progress shown.
    std::function<bool(double share, const char* what)> tableProgress;
};

struct OptimalFigures {
    // Deferred: a search for `start` is still to be run.
    bool pending = false;
    // The record holds the search's solution (proven or the best within the limit).
    bool searched = false;
    bool proven = false;
    int turns = 0;
    int lowerBound = 0;  // no solution is shorter
    long long positions = 0;
    double seconds = 0;
    // The position as the search sees it: corner places and twists, edge places and
    // flips (8 + 8 + 12 + 12), of the upright start.
    std::uint8_t cube[40] = {};
    // The start position before the solve driver's centre adjustment.
    CubeState start{};
    // "最少 n 转（已证明）" once proven; what the solution pane shows beside the method.
    FixedText<127> note;
    // Which table the search used, and a smaller table on a small machine.
    FixedText<255> tableStatus;
};

}  // namespace velmora
