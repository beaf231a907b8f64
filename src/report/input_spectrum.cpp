#include "report/input_spectrum.h"

#include <cmath>
#include <numbers>

#include "fft/wvfast.h"

namespace sitekit::report {

double shaping_gain(const Shaping& shaping, double f) {
  double g = 1.0;
  if (shaping.band) {
    const auto [l1, l2, h1, h2] = *shaping.band;
    if (f < l1 || f >= h2) return 0.0;
    if (f < l2) g = (f - l1) / (l2 - l1);
    if (f > h1) g = (h2 - f) / (h2 - h1);
  }
  const double omega = 2 * std::numbers::pi * f;
  if (shaping.kind == 1) g /= omega;
  if (shaping.kind == 2) g *= omega;
  return g;
}

Spectrum input_spectrum(const std::vector<std::vector<double>>& channels, double dt, int nf,
                        const Shaping& shaping) {
  std::size_t longest = 1;
  for (const auto& c : channels) longest = std::max(longest, c.size());
  std::size_t n = 1;
  while (n < longest) n *= 2;
  if (nf > 0 && (nf & (nf - 1)) == 0 && static_cast<std::size_t>(nf) >= longest) n = nf;
  Spectrum out;
  const std::size_t half = n / 2;
  for (std::size_t k = 1; k <= half; ++k) out.f.push_back(static_cast<double>(k) / (n * dt));
  std::vector<siteresp::Cplx> a(n);
  for (const auto& c : channels) {
    std::fill(a.begin(), a.end(), siteresp::Cplx{});
    for (std::size_t i = 0; i < c.size(); ++i)
      a[i].re = std::isfinite(c[i]) ? static_cast<float>(c[i]) : 0.0f;
    siteresp::wvfast(static_cast<int>(n), a.data(), static_cast<int>(n), -1);
    std::vector<double> amp(half);
    for (std::size_t k = 1; k <= half; ++k)
      amp[k - 1] = std::hypot(a[k].re, a[k].im) * dt * shaping_gain(shaping, out.f[k - 1]);
    out.amp.push_back(std::move(amp));
  }
  return out;
}

}  // namespace sitekit::report
