#include "spectra/lanes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

namespace sitekit::spectra::detail {
namespace {

// One vector of all the lanes; the compiler splits it where the registers
// are narrower, which gives the independent chains.
using vl = double __attribute__((vector_size(8 * lane_count)));
using vli = std::int64_t __attribute__((vector_size(8 * lane_count)));

// The lane's larger of m and |x|; m is never negative.
#define SITEKIT_ABS(x) ((vl)((vli)(x) & abs_mask))
#define SITEKIT_MAX(m, x) ((vl)((((vli)(x)) & ((x) > (m))) | (((vli)(m)) & ~((x) > (m)))))

}  // namespace

std::vector<LaneGroup> plan_groups(std::span<const double> periods, double dt, double zeta) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < periods.size(); ++i)
    if (periods[i] > 0.0) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    return substeps(dt, periods[x]) > substeps(dt, periods[y]);
  });
  std::vector<LaneGroup> groups;
  for (std::size_t p = 0; p < order.size();) {
    LaneGroup g;
    g.m = substeps(dt, periods[order[p]]);
    for (int l = 0; l < lane_count; ++l) {
      const bool fits = p < order.size() && substeps(dt, periods[order[p]]) == g.m;
      g.index[l] = fits ? order[p++] : g.index[l - 1];
      g.omega[l] = 2.0 * std::numbers::pi / periods[g.index[l]];
      g.k[l] = nigam_jennings(g.omega[l], zeta, dt / g.m);
    }
    groups.push_back(g);
  }
  return groups;
}

namespace {

// The stepping loop, written once and compiled three times: for processors
// with AVX-512 (one register holds the eight lanes, and the ten coefficient
// vectors stay in registers), with AVX2 (two chains of four) and for the
// baseline instruction set.  Every lane does the same operations in the same
// order on all three, so the results do not depend on the processor.
template <bool Record>
[[gnu::always_inline]] inline LanePeaks step_lanes(std::span<const double> a, const LaneGroup& g, double zeta,
                                                   double* const* history) {
  vli abs_mask;
  vl a11, a12, a21, a22, b11, b12, b21, b22, w2, cv;
  for (int l = 0; l < lane_count; ++l) {
    const StepCoefficients& k = g.k[l];
    abs_mask[l] = INT64_MAX;
    a11[l] = k.a11, a12[l] = k.a12, a21[l] = k.a21, a22[l] = k.a22;
    b11[l] = k.b11, b12[l] = k.b12, b21[l] = k.b21, b22[l] = k.b22;
    w2[l] = g.omega[l] * g.omega[l];
    cv[l] = 2.0 * zeta * g.omega[l];
  }
  const vl zero = {};
  vl u = zero, v = zero, peak_u = zero, peak_acc = zero;
  std::size_t h = 0;
  if (Record && !a.empty())
    for (int l = 0; l < lane_count; ++l) history[l][h] = 0.0;
  ++h;
  const double inv_m = 1.0 / g.m;
  for (std::size_t i = 1; i < a.size(); ++i) {
    const double a0 = a[i - 1], da = a[i] - a[i - 1];
    double lo = a0;
    for (int j = 1; j <= g.m; ++j) {
      const double hi = j == g.m ? a[i] : a0 + da * (j * inv_m);
      const vl un = a11 * u + a12 * v + (b11 * lo + b12 * hi);
      const vl vn = a21 * u + a22 * v + (b21 * lo + b22 * hi);
      u = un;
      v = vn;
      lo = hi;
      const vl au = SITEKIT_ABS(u);
      const vl acc = w2 * u + cv * v;
      const vl aacc = SITEKIT_ABS(acc);
      peak_u = SITEKIT_MAX(peak_u, au);
      peak_acc = SITEKIT_MAX(peak_acc, aacc);
      if (Record)
        for (int l = 0; l < lane_count; ++l) history[l][h] = u[l];
      ++h;
    }
  }
  LanePeaks out;
  for (int l = 0; l < lane_count; ++l) {
    out.sd[l] = peak_u[l];
    out.pta[l] = peak_acc[l];
  }
  return out;
}

#if defined(__x86_64__)
[[gnu::target("avx512f")]] LanePeaks step_lanes_avx512(std::span<const double> a, const LaneGroup& g, double zeta,
                                                      double* const* history) {
  return history ? step_lanes<true>(a, g, zeta, history) : step_lanes<false>(a, g, zeta, history);
}

[[gnu::target("avx2")]] LanePeaks step_lanes_avx2(std::span<const double> a, const LaneGroup& g, double zeta,
                                                  double* const* history) {
  return history ? step_lanes<true>(a, g, zeta, history) : step_lanes<false>(a, g, zeta, history);
}
#endif

LanePeaks step_lanes_base(std::span<const double> a, const LaneGroup& g, double zeta, double* const* history) {
  return history ? step_lanes<true>(a, g, zeta, history) : step_lanes<false>(a, g, zeta, history);
}

}  // namespace

LanePeaks run_group(std::span<const double> a, const LaneGroup& g, double zeta,
                    double* const* history) {
#if defined(__x86_64__)
  static const bool avx512 = __builtin_cpu_supports("avx512f"), avx2 = __builtin_cpu_supports("avx2");
  if (avx512) return step_lanes_avx512(a, g, zeta, history);
  if (avx2) return step_lanes_avx2(a, g, zeta, history);
#endif
  return step_lanes_base(a, g, zeta, history);
}

#undef SITEKIT_ABS
#undef SITEKIT_MAX

}  // namespace sitekit::spectra::detail
