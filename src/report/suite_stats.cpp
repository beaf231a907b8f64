#include "report/suite_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sitekit::report {

double quantile(std::vector<double> v, double p) {
  std::erase_if(v, [](double x) { return !std::isfinite(x); });
  if (v.empty()) return std::numeric_limits<double>::quiet_NaN();
  std::sort(v.begin(), v.end());
  const double pos = p * static_cast<double>(v.size() - 1);
  const auto lo = static_cast<std::size_t>(std::floor(pos));
  const std::size_t hi = std::min(lo + 1, v.size() - 1);
  return v[lo] + (pos - static_cast<double>(lo)) * (v[hi] - v[lo]);
}

std::vector<double> interp_log_x(std::span<const double> x, std::span<const double> y,
                                 std::span<const double> at) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> out(at.size(), nan);
  const std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < at.size(); ++i) {
    const auto it = std::lower_bound(x.begin(), x.begin() + n, at[i]);
    const auto k = static_cast<std::size_t>(it - x.begin());
    if (k < n && x[k] == at[i]) {
      out[i] = y[k];
    } else if (k > 0 && k < n && x[k - 1] > 0) {
      const double t = std::log10(at[i] / x[k - 1]) / std::log10(x[k] / x[k - 1]);
      out[i] = y[k - 1] + t * (y[k] - y[k - 1]);
    }
  }
  return out;
}

Band percentiles(const std::vector<std::vector<double>>& curves) {
  Band b;
  std::size_t n = curves.empty() ? 0 : curves.front().size();
  for (const auto& c : curves) n = std::min(n, c.size());
  std::vector<double> column(curves.size());
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t r = 0; r < curves.size(); ++r) column[r] = curves[r][i];
    b.p16.push_back(quantile(column, 0.16));
    b.p50.push_back(quantile(column, 0.50));
    b.p84.push_back(quantile(column, 0.84));
  }
  return b;
}

}  // namespace sitekit::report
