#include "spectra/ratio.h"

#include <algorithm>
#include <cmath>

namespace sitekit::spectra {

std::vector<double> spectral_ratio(std::span<const double> numerator, std::span<const double> denominator) {
  const std::size_t n = std::min(numerator.size(), denominator.size());
  std::vector<double> r(n);
  for (std::size_t i = 0; i < n; ++i) r[i] = numerator[i] / denominator[i];
  return r;
}

std::vector<double> hv_ratio(std::span<const double> h1, std::span<const double> h2, std::span<const double> v) {
  const std::size_t n = std::min({h1.size(), h2.size(), v.size()});
  std::vector<double> r(n);
  for (std::size_t i = 0; i < n; ++i) r[i] = std::sqrt(0.5 * (h1[i] * h1[i] + h2[i] * h2[i])) / v[i];
  return r;
}

}  // namespace sitekit::spectra
