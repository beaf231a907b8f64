#include "cli/fourier.h"

#include <cmath>

#include "fft/wvfast.h"

namespace sitekit::cli {

int padded_length(std::size_t n) {
  int nf = 4;
  while (static_cast<std::size_t>(nf) < n) nf *= 2;
  return nf;
}

AmplitudeSpectrum fourier_amplitude(const std::vector<double>& x, double dt, int nf) {
  std::vector<siteresp::Cplx> a(nf);
  for (std::size_t i = 0; i < x.size() && i < a.size(); ++i) a[i] = {static_cast<float>(x[i]), 0.0f};
  siteresp::wvfast(nf, a.data(), nf, -1);
  AmplitudeSpectrum s;
  for (int k = 0; k <= nf / 2; ++k) {
    s.freq.push_back(k / (nf * dt));
    s.amp.push_back(std::hypot(double(a[k].re), double(a[k].im)) * dt);
  }
  return s;
}

}  // namespace sitekit::cli
