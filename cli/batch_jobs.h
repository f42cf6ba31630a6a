#pragma once
// The solving pass of batch on several threads. The positions are dealt on the calling
// thread in the order one thread would deal them, solved by the workers in blocks, and
// handed back in the order of the deals, so that every figure but the timings is the
// same for any number of threads.
#include <functional>
#include <random>
#include <string_view>

#include "cli/commands.h"

namespace velmora::cli {

// Largest --jobs of batch.
inline constexpr int kMaxJobs = 256;

// The outcome of one position, as the worker that solved it saw it.
struct BatchOutcome {
    bool ok = false;          // solved, and the solution replays to the solved cube
    int turns = 0;            // turns of the solution (lastSolveTurns)
    double micros = 0;        // the solve alone, in microseconds
    std::string_view record;  // the solution record: its start code; whole when records are kept
    // The fewest-turns method: every shorter length ruled out, and positions searched.
    bool proven = false;
    long long positions = 0;
    int lowerBound = 0;  // not proven: no solution is shorter
};

// The threads batch uses without --jobs: one per core.
int DefaultJobs();

// Deals opt.count positions with dealer (by kind when opt.kindGiven, its own generator)
// or rng (opt.movesPerPosition random face turns), solves them with opt.method on jobs
// threads and calls take for each in the order of the deals. keepRecords: the whole
// solution record is handed over (for the solve log), not only its start code.
void SolveBatch(const CommandOptions& opt, CTarnexSource& dealer, std::mt19937& rng, int jobs, bool keepRecords,
                const std::function<void(const BatchOutcome&)>& take);

}  // namespace velmora::cli
