// Summaries of timing samples: median and quartiles, and the spread between
// them. Plain functions of numbers, no windows.
#pragma once
#include <vector>

namespace qxb {

// The q-quantile (0 <= q <= 1) of a sample, interpolated linearly between
// the closest ranks (q = 0.5 of an even count is the mean of the middle two).
// 0 for an empty sample.
double Quantile(std::vector<double> sample, double q);

struct Summary {
    double median = 0;
    double q1 = 0;  // first quartile
    double q3 = 0;  // third quartile
    int count = 0;
};

Summary Summarize(const std::vector<double> &sample);

// The interquartile range as a percentage of the median; 0 when the median
// is not positive.
double SpreadPercent(const Summary &s);

}  // namespace qxb
