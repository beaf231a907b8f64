#include "spectra/lanes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <type_traits>

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
    g.m = substeps(dt, periods[order[p]]);  // the first is the largest
    for (int l = 0; l < lane_count; ++l) {
      g.index[l] = p < order.size() ? order[p++] : g.index[l - 1];
      g.lane_m[l] = substeps(dt, periods[g.index[l]]);
      g.omega[l] = 2.0 * std::numbers::pi / periods[g.index[l]];
      g.k[l] = nigam_jennings(g.omega[l], zeta, dt / g.lane_m[l]);
    }
    groups.push_back(g);
  }
  return groups;
}

namespace {

// One sub-step of the recurrence, written once for the vector loops and the
// replay so that all of them round alike.
#define SITEKIT_SUBSTEP(u, v, lo, hi, a11, a12, a21, a22, b11, b12, b21, b22) \
  do {                                                                          \
    const auto un_ = a11 * u + a12 * v + (b11 * lo + b12 * hi);                 \
    const auto vn_ = a21 * u + a22 * v + (b21 * lo + b22 * hi);                 \
    u = un_;                                                                    \
    v = vn_;                                                                    \
  } while (0)

#define SITEKIT_MIN(m, x) ((vl)((((vli)(x)) & ((x) < (m))) | (((vli)(m)) & ~((x) < (m)))))

// The input between samples i - 1 and i at sub-step j of m.
inline double input_at(std::span<const double> a, std::size_t i, int j, int m, double inv_m) {
  return j == m ? a[i] : a[i - 1] + (a[i] - a[i - 1]) * (j * inv_m);
}

// When the lanes differ in sub-step count: each lane's count m_l and 1 / m_l.
// At sub-step j a lane's input is at the fraction j / m_l of the sample step,
// or the sample itself at its last sub-step, as input_at gives it alone;
// past m_l the lane does not step.
struct LaneSchedule {
  vl m, inv_m;
  explicit LaneSchedule(const LaneGroup& g) {
    for (int l = 0; l < lane_count; ++l) m[l] = g.lane_m[l], inv_m[l] = 1.0 / g.lane_m[l];
  }
};

// Where the lanes share m, nothing is scheduled.
struct SharedSchedule {
  explicit SharedSchedule(const LaneGroup&) {}
};

template <bool Mixed>
using ScheduleOf = std::conditional_t<Mixed, LaneSchedule, SharedSchedule>;

bool mixed(const LaneGroup& g) {
  return std::any_of(g.lane_m.begin(), g.lane_m.end(), [&](int m) { return m != g.m; });
}

#define SITEKIT_SELECT(mask, x, y) ((vl)((((vli)(x)) & (mask)) | (((vli)(y)) & ~(mask))))

// Into `hi`, through a parameter: a vector result would change the calling
// convention with the instruction set.
[[gnu::always_inline]] inline void inputs_at(vl& hi, std::span<const double> a, std::size_t i, const LaneSchedule& s,
                                             int j) {
  const vl start = vl{} + a[i - 1], step = vl{} + (a[i] - a[i - 1]), end = vl{} + a[i], jv = vl{} + j;
  hi = SITEKIT_SELECT(jv == s.m, end, start + step * (jv * s.inv_m));
}

// Sub-step j of the lanes that take it; the others keep u and v.
#define SITEKIT_LANE_SUBSTEP(s, j, u, v, lo, hi, c)                                                \
  do {                                                                                           \
    vl su_ = u, sv_ = v;                                                                         \
    const vli on_ = (vl{} + (j)) <= s.m;                                                         \
    SITEKIT_SUBSTEP(su_, sv_, lo, hi, c.a11, c.a12, c.a21, c.a22, c.b11, c.b12, c.b21, c.b22);   \
    u = SITEKIT_SELECT(on_, su_, u);                                                             \
    v = SITEKIT_SELECT(on_, sv_, v);                                                             \
  } while (0)

// A group's step coefficients, one vector each, and the mask of |x|.
struct LaneVectors {
  vli abs_mask;
  vl a11, a12, a21, a22, b11, b12, b21, b22;
};

[[gnu::always_inline]] inline void load(const LaneGroup& g, LaneVectors& c) {
  for (int l = 0; l < lane_count; ++l) {
    const StepCoefficients& k = g.k[l];
    c.abs_mask[l] = INT64_MAX;
    c.a11[l] = k.a11, c.a12[l] = k.a12, c.a21[l] = k.a21, c.a22[l] = k.a22;
    c.b11[l] = k.b11, c.b12[l] = k.b12, c.b21[l] = k.b21, c.b22[l] = k.b22;
  }
}

// The stepping loop, written once and compiled three times: for processors
// with AVX-512 (one register holds the eight lanes, and the ten coefficient
// vectors stay in registers), with AVX2 (two chains of four) and for the
// baseline instruction set.  Every lane does the same operations in the same
// order on all three, so the results do not depend on the processor.
template <bool Record, bool Mixed>
[[gnu::always_inline]] inline LanePeaks step_lanes(std::span<const double> a, const LaneGroup& g, double zeta,
                                                   double* const* history) {
  static_assert(!(Record && Mixed), "a history needs lanes that share m");
  LaneVectors c;
  load(g, c);
  const vli abs_mask = c.abs_mask;
  vl w2, cv;
  for (int l = 0; l < lane_count; ++l) {
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
  const ScheduleOf<Mixed> sched(g);
  for (std::size_t i = 1; i < a.size(); ++i) {
    [[maybe_unused]] double lo = a[i - 1];
    [[maybe_unused]] vl lanes_lo = vl{} + a[i - 1];
    for (int j = 1; j <= g.m; ++j) {
      if constexpr (Mixed) {
        vl hi;
        inputs_at(hi, a, i, sched, j);
        SITEKIT_LANE_SUBSTEP(sched, j, u, v, lanes_lo, hi, c);
        lanes_lo = hi;
      } else {
        const double hi = input_at(a, i, j, g.m, inv_m);
        SITEKIT_SUBSTEP(u, v, lo, hi, c.a11, c.a12, c.a21, c.a22, c.b11, c.b12, c.b21, c.b22);
        lo = hi;
      }
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

template <bool Third, bool Mixed>
[[gnu::always_inline]] inline void step_pair(std::span<const double> a1, std::span<const double> a2,
                                             std::span<const double> a3, const LaneGroup& g, PairTrack& t) {
  const ScheduleOf<Mixed> sched(g);
  LaneVectors c;
  load(g, c);
  const vli abs_mask = c.abs_mask;
  const vl zero = {};
  vl u1 = zero, v1 = zero, u2 = zero, v2 = zero, peak1 = zero, peak2 = zero;
  vl u3 = zero, v3 = zero, peak3 = zero;
  const double inv_m = 1.0 / g.m;
  auto keep_sub = [&](std::size_t j) {
    for (int l = 0; l < lane_count; ++l) t.sub1[l * t.subs + j] = u1[l], t.sub2[l * t.subs + j] = u2[l];
  };
  keep_sub(0);
  for (std::size_t r = 0; r < t.runs; ++r) {
    vl lo1 = u1, hi1 = u1, lo2 = u2, hi2 = u2;  // the run's first point is its start
    for (int l = 0; l < lane_count; ++l) {
      double* s = &t.state[(l * t.runs + r) * 4];
      s[0] = u1[l], s[1] = v1[l], s[2] = u2[l], s[3] = v2[l];
    }
    const std::size_t end = std::min(t.n, 1 + (r + 1) * PairTrack::run);
    for (std::size_t i = 1 + r * PairTrack::run; i < end; ++i) {
      [[maybe_unused]] double in1 = a1[i - 1], in2 = a2[i - 1], in3 = Third ? a3[i - 1] : 0.0;
      [[maybe_unused]] vl lanes_in1 = vl{} + in1, lanes_in2 = vl{} + in2, lanes_in3 = vl{} + in3;
      for (int j = 1; j <= g.m; ++j) {
        if constexpr (Mixed) {
          vl next1, next2;
          inputs_at(next1, a1, i, sched, j), inputs_at(next2, a2, i, sched, j);
          SITEKIT_LANE_SUBSTEP(sched, j, u1, v1, lanes_in1, next1, c);
          SITEKIT_LANE_SUBSTEP(sched, j, u2, v2, lanes_in2, next2, c);
          lanes_in1 = next1, lanes_in2 = next2;
          if constexpr (Third) {
            vl next3;
            inputs_at(next3, a3, i, sched, j);
            SITEKIT_LANE_SUBSTEP(sched, j, u3, v3, lanes_in3, next3, c);
            lanes_in3 = next3;
          }
        } else {
          const double next1 = input_at(a1, i, j, g.m, inv_m), next2 = input_at(a2, i, j, g.m, inv_m);
          SITEKIT_SUBSTEP(u1, v1, in1, next1, c.a11, c.a12, c.a21, c.a22, c.b11, c.b12, c.b21, c.b22);
          SITEKIT_SUBSTEP(u2, v2, in2, next2, c.a11, c.a12, c.a21, c.a22, c.b11, c.b12, c.b21, c.b22);
          in1 = next1, in2 = next2;
          if constexpr (Third) {
            const double next3 = input_at(a3, i, j, g.m, inv_m);
            SITEKIT_SUBSTEP(u3, v3, in3, next3, c.a11, c.a12, c.a21, c.a22, c.b11, c.b12, c.b21, c.b22);
            in3 = next3;
          }
        }
        if constexpr (Third) peak3 = SITEKIT_MAX(peak3, SITEKIT_ABS(u3));
        peak1 = SITEKIT_MAX(peak1, SITEKIT_ABS(u1));
        peak2 = SITEKIT_MAX(peak2, SITEKIT_ABS(u2));
        lo1 = SITEKIT_MIN(lo1, u1), hi1 = SITEKIT_MAX(hi1, u1);
        lo2 = SITEKIT_MIN(lo2, u2), hi2 = SITEKIT_MAX(hi2, u2);
      }
      if (i % PairTrack::stride == 0) keep_sub(i / PairTrack::stride);
    }
    for (int l = 0; l < lane_count; ++l) {
      double* b = &t.box[(l * t.runs + r) * 4];
      b[0] = lo1[l], b[1] = hi1[l], b[2] = lo2[l], b[3] = hi2[l];
    }
  }
  for (int l = 0; l < lane_count; ++l) t.peak1[l] = peak1[l], t.peak2[l] = peak2[l], t.peak3[l] = peak3[l];
}

[[gnu::always_inline]] inline void step_pair(std::span<const double> a1, std::span<const double> a2,
                                             std::span<const double> a3, const LaneGroup& g, PairTrack& t) {
  const bool m = mixed(g);
  if (a3.empty()) return m ? step_pair<false, true>(a1, a2, a3, g, t) : step_pair<false, false>(a1, a2, a3, g, t);
  m ? step_pair<true, true>(a1, a2, a3, g, t) : step_pair<true, false>(a1, a2, a3, g, t);
}

#if defined(__x86_64__)
[[gnu::target("avx512f")]] void pair_avx512(std::span<const double> a1, std::span<const double> a2,
                                            std::span<const double> a3, const LaneGroup& g, PairTrack& t) {
  step_pair(a1, a2, a3, g, t);
}
[[gnu::target("avx2")]] void pair_avx2(std::span<const double> a1, std::span<const double> a2,
                                       std::span<const double> a3, const LaneGroup& g, PairTrack& t) {
  step_pair(a1, a2, a3, g, t);
}
#endif
void pair_base(std::span<const double> a1, std::span<const double> a2, std::span<const double> a3,
               const LaneGroup& g, PairTrack& t) {
  step_pair(a1, a2, a3, g, t);
}

[[gnu::always_inline]] inline LanePeaks step_lanes(std::span<const double> a, const LaneGroup& g, double zeta,
                                                   double* const* history) {
  if (history) return step_lanes<true, false>(a, g, zeta, history);
  return mixed(g) ? step_lanes<false, true>(a, g, zeta, nullptr) : step_lanes<false, false>(a, g, zeta, nullptr);
}

#if defined(__x86_64__)
[[gnu::target("avx512f")]] LanePeaks step_lanes_avx512(std::span<const double> a, const LaneGroup& g, double zeta,
                                                      double* const* history) {
  return step_lanes(a, g, zeta, history);
}

[[gnu::target("avx2")]] LanePeaks step_lanes_avx2(std::span<const double> a, const LaneGroup& g, double zeta,
                                                  double* const* history) {
  return step_lanes(a, g, zeta, history);
}
#endif

LanePeaks step_lanes_base(std::span<const double> a, const LaneGroup& g, double zeta, double* const* history) {
  return step_lanes(a, g, zeta, history);
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

void run_pair(std::span<const double> a1, std::span<const double> a2, std::span<const double> a3,
              const LaneGroup& g, PairTrack& t) {
  t.n = std::min(a1.size(), a2.size());
  t.runs = t.n > 1 ? (t.n - 2) / PairTrack::run + 1 : 0;
  t.subs = t.n == 0 ? 0 : (t.n - 1) / PairTrack::stride + 1;
  t.sub1.resize(lane_count * t.subs), t.sub2.resize(lane_count * t.subs);
  t.box.resize(lane_count * t.runs * 4), t.state.resize(lane_count * t.runs * 4);
  t.peak1.fill(0.0), t.peak2.fill(0.0), t.peak3.fill(0.0);
  if (t.n == 0) return;
  if (a3.size() < t.n) a3 = {};
#if defined(__x86_64__)
  static const bool avx512 = __builtin_cpu_supports("avx512f"), avx2 = __builtin_cpu_supports("avx2");
  if (avx512) return pair_avx512(a1, a2, a3, g, t);
  if (avx2) return pair_avx2(a1, a2, a3, g, t);
#endif
  pair_base(a1, a2, a3, g, t);
}

void replay_run(std::span<const double> a1, std::span<const double> a2, const LaneGroup& g, const PairTrack& t,
                int l, std::size_t r, std::vector<double>& x, std::vector<double>& y) {
  const StepCoefficients& k = g.k[l];
  const double* s = &t.state[(l * t.runs + r) * 4];
  double u1 = s[0], v1 = s[1], u2 = s[2], v2 = s[3];
  x.push_back(u1), y.push_back(u2);
  const int m = g.lane_m[l];
  const double inv_m = 1.0 / m;
  const std::size_t end = std::min(t.n, 1 + (r + 1) * PairTrack::run);
  for (std::size_t i = 1 + r * PairTrack::run; i < end; ++i) {
    double in1 = a1[i - 1], in2 = a2[i - 1];
    for (int j = 1; j <= m; ++j) {
      const double next1 = input_at(a1, i, j, m, inv_m), next2 = input_at(a2, i, j, m, inv_m);
      SITEKIT_SUBSTEP(u1, v1, in1, next1, k.a11, k.a12, k.a21, k.a22, k.b11, k.b12, k.b21, k.b22);
      SITEKIT_SUBSTEP(u2, v2, in2, next2, k.a11, k.a12, k.a21, k.a22, k.b11, k.b12, k.b21, k.b22);
      in1 = next1, in2 = next2;
      x.push_back(u1), y.push_back(u2);
    }
  }
}

#undef SITEKIT_ABS
#undef SITEKIT_MAX
#undef SITEKIT_MIN
#undef SITEKIT_SUBSTEP
#undef SITEKIT_SELECT
#undef SITEKIT_LANE_SUBSTEP

}  // namespace sitekit::spectra::detail
