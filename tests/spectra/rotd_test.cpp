// RotD: the hull shortcut against projecting every point, and trajectories
// whose rotated peaks are known in closed form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

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

TEST(RotDHull, PeaksEqualProjectingEveryPoint) {
  struct Row { const char* what; unsigned seed; double sx, sy, corr; std::size_t n; };
  const Row rows[] = {
      {"round cloud", 1, 1.0, 1.0, 0.0, 5000},
      {"elongated, tilted", 2, 3.0, 0.2, 0.9, 5000},
      {"few points", 3, 1.0, 2.0, 0.3, 3},
      {"one point", 4, 1.0, 1.0, 0.0, 1},
      {"on a line", 5, 1.0, 0.0, 0.0, 100},
  };
  for (const Row& r : rows) {
    std::mt19937 gen(r.seed);
    std::normal_distribution<double> g(0.0, 1.0);
    std::vector<double> x(r.n), y(r.n);
    for (std::size_t i = 0; i < r.n; ++i) {
      const double a = g(gen), b = g(gen);
      x[i] = r.sx * a;
      y[i] = r.sy * (r.corr * a + std::sqrt(1 - r.corr * r.corr) * b);
    }
    const std::vector<double> fast = rotated_peaks(x, y), slow = brute_force_peaks(x, y);
    for (int k = 0; k < 180; ++k) EXPECT_NEAR(fast[k], slow[k], 1e-12 * slow[k]) << r.what << " angle " << k;
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

}  // namespace
}  // namespace sitekit::spectra
