#include "spectra/rotd.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "spectra/hull.h"
#include "spectra/lanes.h"
#include "spectra/parallel.h"
#include "spectra/scratch.h"

namespace sitekit::spectra {
namespace {

constexpr int angle_count = 180;

// Histories of both components for one group, one per distinct period: a
// lane that repeats its neighbour's period writes the same values into the
// same history.  The store is kept per thread and only grows, so groups
// after the first (and later calls) reuse its pages.
struct GroupHistories {
  double* store = nullptr;
  std::size_t length = 0;
  std::array<int, detail::lane_count> slot{};  // history of each lane
  int distinct = 0;

  explicit GroupHistories(const detail::LaneGroup& g, std::size_t n) : length(n) {
    for (int l = 0; l < detail::lane_count; ++l)
      slot[l] = l > 0 && g.index[l] == g.index[l - 1] ? slot[l - 1] : distinct++;
  }
  double* lane(int component, int l) const { return store + (component * distinct + slot[l]) * length; }
};
}  // namespace

namespace {

// cos and sin of the rotation angles, computed once for every call.
struct Directions {
  double c[angle_count], s[angle_count];
  Directions() {
    for (int k = 0; k < angle_count; ++k) {
      const double t = std::numbers::pi * k / angle_count;
      c[k] = std::cos(t), s[k] = std::sin(t);
    }
  }
};

std::vector<double> peaks_over(const std::vector<detail::Point>& hull) {
  static const Directions d;
  std::vector<double> peaks(angle_count, 0.0);
  for (int k = 0; k < angle_count; ++k) {
    const double c = d.c[k], s = d.s[k];
    double best = 0.0;
    for (const detail::Point& p : hull) best = std::max(best, std::fabs(p.x * c + p.y * s));
    peaks[k] = best;
  }
  return peaks;
}

}  // namespace

std::vector<double> rotated_peaks(std::span<const double> x, std::span<const double> y) {
  return peaks_over(detail::symmetric_hull(x, y));
}

// The largest |x| (and |y|) of a point set is reached at a vertex of its
// hull, so the hull gives the single components' peaks as well.
RotDValue rotd_of(std::span<const double> x, std::span<const double> y) {
  const std::vector<detail::Point> hull = detail::symmetric_hull(x, y);
  RotDValue v = percentiles_of(peaks_over(hull));
  for (const detail::Point& p : hull) v.psa1 = std::max(v.psa1, std::fabs(p.x)), v.psa2 = std::max(v.psa2, std::fabs(p.y));
  return v;
}

RotDValue percentiles_of(std::vector<double> peaks) {
  RotDValue r;
  if (peaks.empty()) return r;
  std::sort(peaks.begin(), peaks.end());
  const std::size_t n = peaks.size();
  r.rotd50 = n % 2 ? peaks[n / 2] : 0.5 * (peaks[n / 2 - 1] + peaks[n / 2]);
  r.rotd100 = peaks.back();
  return r;
}

std::vector<RotDValue> rotd_spectrum(std::span<const double> a1, std::span<const double> a2,
                                     double dt, std::span<const double> periods, double zeta,
                                     unsigned threads) {
  const std::size_t n = std::min(a1.size(), a2.size());
  a1 = a1.first(n), a2 = a2.first(n);
  std::vector<RotDValue> out(periods.size());
  for (std::size_t i = 0; i < periods.size(); ++i) {
    out[i] = periods[i] > 0.0 ? RotDValue{} : rotd_of(a1, a2);
    out[i].period = periods[i];
  }
  const std::vector<detail::LaneGroup> groups = detail::plan_groups(periods, dt, zeta);
  for_each_index(groups.size(), threads, [&](std::size_t gi) {
    const detail::LaneGroup& g = groups[gi];
    thread_local detail::Scratch store;
    const std::size_t length = detail::history_length(n, g.m);
    GroupHistories h(g, length);
    h.store = store.reserve(2 * static_cast<std::size_t>(h.distinct) * length);
    for (int c = 0; c < 2; ++c) {
      double* lanes[detail::lane_count];
      for (int l = 0; l < detail::lane_count; ++l) lanes[l] = h.lane(c, l);
      detail::run_group(c == 0 ? a1 : a2, g, zeta, lanes);
    }
    for (int l = 0; l < detail::lane_count; ++l) {
      if (l > 0 && g.index[l] == g.index[l - 1]) continue;  // a repeated period fills the group
      const std::span<const double> u1(h.lane(0, l), h.length), u2(h.lane(1, l), h.length);
      const RotDValue v = rotd_of(u1, u2);
      const double w2 = g.omega[l] * g.omega[l];
      out[g.index[l]] = {periods[g.index[l]], w2 * v.rotd50, w2 * v.rotd100, w2 * v.psa1, w2 * v.psa2};
    }
  });
  return out;
}

}  // namespace sitekit::spectra
