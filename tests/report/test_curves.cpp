// What the page says about curves: the first resonance of an amplification
// curve, the columns' roles, and the statistics of a suite.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "report/column_role.h"
#include "report/first_peak.h"
#include "report/suite_stats.h"

namespace sitekit::report {
namespace {

struct PeakCase {
  const char* phenomenon;
  std::vector<double> y;     // at f = 0, 1, 2, ...
  double f, height;          // f < 0: no peak
};

TEST(FirstPeak, LowestResonanceThatStandsOut) {
  const PeakCase cases[] = {
      {"clear peak after a flat start", {2, 2, 2, 5, 9, 4, 2, 3, 12, 3}, 4, 9},
      {"ripple below 10 % is skipped", {2, 2, 2.1, 2.05, 2, 6, 1, 1}, 5, 6},
      {"zero-frequency row never counts", {9, 1, 1, 4, 1}, 3, 4},
      {"rising to the end: no peak", {1, 2, 3, 4, 5}, -1, 0},
      {"flat curve: no peak", {2, 2, 2, 2}, -1, 0},
      {"NaN beside a value hides it", {1, 1, NAN, 5, 1, 1, 3, 1}, 6, 3},
      {"a peak followed by a higher one counts when it stands out on its right",
       {1, 1, 4, 3, 5, 1}, 2, 4},
      {"a shoulder on the way up does not", {1, 1, 4, 3.9, 5, 1}, 4, 5},
  };
  for (const auto& c : cases) {
    std::vector<double> f(c.y.size());
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = static_cast<double>(i);
    const auto p = first_peak(f, c.y);
    if (c.f < 0) {
      EXPECT_FALSE(p) << c.phenomenon;
    } else {
      ASSERT_TRUE(p) << c.phenomenon;
      EXPECT_EQ(p->f, c.f) << c.phenomenon;
      EXPECT_EQ(p->height, c.height) << c.phenomenon;
    }
  }
}

TEST(ColumnRoles, InputSurfaceAndRatioColumnsPairUp) {
  const std::tuple<const char*, Role, const char*> cases[] = {
      {"PSA_input_H1_5", Role::input, "PSA_H1_5"},   {"PSA_surface_H1_5", Role::surface, "PSA_H1_5"},
      {"ratio_RotD50_5", Role::ratio, "RotD50_5"},   {"PGA_in_H1", Role::input, "PGA_H1"},
      {"Arias surf V1", Role::surface, "Arias_V1"},  {"PSA_H1_5", Role::other, "PSA_H1_5"},
      {"period_s", Role::other, "period_s"},         {"INPUT-pgv", Role::input, "pgv"},
      {"input_surface_x", Role::input, "surface_x"}, {"Pinput_H1", Role::other, "Pinput_H1"},
  };
  for (const auto& [heading, role, rest] : cases) {
    const ColumnRole r = column_role(heading);
    EXPECT_EQ(r.role, role) << heading;
    EXPECT_EQ(r.rest, rest) << heading;
  }
}

TEST(Quantiles, LinearBetweenOrderStatistics) {
  const std::tuple<std::vector<double>, double, double> cases[] = {
      {{3}, 0.16, 3},
      {{1, 2, 3}, 0.5, 2},
      {{4, 1, 3, 2}, 0.5, 2.5},
      {{1, 2, 3, 4, 5, 6}, 0.16, 1.8},
      {{1, 2, 3, 4, 5, 6}, 0.84, 5.2},
      {{1, NAN, 3, INFINITY}, 0.5, 2},
  };
  for (const auto& [v, p, q] : cases) EXPECT_NEAR(quantile(v, p), q, 1e-12);
  EXPECT_TRUE(std::isnan(quantile({NAN}, 0.5)));
  const Band b = percentiles({{1, 10}, {2, 20}, {3, 30}});
  EXPECT_EQ(b.p50, (std::vector<double>{2, 20}));
}

TEST(LogInterpolation, LinearInLogFrequency) {
  const std::vector<double> x{1, 10, 100}, y{0, 1, 3};
  const std::vector<double> at{1, std::sqrt(10.0), 10, 31.622776601683793, 0.5, 200};
  const auto out = interp_log_x(x, y, at);
  EXPECT_DOUBLE_EQ(out[0], 0);
  EXPECT_NEAR(out[1], 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(out[2], 1);
  EXPECT_NEAR(out[3], 2, 1e-12);
  EXPECT_TRUE(std::isnan(out[4]));
  EXPECT_TRUE(std::isnan(out[5]));
}

}  // namespace
}  // namespace sitekit::report
