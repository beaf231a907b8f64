#pragma once
// Konno-Ohmachi smoothing of amplitude spectra.
//
// S(fc) = sum_k W(f_k; fc) X_k / sum_k W(f_k; fc), the sums over every bin of
// the input up to its last (the Nyquist) frequency, with
// W(f; fc) = [sin(b log10(f/fc)) / (b log10(f/fc))]^4, W = 1 at f = fc and
// W = 0 at f = 0.  A centre whose raw window sum is below 0.3 (a centre below
// the first bins, where the window sees almost no data) gives no row.  At
// fc = 0 the window is 1 at f = 0 and 0 elsewhere, so S(0) = X(0).
#include <span>
#include <vector>

namespace sitekit::spectra {

inline constexpr double default_bandwidth = 40.0;
inline constexpr int default_points_per_decade = 100;
inline constexpr double minimum_window_sum = 0.3;

struct Smoothed {
  std::vector<double> freq;                  // the centres kept
  std::vector<std::vector<double>> columns;  // one per input column, one value per kept centre
};

// freq ascending, >= 0; each column as long as freq.
Smoothed konno_ohmachi(std::span<const double> freq, const std::vector<std::span<const double>>& columns,
                       std::span<const double> centres, double bandwidth = default_bandwidth,
                       unsigned threads = 1);

// Centres 10^(j / per_decade) for every integer j with fmin <= f <= fmax
// (decades and their fractions fall on the grid).  fmin > 0.
std::vector<double> log_grid(double fmin, double fmax, int per_decade = default_points_per_decade);

}  // namespace sitekit::spectra
