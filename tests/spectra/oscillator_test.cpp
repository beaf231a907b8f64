// The oscillator against values computed independently from its closed
// forms: the step, resonance under a sine, and the sub-step rule.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "spectra/lanes.h"
#include "spectra/oscillator.h"
#include "spectra/spectrum.h"

namespace sitekit::spectra {
namespace {

double psa(const std::vector<double>& a, double dt, double period, double zeta) {
  const double p[] = {period};
  return response_spectrum(a, dt, p, zeta)[0].psa;
}

// PSA with one step per sample: the rule switched off.
double psa_without_substeps(const std::vector<double>& a, double dt, double period, double zeta) {
  const double p[] = {period};
  detail::LaneGroup g = detail::plan_groups(p, dt, zeta)[0];
  g.m = 1;
  g.lane_m.fill(1);
  for (auto& k : g.k) k = nigam_jennings(g.omega[0], zeta, dt);
  return g.omega[0] * g.omega[0] * detail::run_group(a, g, zeta).sd[0];
}

std::vector<double> step(int n) { return std::vector<double>(n, 1.0); }

std::vector<double> sine(int n, double dt) {
  std::vector<double> a(n);
  for (int k = 0; k < n; ++k) a[k] = std::sin(2.0 * std::numbers::pi * k * dt);
  return a;
}

TEST(OscillatorStep, PeakOfTheStepResponse) {
  struct Row { double zeta, expected; };
  const Row rows[] = {
      {0.05, 1.854461},  // continuous limit 1 + exp(-pi zeta / sqrt(1 - zeta^2)) = 1.854468
      {0.00, 2.000000},
  };
  for (const Row& r : rows) EXPECT_NEAR(psa(step(301), 0.01, 1.0, r.zeta), r.expected, 5e-7) << r.zeta;
}

TEST(OscillatorSubstep, ShortPeriodsReachTheStepPeak) {
  struct Row { double period, with_rule, without_rule; };
  const Row rows[] = {
      {0.03, 1.854461, 1.444250},
      {0.05, 1.854461, 1.696532},
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(psa(step(101), 0.01, r.period, 0.05), r.with_rule, 5e-7) << r.period;
    EXPECT_NEAR(psa_without_substeps(step(101), 0.01, r.period, 0.05), r.without_rule, 5e-7) << r.period;
  }
}

TEST(OscillatorSubstep, CountFollowsTenPerPeriod) {
  struct Row { double dt, period; int m; };
  const Row rows[] = {
      {0.01, 1.0, 1}, {0.01, 0.1, 1}, {0.01, 0.05, 2}, {0.01, 0.03, 4},
      {0.005, 0.01, 5}, {0.005, 0.02, 3}, {0.005, 0.05, 1}, {0.02, 0.01, 20},
  };
  for (const Row& r : rows) EXPECT_EQ(substeps(r.dt, r.period), r.m) << r.dt << " " << r.period;
}

TEST(OscillatorResonance, SineAtThePeriodBuildsUp) {
  struct Row { int cycles; double expected; };
  const Row rows[] = {
      {5, 7.924290},
      {20, 9.978419},
      {60, 9.996711},  // steady state 10 sinc^2(0.01)
  };
  for (const Row& r : rows) EXPECT_NEAR(psa(sine(100 * r.cycles + 1, 0.01), 0.01, 1.0, 0.05), r.expected, 5e-6) << r.cycles;
}

TEST(OscillatorOutputs, PseudoValuesFollowFromTheDisplacement) {
  const double periods[] = {0.0, 0.02, 0.5, 3.0};
  const std::vector<double> a = sine(801, 0.01);
  for (const SpectralValue& v : response_spectrum(a, 0.01, periods, 0.05)) {
    if (v.period == 0.0) {
      EXPECT_DOUBLE_EQ(v.psa, 1.0);
      EXPECT_DOUBLE_EQ(v.pta, 1.0);
      continue;
    }
    const double w = 2.0 * std::numbers::pi / v.period;
    EXPECT_DOUBLE_EQ(v.psv, w * v.sd);
    EXPECT_DOUBLE_EQ(v.psa, w * w * v.sd);
    // With 5 % damping the total acceleration differs from PSA by the
    // damping force only: within a few percent, and equal at zero damping.
    EXPECT_NEAR(v.pta / v.psa, 1.0, 0.11) << v.period;
  }
}

// Periods of 5, 3 and 1 sub-steps share a group of lanes; each must give
// the numbers it gives alone, on one thread or two.
TEST(OscillatorOutputs, NeitherThreadsNorSharedLanesChangeValues) {
  std::vector<double> a = sine(3001, 0.005);
  for (std::size_t k = 0; k < a.size(); ++k) a[k] *= std::exp(-0.001 * k);
  const std::vector<double> periods = {0.01, 0.02, 0.05, 0.1, 0.3, 1.0, 2.0, 5.0, 10.0};
  const auto one = response_spectrum(a, 0.005, periods, 0.05, 1);
  const auto two = response_spectrum(a, 0.005, periods, 0.05, 2);
  for (std::size_t i = 0; i < periods.size(); ++i) {
    const double p[] = {periods[i]};
    const SpectralValue alone = response_spectrum(a, 0.005, p, 0.05)[0];
    EXPECT_EQ(one[i].psa, two[i].psa) << periods[i];
    EXPECT_EQ(one[i].psa, alone.psa) << periods[i];
    EXPECT_EQ(one[i].pta, alone.pta) << periods[i];
  }
}

TEST(OscillatorOutputs, ZeroDampingKeepsTheStaticLimit) {
  // A very stiff oscillator follows the ground: PSA tends to the peak
  // acceleration and SD to PGA / omega^2.
  const std::vector<double> a = sine(401, 0.01);
  const double p[] = {0.001};
  const SpectralValue v = response_spectrum(a, 0.01, p, 0.0)[0];
  EXPECT_NEAR(v.psa, 1.0, 1e-4);
}

}  // namespace
}  // namespace sitekit::spectra
