#pragma once
// Statistics over the records of a batch, frequency by frequency (or period
// by period): curves are first brought onto one grid, then reduced to their
// median and 16th and 84th percentiles.
#include <span>
#include <vector>

namespace sitekit::report {

// The p-th quantile (0 <= p <= 1) of the finite values of `v`, linear
// between order statistics (the usual "type 7" definition: p (n-1) is the
// position in the sorted values); NaN when there are none.
double quantile(std::vector<double> v, double p);

// `y` given at ascending `x` (> 0), read at `at` linearly in log10(x);
// NaN outside the range of x and where a neighbour is NaN.
std::vector<double> interp_log_x(std::span<const double> x, std::span<const double> y,
                                 std::span<const double> at);

struct Band {
  std::vector<double> p16, p50, p84;
};

// The three percentiles across `curves` (all on one grid) at each point.
Band percentiles(const std::vector<std::vector<double>>& curves);

}  // namespace sitekit::report
