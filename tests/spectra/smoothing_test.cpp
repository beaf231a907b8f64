// Konno-Ohmachi smoothing against values computed independently from the
// window's definition on the grid nf = 4096, dt = 0.01 (df = 0.0244140625 Hz,
// bins 0..2048 up to the Nyquist frequency).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "spectra/smoothing.h"

namespace sitekit::spectra {
namespace {

constexpr double df = 0.0244140625;
constexpr std::size_t bins = 2049;

std::vector<double> grid() {
  std::vector<double> f(bins);
  for (std::size_t k = 0; k < bins; ++k) f[k] = k * df;
  return f;
}

// Smoothed value of x at fc, or NaN where the row is omitted.
double smooth_at(const std::vector<double>& x, double fc, double b = 40.0) {
  const std::vector<double> f = grid();
  const double c[] = {fc};
  const Smoothed s = konno_ohmachi(f, {x}, c, b);
  return s.freq.empty() ? NAN : s.columns[0][0];
}

std::vector<double> spike(std::size_t at) {
  std::vector<double> x(bins, 0.0);
  x[at] = 1.0;
  return x;
}

TEST(SmoothingWindowCentre, SpikeSpreadsByTheNormalisedWindow) {
  struct Row { std::size_t bin; double b, expected; };
  const Row rows[] = {
      {205, 40.0, 4.041071e-2},  // at the spike: 1 / (window sum)
      {208, 40.0, 3.816859e-2},
      {202, 40.0, 3.925255e-2},
      {205, 20.0, 2.013191e-2},
  };
  for (const Row& r : rows)
    EXPECT_NEAR(smooth_at(spike(205), r.bin * df, r.b) / r.expected, 1.0, 1e-6) << r.bin << " b=" << r.b;
}

TEST(SmoothingWindowCentre, RampKeepsItsSlopeUpToTheWindowsSkew) {
  std::vector<double> ramp = grid();
  struct Row { double fc, expected; };
  const Row rows[] = {{1.0, 1.0041316}, {5.0, 5.0190612}, {10.0, 10.0373927}};
  for (const Row& r : rows) EXPECT_NEAR(smooth_at(ramp, r.fc) / r.expected, 1.0, 1e-7) << r.fc;
}

TEST(SmoothingWindowCentre, ConstantStaysConstant) {
  const std::vector<double> one(bins, 1.0);
  for (double fc : {df, 0.05, 0.3, 1.0, 7.77, 25.0, 49.9, 50.0}) EXPECT_NEAR(smooth_at(one, fc), 1.0, 1e-13) << fc;
}

TEST(SmoothingAtZero, TheZeroBinPassesThroughAndLowCentresAreOmitted) {
  std::vector<double> x = grid();
  x[0] = 3.5;
  struct Row { double fc, expected; };  // NaN: no row
  const Row rows[] = {
      {0.0, 3.5},          // the window is 1 at f = 0 only
      {0.2 * df, NAN},     // below the first bin: raw window sum far below 0.3
      {0.5 * df, NAN},
      {df, smooth_at(x, df)},
  };
  for (const Row& r : rows) {
    const double s = smooth_at(x, r.fc);
    if (std::isnan(r.expected)) EXPECT_TRUE(std::isnan(s)) << r.fc;
    else EXPECT_DOUBLE_EQ(s, r.expected) << r.fc;
  }
  EXPECT_FALSE(std::isnan(smooth_at(x, df)));
}

TEST(SmoothingColumns, EveryColumnSharesTheWindowAndThreadsChangeNothing) {
  const std::vector<double> f = grid();
  std::vector<double> a(bins), b(bins);
  for (std::size_t k = 0; k < bins; ++k) a[k] = 1.0 + std::sin(0.01 * k), b[k] = 2.0 * a[k];
  const std::vector<double> centres = log_grid(df, 50.0);
  const Smoothed one = konno_ohmachi(f, {a, b}, centres, 40.0, 1);
  const Smoothed two = konno_ohmachi(f, {a, b}, centres, 40.0, 2);
  // Centres between the first, widely spaced bins see too little window.
  ASSERT_EQ(one.freq, two.freq);
  EXPECT_EQ(one.freq.size(), 288u);
  for (std::size_t i = 0; i < one.freq.size(); ++i) {
    EXPECT_DOUBLE_EQ(one.columns[1][i], 2.0 * one.columns[0][i]);
    EXPECT_EQ(one.columns[0][i], two.columns[0][i]);
  }
}

TEST(SmoothingGrid, HundredPointsPerDecadeOnTheDecades) {
  struct Row { double lo, hi; std::size_t count; double first, last; };
  const Row rows[] = {
      {1.0, 10.0, 101, 1.0, 10.0},
      {0.0244140625, 50.0, 331, std::pow(10.0, -161 / 100.0), std::pow(10.0, 169 / 100.0)},
      {2.0, 2.01, 0, 0, 0},
  };
  for (const Row& r : rows) {
    const std::vector<double> g = log_grid(r.lo, r.hi);
    ASSERT_EQ(g.size(), r.count) << r.lo;
    if (g.empty()) continue;
    EXPECT_DOUBLE_EQ(g.front(), r.first);
    EXPECT_DOUBLE_EQ(g.back(), r.last);
  }
}

}  // namespace
}  // namespace sitekit::spectra
