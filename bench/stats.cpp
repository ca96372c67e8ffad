#include "stats.h"

#include <algorithm>
#include <cmath>

namespace qxb {

double Quantile(std::vector<double> sample, double q) {
    if (sample.empty()) return 0;
    std::sort(sample.begin(), sample.end());
    q = std::min(1.0, std::max(0.0, q));
    const double rank = q * static_cast<double>(sample.size() - 1);
    const size_t below = static_cast<size_t>(std::floor(rank));
    const size_t above = std::min(below + 1, sample.size() - 1);
    const double part = rank - static_cast<double>(below);
    return sample[below] + (sample[above] - sample[below]) * part;
}

Summary Summarize(const std::vector<double> &sample) {
    Summary s;
    s.count = static_cast<int>(sample.size());
    s.median = Quantile(sample, 0.5);
    s.q1 = Quantile(sample, 0.25);
    s.q3 = Quantile(sample, 0.75);
    return s;
}

double SpreadPercent(const Summary &s) { return s.median > 0 ? 100.0 * (s.q3 - s.q1) / s.median : 0; }

}  // namespace qxb
