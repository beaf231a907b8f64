#pragma once
// Spectral ratios of smoothed amplitude spectra.
#include <span>
#include <vector>

namespace sitekit::spectra {

// numerator / denominator, point by point (the shorter length).
std::vector<double> spectral_ratio(std::span<const double> numerator, std::span<const double> denominator);

// Horizontal-to-vertical ratio: the quadratic mean of the two horizontals,
// sqrt((h1^2 + h2^2) / 2), over the vertical.
std::vector<double> hv_ratio(std::span<const double> h1, std::span<const double> h2, std::span<const double> v);

}  // namespace sitekit::spectra
