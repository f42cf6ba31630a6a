#pragma once
// The median of many timings in fixed memory: each sample is counted in a bin of a
// logarithmic scale, so that any number of samples takes the same room and the median
// is read to within a tenth of a percent.
#include <array>
#include <cmath>
#include <cstdint>

namespace velmora::cli {

class TimingMedian {
public:
    // Bins of 0.2 % width from kLowest microseconds on, kBins of them (past 1e9 µs,
    // some 17 minutes); samples outside fall into the first or last bin.
    static constexpr double kLowest = 1e-3;
    static constexpr double kStep = 1.002;
    static constexpr std::size_t kBins = 13840;

    void Add(double micros) {
        ++bins_[Bin(micros)];
        ++count_;
    }

    std::uint64_t Count() const { return count_; }

    // The sample at rank count/2 of the sorted samples (the upper median of an even
    // count), as the middle of its bin; 0 without samples.
    double Median() const {
        if (count_ == 0) return 0;
        const std::uint64_t rank = count_ / 2;
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < kBins; ++i) {
            seen += bins_[i];
            if (seen > rank) return kLowest * std::pow(kStep, static_cast<double>(i) + 0.5);
        }
        return kLowest * std::pow(kStep, static_cast<double>(kBins));
    }

private:
    static std::size_t Bin(double micros) {
        if (!(micros > kLowest)) return 0;
        double at = std::floor(std::log(micros / kLowest) / std::log(kStep));
        return at >= static_cast<double>(kBins - 1) ? kBins - 1 : static_cast<std::size_t>(at);
    }

    std::array<std::uint64_t, kBins> bins_{};
    std::uint64_t count_ = 0;
};

}  // namespace velmora::cli
