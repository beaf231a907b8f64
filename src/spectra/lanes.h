#pragma once
// Eight oscillators stepped together over one record: the recurrence of each
// is a serial chain whose every step waits on the last, so independent
// periods side by side fill the vector units (two four-lane chains where
// vectors hold four doubles) while each chain waits.  Periods fill the
// groups in order of their sub-step counts; a group takes the largest count
// of its lanes, and a lane with fewer sub-steps keeps its state through the
// extra ones, so that every lane gives the numbers it gives alone.  A group
// of fewer than eight repeats its last period.
#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "spectra/oscillator.h"

namespace sitekit::spectra::detail {

inline constexpr int lane_count = 8;

struct LaneGroup {
  int m = 1;                                  // sub-steps per sample step: the largest of lane_m
  std::array<int, lane_count> lane_m{};       // each lane's own sub-step count
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
// history[l]; the lanes must then share m (a group of one period does).  A
// repeated period may share its original's history.
LanePeaks run_group(std::span<const double> a, const LaneGroup& g, double zeta,
                    double* const* history = nullptr);

// Both horizontal components of a group stepped together, for RotD, with
// what the rotated peaks need kept instead of the histories: every stride-th
// sample point, and per run of `run` samples the state at its start and
// the box of its points.  A run whose box lies inside the hull of the
// sub-sampled points cannot add a vertex; the few that can are stepped
// again from their state (replay_run), to the same numbers.
struct PairTrack {
  static constexpr std::size_t run = 32, stride = 16;
  std::size_t n = 0, runs = 0, subs = 0;  // samples, runs, sub-sampled points per lane
  std::vector<double> sub1, sub2;         // [l * subs + j]: u1, u2 at sample j * stride
  std::vector<double> box;                // [(l * runs + r) * 4 + 0..3]: least u1, most u1, least u2, most u2
  std::vector<double> state;              // [(l * runs + r) * 4 + 0..3]: u1, v1, u2, v2 at the run's start
  std::array<double, lane_count> peak1{}, peak2{}, peak3{};  // largest |u1|, |u2|, |u3|
};

// Run r covers the steps to samples 1 + r * run ... ; its points are the
// sub-step points of those steps.  A third input a3 (the vertical, as long
// as the others, or empty) is stepped alongside for its peak alone: a third
// independent chain costs less beside the two than on its own.
void run_pair(std::span<const double> a1, std::span<const double> a2, std::span<const double> a3,
              const LaneGroup& g, PairTrack& t);

// The points of run r of lane l, appended to x and y.
void replay_run(std::span<const double> a1, std::span<const double> a2, const LaneGroup& g, const PairTrack& t,
                int l, std::size_t r, std::vector<double>& x, std::vector<double>& y);

// Number of history points of one lane.
inline std::size_t history_length(std::size_t n, int m) {
  return n == 0 ? 0 : 1 + (n - 1) * static_cast<std::size_t>(m);
}

}  // namespace sitekit::spectra::detail
