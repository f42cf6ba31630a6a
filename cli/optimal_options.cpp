// The fewest-turns method on the command line: its options, the table-build progress on
// a terminal, and its lines after a solve and after a batch.
#include "cli/optimal_options.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "cli/commands.h"

namespace velmora::cli {

void AddOptimalOptions(CLI::App& command, CommandOptions& opt) {
    command.add_option("--table-size", opt.tableSize,
                       "with --method optimal: small, large or huge pruning tables (default: huge with 8 GB of "
                       "memory, large with 4 GB)")
        ->check(CLI::IsMember({"small", "large", "huge"}));
    command.add_option("--max-seconds", opt.maxSeconds,
                       "with --method optimal: give the best solution found after this many seconds (proven: no)")
        ->check(CLI::Range(0.0, 1e9));
}

void SetOptimalRequest(CTarnexSource& m, const CommandOptions& opt) {
    OptimalRequest& r = m.optimalRequest;
    r.deferred = false;
    r.maxSeconds = opt.maxSeconds;
    r.tableSize = opt.tableSize == "small" ? 0 : opt.tableSize == "large" ? 1 : opt.tableSize == "huge" ? 2 : -1;
    r.threads = opt.jobs > 1 && opt.jobsGiven ? 1 : 2;
    if (::isatty(STDERR_FILENO) != 1) {
        r.tableProgress = nullptr;
        return;
    }
    // One line on the terminal, rewritten as the build goes on, ended when it is done.
    r.tableProgress = [shown = -1](double share, const char* what) mutable {
        const int percent = static_cast<int>(share * 100);
        if (percent <= shown) return true;
        shown = percent;
        std::fprintf(stderr, "\rvelmora-cli: building the fewest-turns tables (%s): %d %%", what, percent);
        if (percent >= 100) std::fputc('\n', stderr);
        std::fflush(stderr);
        return true;
    };
}

void PrintOptimalFigures(const CTarnexSource& m) {
    const OptimalFigures& f = m.optimalFigures;
    if (!f.searched) return;
    std::printf("proven: %s\n", f.proven ? "yes" : "no");
    if (!f.proven) std::printf("lower_bound: %d\n", f.lowerBound);
    std::printf("positions: %lld\n", f.positions);
    std::printf("search_seconds: %.3f\n", f.seconds);
    std::printf("tables: %s\n", f.tableStatus.c_str());
}

void OptimalBatchFigures::Take(long long number, const BatchOutcome& r) {
    const double s = r.micros / 1e6;
    std::printf("solve %lld: turns %d proven %s seconds %.3f positions %lld", number, r.turns,
                r.proven ? "yes" : "no", s, r.positions);
    if (!r.proven) std::printf(" lower_bound %d", r.lowerBound);
    std::printf("\n");
    std::fflush(stdout);
    seconds_.push_back(s);
    proven_ += r.proven ? 1 : 0;
    positions_ += r.positions;
    if (r.proven && r.turns >= 0 && r.turns < 32) ++byTurns_[r.turns];
}

void OptimalBatchFigures::PrintSummary() const {
    std::vector<double> sorted = seconds_;
    std::sort(sorted.begin(), sorted.end());
    auto at = [&](double q) {
        if (sorted.empty()) return 0.0;
        const std::size_t i = static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5);
        return sorted[std::min(i, sorted.size() - 1)];
    };
    std::printf("proven: %lld/%zu\n", proven_, seconds_.size());
    std::printf("seconds_median: %.3f\n", at(0.5));
    std::printf("seconds_p90: %.3f\n", at(0.9));
    std::printf("positions_searched: %lld\n", positions_);
    std::printf("distances:");
    for (int t = 0; t < 32; ++t)
        if (byTurns_[t] > 0) std::printf(" %d:%lld", t, byTurns_[t]);
    std::printf("\n");
}

}  // namespace velmora::cli
