// Intensity measures of histories whose integrals are known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "spectra/intensity.h"

namespace sitekit::spectra {
namespace {

TEST(IntensityClosedForm, ConstantRampAndSine) {
  const double dt = 0.01, g = standard_gravity_cm_s2, pi = std::numbers::pi;
  const int n = 1001;  // 10 s
  std::vector<double> constant(n, 2.0), ramp(n), sine(n);
  for (int k = 0; k < n; ++k) ramp[k] = 0.1 * k * dt, sine[k] = std::sin(2 * pi * k * dt);
  struct Row { const char* what; const std::vector<double>& a; Intensity expected; double tol; };
  const Row rows[] = {
      // a = 2: v = 2t, d = t^2, Ia = pi/(2g) 4T, CAV = 2T, D5-95 = 0.9 T.
      {"constant", constant, {2.0, 20.0, 100.0, pi / (2 * g) * 40.0, 9.0, 20.0}, 1e-12},
      // a = 0.1 t: the trapezoid is exact for v = 0.05 t^2 up to dt^2 terms;
      // int a^2 = 0.01 T^3 / 3, D5-95 = T (0.95^(1/3) - 0.05^(1/3)).
      {"ramp", ramp, {1.0, 5.0, 50.0 / 3.0, pi / (2 * g) * 10.0 / 3.0,
                      10.0 * (std::cbrt(0.95) - std::cbrt(0.05)), 5.0}, 2e-5},
      // Ten cycles of a unit sine: v = (1 - cos)/(2 pi), d = t/(2 pi) - sin/(4 pi^2),
      // int a^2 = T/2, CAV = 10 * 2/pi.
      {"sine", sine, {1.0, 1.0 / pi, 10.0 / (2 * pi), pi / (2 * g) * 5.0, 9.0, 20.0 / pi}, 2e-3},
  };
  for (const Row& r : rows) {
    const Intensity m = intensity(r.a, dt);
    EXPECT_NEAR(m.pga, r.expected.pga, r.tol * r.expected.pga) << r.what;
    EXPECT_NEAR(m.pgv, r.expected.pgv, r.tol * r.expected.pgv) << r.what;
    EXPECT_NEAR(m.pgd, r.expected.pgd, r.tol * r.expected.pgd) << r.what;
    EXPECT_NEAR(m.arias, r.expected.arias, r.tol * r.expected.arias) << r.what;
    EXPECT_NEAR(m.d5_95, r.expected.d5_95, 1e-2) << r.what;
    EXPECT_NEAR(m.cav, r.expected.cav, r.tol * r.expected.cav) << r.what;
  }
}

TEST(IntensityClosedForm, SignChangeInsideAStepSplitsTheAbsoluteIntegral) {
  // a from -1 to +1 over one step: |a| integrates to dt/2, not 0.
  const std::vector<double> a = {-1.0, 1.0};
  EXPECT_DOUBLE_EQ(intensity(a, 0.02).cav, 0.01);
  EXPECT_DOUBLE_EQ(intensity(a, 0.02).arias, std::numbers::pi / (2 * standard_gravity_cm_s2) * 0.02 / 3.0);
}

TEST(IntensityClosedForm, EmptyOrSilentRecordsGiveZeros) {
  const std::vector<double> none, silent(50, 0.0);
  for (const auto* a : {&none, &silent}) {
    const Intensity m = intensity(*a, 0.01);
    EXPECT_EQ(m.pga + m.pgv + m.pgd + m.arias + m.d5_95 + m.cav, 0.0);
  }
}

}  // namespace
}  // namespace sitekit::spectra
