#pragma once
// Response spectra of one acceleration history.
#include <span>
#include <vector>

namespace sitekit::spectra {

// Peaks of the oscillator of one period.  Period 0 has no oscillator: its
// row holds the peak acceleration as psa and pta, and zero displacement.
struct SpectralValue {
  double period = 0;  // s
  double sd = 0;      // max |u|
  double psv = 0;     // omega SD
  double psa = 0;     // omega^2 SD
  double pta = 0;     // max |u'' + a|, the peak total acceleration
};

// One value per period, in the order given.  dt > 0, 0 <= zeta < 1,
// periods >= 0.  threads > 1 splits the periods between that many threads;
// the values do not depend on it.
std::vector<SpectralValue> response_spectrum(std::span<const double> a, double dt,
                                             std::span<const double> periods, double zeta,
                                             unsigned threads = 1);

}  // namespace sitekit::spectra
