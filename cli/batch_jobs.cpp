#include "cli/batch_jobs.h"

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "solvers/optimal/optimal_table_choice.h"
#include "solvers/optimal/optimal_tables.h"

namespace velmora::cli {

namespace {

constexpr std::string_view kFaceTurns[18] = {"T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
                                             "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};

// Positions a worker claims at a time: few enough to share a block evenly, enough to
// keep the shared counter out of the way of solves of a few microseconds.
constexpr long long kClaim = 8;

// What a worker leaves for one position until the block is handed over.
struct Slot {
    bool ok;
    int turns;
    double micros;
    bool proven;
    long long positions;
    int lowerBound;
    char code[kCodeLength + 1];
};

// Positions per block: many, to spread the cost of meeting at each block's end, but
// the random turns of a block (one byte each) and the kept records stay near a megabyte
// or two whatever --moves-per-position and --count are.
long long BlockSize(const CommandOptions& opt, bool keepRecords, int jobs) {
    // A fewest-turns solve takes seconds: one position per worker a block, so that each
    // is reported as soon as it is done.
    if (MethodNumber(opt.method) == 5) return std::min<long long>(jobs, opt.count);
    long long n = opt.kindGiven ? 4096 : std::clamp((1LL << 20) / (opt.movesPerPosition + 1LL), 64LL, 4096LL);
    if (keepRecords) n = std::min(n, 256LL);
    n = std::max(n, kClaim * jobs);
    return std::min(n, opt.count);
}

struct Worker {
    CliUser user;
    std::unique_ptr<CTarnexSource> model;
};

}  // namespace

int DefaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, kMaxJobs));
}

void SolveBatch(const CommandOptions& opt, CTarnexSource& dealer, std::mt19937& rng, int jobs, bool keepRecords,
                const std::function<void(const BatchOutcome&)>& take) {
    jobs = std::clamp(jobs, 1, kMaxJobs);
    const long long block = BlockSize(opt, keepRecords, jobs);
    const std::size_t turnsPer = opt.kindGiven ? 0 : static_cast<std::size_t>(opt.movesPerPosition);
    const std::size_t slots = static_cast<std::size_t>(block);
    // Two blocks of deals: the calling thread deals the next block while the workers
    // solve this one.
    std::vector<CubeState> starts[2];
    std::vector<std::uint8_t> turns[2];
    for (int b = 0; b < 2; ++b) {
        starts[b].resize(opt.kindGiven ? slots : 0);
        turns[b].resize(slots * turnsPer);
    }
    int solving = 0;  // the block of deals being solved
    std::vector<Slot> results(slots);
    std::vector<FixedText<kRecordCapacity>> records(keepRecords ? slots : 0);

    std::vector<Worker> workers(static_cast<std::size_t>(jobs));
    for (Worker& w : workers) {
        w.model = NewModel(w.user, "");
        w.model->methodChoice = dealer.methodChoice;
        w.model->optimalRequest = dealer.optimalRequest;
    }

    // The fewest-turns tables are mapped (and checked, or built) before the first
    // solve's clock starts, so that its time is that of the solve alone.
    if (MethodNumber(opt.method) == 5) {
        optimal::LoadReport report;
        optimal::LoadTables(optimal::ChosenTableSize(dealer.optimalRequest.tableSize),
                            dealer.optimalRequest.tableProgress, report);
    }
    long long inBlock = 0;
    const long long claim = MethodNumber(opt.method) == 5 ? 1 : kClaim;
    std::atomic<long long> next{0};
    bool done = false;
    using Clock = std::chrono::steady_clock;

    // Solves the positions of the block that this worker claims.
    auto work = [&](Worker& w) {
        CTarnexSource& m = *w.model;
        for (;;) {
            const long long from = next.fetch_add(claim);
            if (from >= inBlock) return;
            for (long long i = from; i < std::min(from + claim, inBlock); ++i) {
                const std::size_t s = static_cast<std::size_t>(i);
                if (opt.kindGiven) {
                    m.cube = starts[solving][s];
                } else {
                    m.ResetCube();
                    const std::uint8_t* dealt = turns[solving].data() + s * turnsPer;
                    for (std::size_t k = 0; k < turnsPer; ++k) m.ApplyToken(kFaceTurns[dealt[k]]);
                }
                const Clock::time_point t0 = Clock::now();
                m.ExecuteAndSolve();
                const Clock::time_point t1 = Clock::now();
                Slot& r = results[s];
                r.micros = std::chrono::duration<double, std::micro>(t1 - t0).count();
                r.turns = m.lastSolveTurns;
                r.proven = m.optimalFigures.searched && m.optimalFigures.proven;
                r.positions = m.optimalFigures.searched ? m.optimalFigures.positions : 0;
                r.lowerBound = m.optimalFigures.lowerBound;
                r.ok = m.lastSolveResult == 1 && ReplayRestores(m, false);
                std::memcpy(r.code, m.SolutionRecord.c_str(), kCodeLength);
                r.code[kCodeLength] = '\0';
                if (keepRecords) records[s] = m.SolutionRecord;
            }
        }
    };

    // Every thread meets twice a block: once when it is dealt, once when it is solved.
    std::barrier meet(jobs);
    std::vector<std::thread> threads;
    try {
        for (std::size_t t = 1; t < workers.size(); ++t)
            threads.emplace_back([&, t] {
                for (;;) {
                    meet.arrive_and_wait();
                    if (done) return;
                    work(workers[t]);
                    meet.arrive_and_wait();
                }
            });
    } catch (const std::system_error&) {
        // The system gives no more threads: those that started share the work, and the
        // figures stay the same.
        std::fprintf(stderr, "velmora-cli: warning: batch: %zu of %d threads could be started\n",
                     threads.size() + 1, jobs);
        for (std::size_t missing = threads.size() + 1; missing < workers.size(); ++missing) meet.arrive_and_drop();
    }

    // Deals the positions from first on (at most a block) into block b; returns how many.
    auto deal = [&](int b, long long first) {
        const long long n = std::min(block, opt.count - first);
        for (std::size_t s = 0; s < static_cast<std::size_t>(n); ++s) {
            if (opt.kindGiven) {
                dealer.Deal(opt.kind);
                starts[b][s] = dealer.cube;
            } else {
                for (std::size_t k = 0; k < turnsPer; ++k)
                    turns[b][s * turnsPer + k] = static_cast<std::uint8_t>(rng() % 18);
            }
        }
        return n;
    };

    long long dealtNext = deal(0, 0);
    for (long long first = 0; first < opt.count; first += inBlock) {
        inBlock = dealtNext;
        next = 0;
        meet.arrive_and_wait();
        dealtNext = first + inBlock < opt.count ? deal(1 - solving, first + inBlock) : 0;
        work(workers[0]);
        meet.arrive_and_wait();
        for (std::size_t s = 0; s < static_cast<std::size_t>(inBlock); ++s) {
            const Slot& r = results[s];
            take({r.ok, r.turns, r.micros, keepRecords ? records[s].view() : std::string_view(r.code, kCodeLength),
                  r.proven, r.positions, r.lowerBound});
        }
        solving = 1 - solving;
    }
    done = true;
    meet.arrive_and_wait();
    for (std::thread& t : threads) t.join();
}

}  // namespace velmora::cli
