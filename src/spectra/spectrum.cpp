#include "spectra/spectrum.h"

#include <cmath>

#include "spectra/lanes.h"
#include "spectra/parallel.h"

namespace sitekit::spectra {
namespace {

double peak_abs(std::span<const double> a) {
  double p = 0.0;
  for (double x : a) p = std::max(p, std::fabs(x));
  return p;
}

}  // namespace

std::vector<SpectralValue> response_spectrum(std::span<const double> a, double dt,
                                             std::span<const double> periods, double zeta,
                                             unsigned threads) {
  std::vector<SpectralValue> out(periods.size());
  const double pga = peak_abs(a);
  for (std::size_t i = 0; i < periods.size(); ++i) {
    out[i].period = periods[i];
    out[i].psa = out[i].pta = pga;
  }
  const std::vector<detail::LaneGroup> groups = detail::plan_groups(periods, dt, zeta);
  for_each_index(groups.size(), threads, [&](std::size_t gi) {
    const detail::LaneGroup& g = groups[gi];
    const detail::LanePeaks p = detail::run_group(a, g, zeta);
    for (int l = 0; l < detail::lane_count; ++l) {
      SpectralValue& s = out[g.index[l]];
      s.sd = p.sd[l];
      s.psv = g.omega[l] * p.sd[l];
      s.psa = g.omega[l] * g.omega[l] * p.sd[l];
      s.pta = p.pta[l];
    }
  });
  return out;
}

}  // namespace sitekit::spectra
