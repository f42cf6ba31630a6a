#pragma once
// The fewest-turns search on a worker thread, for the window: it loads (or builds) the
// pruning tables and searches one position while the window goes on; the document
// looks at its progress from a timer and takes the result when it is there.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "model/fixed_text.h"
#include "solvers/optimal/optimal_search.h"

namespace velmora {

class OptimalRunner {
public:
    enum class Phase { Idle, Tables, Searching, Finished };

    struct Progress {
        Phase phase = Phase::Idle;
        double tableShare = 0;  // while building the tables
        int depth = 0;          // the length being searched
        long long positions = 0;
        double seconds = 0;
    };

    struct Result {
        bool ok = false;         // a solution is in moves
        bool cancelled = false;  // stopped before the end (cancel, or the tables were not built)
        bool proven = false;
        std::uint8_t moves[32] = {};
        int length = 0;
        int lowerBound = 0;
        long long positions = 0;
        double seconds = 0;
        FixedText<255> tableStatus;
    };

    OptimalRunner() = default;
    OptimalRunner(const OptimalRunner&) = delete;
    OptimalRunner& operator=(const OptimalRunner&) = delete;
    ~OptimalRunner();

    // Starts a search for the cube (40 bytes, OptimalFigures::cube) whose record starts
    // with startCode; a search still running is stopped first.
    void Start(const std::uint8_t* cube, std::string_view startCode, int tableSize, int threads);
    // Asks the worker to stop; the result (kept solution, not proven) follows.
    void Cancel();
    Progress Look() const;
    // The result once the worker has ended, handed over once.
    bool Take(Result& out);
    // Blocks until the worker has ended (tests).
    void Wait();
    bool Running() const { return running_.load(); }
    std::string_view StartCode() const { return startCode_.view(); }

private:
    void Run(shortest::CubieCube cube, int tableSize);
    void Join();

    std::thread worker_;
    optimal::SearchControl control_;
    std::atomic<bool> running_{false};
    std::atomic<bool> resultReady_{false};
    std::atomic<int> phase_{0};
    std::atomic<int> tablePermille_{0};
    std::atomic<long long> startNanos_{0};
    FixedText<80> startCode_;
    Result result_;
};

}  // namespace velmora
