#include "report/smoothing.h"

#include <cmath>
#include <limits>

namespace sitekit::report {

std::vector<double> log_grid(double fmin, double fmax, int per_decade) {
  std::vector<double> out;
  if (!(fmin > 0) || !(fmax > fmin) || per_decade <= 0) return out;
  const double l0 = std::log10(fmin);
  const double l1 = std::log10(fmax);
  const int n = static_cast<int>(std::floor((l1 - l0) * per_decade + 1e-9)) + 1;
  for (int i = 0; i < n; ++i) out.push_back(std::pow(10.0, l0 + static_cast<double>(i) / per_decade));
  return out;
}

std::vector<std::vector<double>> ko_smooth(std::span<const double> f,
                                           const std::vector<std::vector<double>>& series,
                                           std::span<const double> fc, double b) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<std::vector<double>> out(series.size(), std::vector<double>(fc.size(), nan));
  // log10 of each bin once; bins at f <= 0 have weight 0 and are skipped.
  // sin(b (l - lc)) = sin(b l) cos(b lc) - cos(b l) sin(b lc): the sines and
  // cosines of the bins are taken once, not once per centre and bin.
  std::vector<double> lf(f.size(), nan), sl(f.size()), cl(f.size());
  for (std::size_t k = 0; k < f.size(); ++k)
    if (f[k] > 0) {
      lf[k] = std::log10(f[k]);
      sl[k] = std::sin(b * lf[k]);
      cl[k] = std::cos(b * lf[k]);
    }
  std::vector<double> num(series.size());
  std::vector<double> den(series.size());
  for (std::size_t i = 0; i < fc.size(); ++i) {
    const double lc = std::log10(fc[i]);
    const double sc = std::sin(b * lc), cc = std::cos(b * lc);
    double raw = 0;
    std::fill(num.begin(), num.end(), 0.0);
    std::fill(den.begin(), den.end(), 0.0);
    for (std::size_t k = 0; k < f.size(); ++k) {
      if (std::isnan(lf[k])) continue;
      const double x = b * (lf[k] - lc);
      // Near the centre the difference of products loses digits: a series.
      const double s = std::fabs(x) < 1e-2 ? 1 - x * x / 6 * (1 - x * x / 20)
                                            : (sl[k] * cc - cl[k] * sc) / x;
      const double w = (s * s) * (s * s);
      raw += w;
      for (std::size_t j = 0; j < series.size(); ++j) {
        const double y = series[j][k];
        if (std::isnan(y)) continue;
        num[j] += w * y;
        den[j] += w;
      }
    }
    if (raw < 0.3) continue;
    for (std::size_t j = 0; j < series.size(); ++j)
      if (den[j] > 0) out[j][i] = num[j] / den[j];
  }
  return out;
}

}  // namespace sitekit::report
