// RotD: the hull shortcut against projecting every point, and trajectories
// whose rotated peaks are known in closed form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "spectra/lanes.h"
#include "spectra/rotd.h"
#include "spectra/spectrum.h"

namespace sitekit::spectra {
namespace {

std::vector<double> brute_force_peaks(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<double> p(180, 0.0);
  for (int k = 0; k < 180; ++k) {
    const double t = std::numbers::pi * k / 180.0;
    for (std::size_t i = 0; i < x.size(); ++i) p[k] = std::max(p[k], std::fabs(x[i] * std::cos(t) + y[i] * std::sin(t)));
  }
  return p;
}

// Oscillator-like: a slowly turning, growing then decaying ellipse, the
// shape of a two-component response history; `thin` squeezes it towards a
// line.
void trajectory(std::vector<double>& x, std::vector<double>& y, std::size_t n, double thin) {
  x.resize(n), y.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double t = 0.001 * i, env = t * std::exp(-t / 20.0);
    x[i] = env * std::cos(7.0 * t) * (1.0 + 0.3 * std::sin(0.05 * t));
    y[i] = thin * env * std::sin(7.3 * t + 0.4);
  }
}

TEST(RotDHull, PeaksEqualProjectingEveryPoint) {
  // The peaks are the same numbers, not merely close: the shortcut only
  // decides which points are projected.
  // seed 0: a trajectory squeezed by `thin`; otherwise a normal cloud
  // (thin < 0: in near-twin pairs).
  struct Row { const char* what; unsigned seed; double sx, sy, corr; std::size_t n; double thin; };
  const Row rows[] = {
      {"round cloud", 1, 1.0, 1.0, 0.0, 5000, 0},
      {"elongated, tilted", 2, 3.0, 0.2, 0.9, 5000, 0},
      {"few points", 3, 1.0, 2.0, 0.3, 3, 0},
      {"one point", 4, 1.0, 1.0, 0.0, 1, 0},
      {"on a line", 5, 1.0, 0.0, 0.0, 100, 0},
      {"long cloud, sub-sampled inner hull", 6, 2.0, 1.0, 0.5, 200000, 0},
      {"long history", 0, 0, 0, 0, 300000, 1.0},
      {"long history, nearly a line", 0, 0, 0, 0, 300000, 1e-7},
      {"long history on a line", 0, 0, 0, 0, 300000, 0.0},
      {"long cloud of near-twins (points one ulp apart)", 7, 1.5, 1.0, 0.3, 100000, -1.0},
  };
  for (const Row& r : rows) {
    std::vector<double> x(r.n), y(r.n);
    if (r.seed == 0) {
      trajectory(x, y, r.n, r.thin);
    } else {
      std::mt19937 gen(r.seed);
      std::normal_distribution<double> g(0.0, 1.0);
      for (std::size_t i = 0; i < r.n; ++i) {
        const double a = g(gen), b = g(gen);
        x[i] = r.sx * a;
        y[i] = r.sy * (r.corr * a + std::sqrt(1 - r.corr * r.corr) * b);
      }
      // Every other point a twin of the one before, one ulp away: hull
      // edges of rounding length, whose normals are noise.
      if (r.thin < 0)
        for (std::size_t i = 1; i < r.n; i += 2)
          x[i] = std::nextafter(x[i - 1], INFINITY), y[i] = std::nextafter(y[i - 1], -INFINITY);
    }
    const std::vector<double> fast = rotated_peaks(x, y), slow = brute_force_peaks(x, y);
    for (int k = 0; k < 180; ++k) EXPECT_EQ(fast[k], slow[k]) << r.what << " angle " << k;
  }
}

TEST(RotDPercentiles, ClosedFormTrajectories) {
  // x only: peak(angle) = 2 |cos angle|; of the 180 angles, 0 and 90
  // appear once and every other value twice, so the two middle values are
  // both 2 cos 45.
  const std::vector<double> x = {-2.0, 0.5, 1.0}, zero(3, 0.0);
  const RotDValue line = percentiles_of(rotated_peaks(x, zero));
  EXPECT_DOUBLE_EQ(line.rotd100, 2.0);
  const double deg = std::numbers::pi / 180.0;
  EXPECT_NEAR(line.rotd50, 2.0 * std::cos(45 * deg), 1e-12);
  // A circle of radius 3: every angle sees 3.
  std::vector<double> cx, cy;
  for (int k = 0; k < 360; ++k) cx.push_back(3 * std::cos(k * deg)), cy.push_back(3 * std::sin(k * deg));
  const RotDValue circle = percentiles_of(rotated_peaks(cx, cy));
  EXPECT_NEAR(circle.rotd50, 3.0, 1e-12);
  EXPECT_NEAR(circle.rotd100, 3.0, 1e-12);
}

TEST(RotDSpectrum, IdenticalComponentsGiveTheSingleSpectrumTimesRootTwo) {
  // a1 = a2: the rotated motion is (cos + sin) a, largest at 45 degrees.
  std::vector<double> a(2001);
  for (std::size_t k = 0; k < a.size(); ++k) a[k] = std::sin(0.07 * k) * std::exp(-0.002 * k);
  const std::vector<double> periods = {0.0, 0.05, 0.4, 2.0};
  const auto single = response_spectrum(a, 0.01, periods, 0.05);
  const auto rot = rotd_spectrum(a, a, 0.01, periods, 0.05, 2);
  for (std::size_t i = 0; i < periods.size(); ++i)
    EXPECT_NEAR(rot[i].rotd100 / (std::sqrt(2.0) * single[i].psa), 1.0, 1e-12) << periods[i];
}

TEST(RotDSpectrum, SingleComponentsAreTheResponseSpectrumItself) {
  // Same numbers, not close ones: run reads the single components from
  // the RotD pass, the vertical's too, instead of stepping the oscillators
  // again.  Periods from 0 through sub-stepped ones (dt/T up to 2) to long
  // ones.
  std::vector<double> a1(3001), a2(3001), a3(3001), zero(3001, 0.0);
  for (std::size_t k = 0; k < a1.size(); ++k) {
    a1[k] = std::sin(0.31 * k) * std::exp(-0.001 * k) + 0.2 * std::cos(1.7 * k);
    a2[k] = std::cos(0.23 * k + 0.5) * std::exp(-0.002 * k);
    a3[k] = 0.4 * std::sin(0.9 * k + 0.1) * std::exp(-0.003 * k);
  }
  const std::vector<double> periods = {0.0, 0.01, 0.013, 0.05, 0.3, 1.0, 10.0};
  struct Row { const char* what; const std::vector<double>& x; const std::vector<double>& y; const std::vector<double>& z; };
  const Row rows[] = {{"three components", a1, a2, a3}, {"second component zero", a1, zero, a3}};
  for (const Row& r : rows) {
    const auto rot = rotd_spectrum(r.x, r.y, 0.02, periods, 0.05, 2, r.z);
    const auto s1 = response_spectrum(r.x, 0.02, periods, 0.05), s2 = response_spectrum(r.y, 0.02, periods, 0.05);
    const auto s3 = response_spectrum(r.z, 0.02, periods, 0.05);
    for (std::size_t i = 0; i < periods.size(); ++i) {
      EXPECT_EQ(rot[i].psa1, s1[i].psa) << r.what << " T = " << periods[i];
      EXPECT_EQ(rot[i].psa2, s2[i].psa) << r.what << " T = " << periods[i];
      EXPECT_EQ(rot[i].psa3, s3[i].psa) << r.what << " T = " << periods[i];
    }
  }
}

TEST(RotDSpectrum, RunsSteppedAgainGiveThePeaksOfEveryPoint) {
  // The spectrum keeps only every stride-th point and the box of every run
  // of samples, and steps again the runs that poke out of the sub-sampled
  // hull.  Its peaks must be those of the whole recorded histories:
  // a point missed at a run's edge, or stepped again to other numbers,
  // would show.  Records long and short, ending inside a run or on its
  // edge, with sub-stepped periods.
  struct Row { const char* what; std::size_t n; double dt; };
  const Row rows[] = {
      {"ends inside a run", 4000, 0.01},
      {"ends on a run's edge", detail::PairTrack::run * 40 + 1, 0.01},
      {"one run and a point", detail::PairTrack::run + 2, 0.01},
      {"coarse samples, sub-steps", 2500, 0.05},
  };
  const std::vector<double> periods = {0.02, 0.07, 0.2, 0.5, 1.3, 3.0, 8.0};
  for (const Row& r : rows) {
    std::vector<double> a1(r.n), a2(r.n);
    for (std::size_t k = 0; k < r.n; ++k) {
      const double env = std::exp(-std::pow((k * r.dt - 8.0) / 4.0, 2));
      a1[k] = env * (std::sin(2.1 * k * r.dt) + 0.3 * std::sin(17.0 * k * r.dt));
      a2[k] = env * std::cos(3.3 * k * r.dt + 0.2) * (1.0 + 0.5 * std::sin(0.9 * k * r.dt));
    }
    const auto rot = rotd_spectrum(a1, a2, r.dt, periods, 0.05, 2);
    for (std::size_t i = 0; i < periods.size(); ++i) {
      const double p[] = {periods[i]};
      const detail::LaneGroup g = detail::plan_groups(p, r.dt, 0.05)[0];
      std::vector<std::vector<double>> h(2, std::vector<double>(detail::history_length(r.n, g.m)));
      for (int c = 0; c < 2; ++c) {
        double* lanes[detail::lane_count];
        for (double*& l : lanes) l = h[c].data();
        detail::run_group(c == 0 ? a1 : a2, g, 0.05, lanes);
      }
      // Every run stepped again, one after another, is the history itself;
      // each run's box is its least and most values.
      detail::PairTrack t;
      detail::run_pair(a1, a2, {}, g, t);
      std::vector<double> x, y;
      for (std::size_t run = 0; run < t.runs; ++run) {
        std::vector<double> rx, ry;
        detail::replay_run(a1, a2, g, t, 0, run, rx, ry);
        const double* b = &t.box[4 * run];
        EXPECT_EQ(b[0], *std::min_element(rx.begin(), rx.end())) << r.what << " run " << run;
        EXPECT_EQ(b[3], *std::max_element(ry.begin(), ry.end())) << r.what << " run " << run;
        x.insert(x.end(), rx.begin() + (run > 0), rx.end()), y.insert(y.end(), ry.begin() + (run > 0), ry.end());
      }
      EXPECT_EQ(x, h[0]) << r.what << " T = " << periods[i];
      EXPECT_EQ(y, h[1]) << r.what << " T = " << periods[i];
      const RotDValue all = percentiles_of(brute_force_peaks(h[0], h[1]));
      const double w2 = g.omega[0] * g.omega[0];
      EXPECT_EQ(rot[i].rotd50, w2 * all.rotd50) << r.what << " T = " << periods[i];
      EXPECT_EQ(rot[i].rotd100, w2 * all.rotd100) << r.what << " T = " << periods[i];
    }
  }
}

}  // namespace
}  // namespace sitekit::spectra
