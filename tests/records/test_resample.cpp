// The anti-alias low-pass of --resample: what it keeps and what it removes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "records/resample.h"

namespace {

using namespace sitekit::records;

std::vector<double> sine(double f, double dt, std::size_t n) {
  std::vector<double> x(n);
  for (std::size_t k = 0; k < n; ++k) x[k] = std::sin(2 * std::numbers::pi * f * static_cast<double>(k) * dt);
  return x;
}

// Peak of the middle half, away from the ends' transients.
double middle_peak(const std::vector<double>& y) {
  double p = 0;
  for (std::size_t k = y.size() / 4; k < 3 * y.size() / 4; ++k) p = std::max(p, std::fabs(y[k]));
  return p;
}

TEST(ResampleBands, PassBandKeptStopBandRemoved) {
  // 200 Hz to 50 Hz: new Nyquist 25 Hz.
  const double dt = 0.005, new_dt = 0.02, nyquist = 25.0;
  struct Case {
    double f;
    double lo, hi;
  };
  const Case cases[] = {
      {0.5, 0.999, 1.001},
      {0.5 * resample_pass_band * nyquist, 0.999, 1.001},
      {resample_pass_band * nyquist, 0.99, 1.01},
      {1.2 * nyquist, 0.0, 1e-5},
      {1.9 * nyquist, 0.0, 1e-5},
  };
  for (const Case& c : cases) {
    const auto y = resample(sine(c.f, dt, 8000), dt, new_dt);
    ASSERT_TRUE(y);
    EXPECT_EQ(y.value().size(), 2000u);
    const double p = middle_peak(y.value());
    EXPECT_GE(p, c.lo) << c.f << " Hz";
    EXPECT_LE(p, c.hi) << c.f << " Hz";
  }
}

TEST(ResampleBands, NoDelay) {
  const double dt = 0.01, new_dt = 0.025;
  const auto y = resample(sine(1.0, dt, 4000), dt, new_dt);
  ASSERT_TRUE(y);
  for (std::size_t k = 400; k < 1200; k += 97)
    EXPECT_NEAR(y.value()[k], std::sin(2 * std::numbers::pi * 1.0 * static_cast<double>(k) * new_dt), 1e-3) << k;
}

}  // namespace
