#pragma once
// Konno-Ohmachi smoothing of amplitude spectra onto a logarithmic grid, for
// the page's Fourier and amplification charts.  The window is
// W = [sin(b log10(f/fc)) / (b log10(f/fc))]^4 (1 at f = fc, 0 at f <= 0),
// normalised by its sum over every bin up to the last one given; a centre
// whose raw window sum is below 0.3 (too few bins under the window) gets NaN.
#include <span>
#include <vector>

namespace sitekit::report {

// Centre frequencies from `fmin` to `fmax`, `per_decade` to a decade,
// equally spaced in log10(f); empty unless 0 < fmin < fmax.
std::vector<double> log_grid(double fmin, double fmax, int per_decade);

// Each of `series` (amplitudes at the ascending frequencies `f`) smoothed at
// every centre of `fc`.  NaN amplitudes are left out of both sums.
std::vector<std::vector<double>> ko_smooth(std::span<const double> f,
                                           const std::vector<std::vector<double>>& series,
                                           std::span<const double> fc, double b = 40.0);

}  // namespace sitekit::report
