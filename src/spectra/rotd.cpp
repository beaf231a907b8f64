#include "spectra/rotd.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <numbers>

#include "spectra/hull.h"
#include "spectra/lanes.h"
#include "spectra/parallel.h"

namespace sitekit::spectra {
namespace {

constexpr int angle_count = 180;

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
                                     unsigned threads, std::span<const double> a3) {
  const std::size_t n = std::min(a1.size(), a2.size());
  a1 = a1.first(n), a2 = a2.first(n);
  a3 = a3.size() >= n ? a3.first(n) : std::span<const double>{};
  double pga3 = 0.0;
  for (double x : a3) pga3 = std::max(pga3, std::fabs(x));
  std::vector<RotDValue> out(periods.size());
  for (std::size_t i = 0; i < periods.size(); ++i) {
    out[i] = periods[i] > 0.0 ? RotDValue{} : rotd_of(a1, a2);
    out[i].period = periods[i];
    if (!(periods[i] > 0.0)) out[i].psa3 = pga3;
  }
  const std::vector<detail::LaneGroup> groups = detail::plan_groups(periods, dt, zeta);
  // The working arrays of each thread belong to the calling thread, so that
  // they are kept from group to group and from call to call.
  thread_local std::vector<detail::PairTrack> kept;
  std::vector<detail::PairTrack>& tracks = kept;  // the caller's, named in every thread
  if (tracks.size() < std::max(1u, threads)) tracks.resize(std::max(1u, threads));
  for_each_index_of(groups.size(), threads, [&](std::size_t gi, std::size_t worker) {
    const detail::LaneGroup& g = groups[gi];
    detail::PairTrack& t = tracks[worker];
    detail::run_pair(a1, a2, a3, g, t);
    for (int l = 0; l < detail::lane_count; ++l) {
      if (l > 0 && g.index[l] == g.index[l - 1]) continue;  // a repeated period fills the group
      const auto points_of = [&](std::size_t r, std::vector<double>& x, std::vector<double>& y) {
        detail::replay_run(a1, a2, g, t, l, r, x, y);
      };
      const std::span<const double> sub1(&t.sub1[l * t.subs], t.subs), sub2(&t.sub2[l * t.subs], t.subs);
      const std::vector<detail::Point> hull =
          detail::symmetric_hull_of_runs(sub1, sub2, std::span<const double>(&t.box[l * t.runs * 4], t.runs * 4), points_of);
      const RotDValue v = percentiles_of(peaks_over(hull));
      const double w2 = g.omega[l] * g.omega[l];
      out[g.index[l]] = {periods[g.index[l]], w2 * v.rotd50,     w2 * v.rotd100,
                         w2 * t.peak1[l],     w2 * t.peak2[l], w2 * t.peak3[l]};
    }
  });
  return out;
}

}  // namespace sitekit::spectra
