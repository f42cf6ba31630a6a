#pragma once
// The per-solve lines and the summary of batch --method optimal.
#include <vector>

#include "cli/batch_jobs.h"

namespace velmora::cli {

class OptimalBatchFigures {
public:
    // Prints the line of one solve ("solve N: turns T proven yes|no seconds S positions P")
    // and keeps its figures for the summary.
    void Take(long long number, const BatchOutcome& r);
    // Median and 90th percentile of the solve times, the proven count and the number of
    // positions at each distance.
    void PrintSummary() const;

private:
    std::vector<double> seconds_;
    long long proven_ = 0;
    long long positions_ = 0;
    long long byTurns_[32] = {};
};

}  // namespace velmora::cli
