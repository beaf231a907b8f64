#pragma once
// Eight oscillators stepped together over one record: the recurrence of each
// is a serial chain whose every step waits on the last, so independent
// periods side by side fill the vector units (two four-lane chains where
// vectors hold four doubles) while each chain waits.  Periods that share a
// sub-step count share a group; a group of fewer than eight repeats its
// last period.
#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "spectra/oscillator.h"

namespace sitekit::spectra::detail {

inline constexpr int lane_count = 8;

struct LaneGroup {
  int m = 1;                                  // sub-steps per sample step
  std::array<std::size_t, lane_count> index;  // positions in the caller's period list
  std::array<double, lane_count> omega;
  std::array<StepCoefficients, lane_count> k;
};

// Groups for every period > 0 of the list (period 0 has no oscillator).
std::vector<LaneGroup> plan_groups(std::span<const double> periods, double dt, double zeta);

struct LanePeaks {
  std::array<double, lane_count> sd{}, pta{};
};

// Steps the eight oscillators of g over a.  With history non-null, lane l
// stores u at every sub-step point (1 + (n-1) m values, from t = 0) at
// history[l].  A repeated period may share its original's history.
LanePeaks run_group(std::span<const double> a, const LaneGroup& g, double zeta,
                    double* const* history = nullptr);

// Number of history points of one lane.
inline std::size_t history_length(std::size_t n, int m) {
  return n == 0 ? 0 : 1 + (n - 1) * static_cast<std::size_t>(m);
}

}  // namespace sitekit::spectra::detail
