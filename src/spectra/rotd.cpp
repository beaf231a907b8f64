#include "spectra/rotd.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

// Eight vertices at a time; the compiler splits the vector where registers
// are narrower.  Every lane forms x c + y s exactly as a scalar loop would,
// and the largest of the same numbers does not depend on their order.
using v8 = double __attribute__((vector_size(64)));
using v8i = std::int64_t __attribute__((vector_size(64)));

[[gnu::always_inline]] inline void peaks_into(const double* x, const double* y, std::size_t blocks, double* peaks) {
  static const Directions d;
  const v8i abs_mask = v8i{} + INT64_MAX;
  for (int k = 0; k < angle_count; ++k) {
    const v8 c = v8{} + d.c[k], s = v8{} + d.s[k];
    v8 best = {};
    for (std::size_t b = 0; b < blocks; ++b) {
      v8 px, py;
      __builtin_memcpy(&px, x + 8 * b, sizeof px);
      __builtin_memcpy(&py, y + 8 * b, sizeof py);
      const v8 p = (v8)((v8i)(px * c + py * s) & abs_mask);
      best = p > best ? p : best;
    }
    double m = 0.0;
    for (int l = 0; l < 8; ++l) m = std::max(m, best[l]);
    peaks[k] = m;
  }
}

#if defined(__x86_64__)
[[gnu::target("avx512f")]] void peaks_avx512(const double* x, const double* y, std::size_t blocks, double* peaks) {
  peaks_into(x, y, blocks, peaks);
}
[[gnu::target("avx2")]] void peaks_avx2(const double* x, const double* y, std::size_t blocks, double* peaks) {
  peaks_into(x, y, blocks, peaks);
}
#endif
void peaks_base(const double* x, const double* y, std::size_t blocks, double* peaks) {
  peaks_into(x, y, blocks, peaks);
}

// Largest |x c + y s| over the hull's vertices at every angle.  The
// vertices are laid out by coordinate and padded with the origin, whose
// projection 0 changes no peak.
std::vector<double> peaks_over(const std::vector<detail::Point>& hull) {
  const std::size_t blocks = (hull.size() + 7) / 8;
  std::vector<double> x(8 * blocks, 0.0), y(8 * blocks, 0.0), peaks(angle_count, 0.0);
  for (std::size_t i = 0; i < hull.size(); ++i) x[i] = hull[i].x, y[i] = hull[i].y;
#if defined(__x86_64__)
  static const bool avx512 = __builtin_cpu_supports("avx512f"), avx2 = __builtin_cpu_supports("avx2");
  if (avx512) return peaks_avx512(x.data(), y.data(), blocks, peaks.data()), peaks;
  if (avx2) return peaks_avx2(x.data(), y.data(), blocks, peaks.data()), peaks;
#endif
  peaks_base(x.data(), y.data(), blocks, peaks.data());
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
  const std::size_t n = peaks.size();
  const auto mid = peaks.begin() + static_cast<std::ptrdiff_t>(n / 2);
  std::nth_element(peaks.begin(), mid, peaks.end());
  // With an even count, the value just below the middle is the largest of
  // the lower half.
  r.rotd50 = n % 2 ? *mid : 0.5 * (*std::max_element(peaks.begin(), mid) + *mid);
  r.rotd100 = *std::max_element(mid, peaks.end());
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
