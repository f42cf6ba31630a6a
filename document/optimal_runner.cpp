#include "document/optimal_runner.h"

#include <chrono>
#include <cstring>

#include "solvers/optimal/optimal_table_choice.h"

namespace velmora {
namespace {

long long NowNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

OptimalRunner::~OptimalRunner() {
    Cancel();
    Join();
}

void OptimalRunner::Join() {
    if (worker_.joinable()) worker_.join();
}

void OptimalRunner::Start(const std::uint8_t* cube, std::string_view startCode, int tableSize, int threads) {
    Cancel();
    Join();
    shortest::CubieCube c;
    std::memcpy(c.cp, cube, 8);
    std::memcpy(c.co, cube + 8, 8);
    std::memcpy(c.ep, cube + 16, 12);
    std::memcpy(c.eo, cube + 28, 12);
    startCode_.Assign(startCode);
    control_.cancel.store(false);
    control_.threads = threads;
    control_.maxSeconds = 0;
    control_.depth.store(0);
    control_.nodes.store(0);
    resultReady_.store(false);
    result_ = Result{};
    tablePermille_.store(0);
    phase_.store(static_cast<int>(Phase::Tables));
    startNanos_.store(NowNanos());
    running_.store(true);
    worker_ = std::thread([this, c, tableSize] { Run(c, tableSize); });
}

void OptimalRunner::Run(shortest::CubieCube cube, int tableSize) {
    Result r;
    optimal::LoadReport report;
    const optimal::TableSize size = optimal::ChosenTableSize(tableSize);
    const optimal::PruneTables* tables = optimal::LoadTables(
        size,
        [this](double share, const char*) {
            tablePermille_.store(static_cast<int>(share * 1000));
            return !control_.cancel.load();
        },
        report);
    optimal::DescribeTables(size, tableSize, report, r.tableStatus);
    if (!tables) {
        r.cancelled = true;
    } else {
        phase_.store(static_cast<int>(Phase::Searching));
        startNanos_.store(NowNanos());
        optimal::OptimalSolution s;
        r.ok = optimal::SolveOptimal(cube, *tables, control_, s);
        if (r.ok) {
            std::memcpy(r.moves, s.moves, sizeof r.moves);
            r.length = s.length;
            r.proven = s.proven;
            r.cancelled = s.cancelled;
            r.lowerBound = s.lowerBound;
            r.positions = s.nodes;
            r.seconds = s.seconds;
        }
    }
    result_ = r;
    phase_.store(static_cast<int>(Phase::Finished));
    resultReady_.store(true);
    running_.store(false);
}

void OptimalRunner::Cancel() { control_.cancel.store(true); }

OptimalRunner::Progress OptimalRunner::Look() const {
    Progress p;
    p.phase = static_cast<Phase>(phase_.load());
    p.tableShare = tablePermille_.load() / 1000.0;
    p.depth = control_.depth.load();
    p.positions = control_.nodes.load();
    p.seconds = (NowNanos() - startNanos_.load()) / 1e9;
    return p;
}

bool OptimalRunner::Take(Result& out) {
    if (!resultReady_.exchange(false)) return false;
    Join();
    out = result_;
    phase_.store(static_cast<int>(Phase::Idle));
    return true;
}

void OptimalRunner::Wait() { Join(); }

}  // namespace velmora
