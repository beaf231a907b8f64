#include "cli/fourier.h"

#include <algorithm>
#include <cmath>

#include "cli/half_complex.h"

namespace sitekit::cli {

int padded_length(std::size_t n) {
  int nf = 4;
  while (static_cast<std::size_t>(nf) < n) nf *= 2;
  return nf;
}

AmplitudeSpectrum fourier_amplitude(const std::vector<double>& x, double dt, int nf) {
  const HalfComplex t(nf);
  double* const series = t.series();
  const std::size_t n = std::min(x.size(), static_cast<std::size_t>(nf));
  std::copy_n(x.begin(), n, series);
  std::fill(series + n, series + nf, 0.0);
  t.forward();
  AmplitudeSpectrum s;
  for (int k = 0; k <= nf / 2; ++k) {
    s.freq.push_back(k / (nf * dt));
    s.amp.push_back(std::abs(t.bin(k)) * dt);
  }
  return s;
}

}  // namespace sitekit::cli
