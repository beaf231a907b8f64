#include "report/first_peak.h"

#include <algorithm>
#include <cmath>

namespace sitekit::report {

std::optional<Peak> first_peak(std::span<const double> f, std::span<const double> y,
                               double prominence) {
  const std::size_t n = std::min(f.size(), y.size());
  double low_left = INFINITY;
  for (std::size_t i = 0; i < n; ++i) {
    if (!(f[i] > 0) || !std::isfinite(y[i])) continue;
    low_left = std::min(low_left, y[i]);
    const bool rises = i > 0 && std::isfinite(y[i - 1]) && y[i] > y[i - 1];
    const bool falls = i + 1 < n && std::isfinite(y[i + 1]) && y[i] >= y[i + 1];
    if (!rises || !falls || y[i] < prominence * low_left) continue;
    double low_right = y[i];
    for (std::size_t j = i + 1; j < n && !(y[j] > y[i]); ++j)
      if (std::isfinite(y[j])) low_right = std::min(low_right, y[j]);
    if (y[i] >= prominence * low_right) return Peak{f[i], y[i]};
  }
  return std::nullopt;
}

}  // namespace sitekit::report
