// The spectra the page computes itself: Konno-Ohmachi smoothing against
// values worked out independently from its formula, and the input's Fourier
// amplitude shaped as the run shaped the surface motion.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "report/input_spectrum.h"
#include "report/smoothing.h"

namespace sitekit::report {
namespace {

// The grid of a 4096-point transform at 0.01 s, 0 Hz to the Nyquist frequency.
std::vector<double> bins() {
  std::vector<double> f(2049);
  for (std::size_t k = 0; k < f.size(); ++k) f[k] = static_cast<double>(k) * 0.0244140625;
  return f;
}

TEST(KonnoOhmachi, ReferenceValuesOfSpikeRampAndConstant) {
  const auto f = bins();
  std::vector<double> one(f.size(), 1.0), spike(f.size(), 0.0), ramp = f;
  spike[205] = 1.0;
  const std::vector<double> fc{f[205], f[208], f[202], 1.0, 5.0, 10.0};
  const auto s = ko_smooth(f, {one, spike, ramp}, fc);
  const auto s20 = ko_smooth(f, {spike}, std::vector<double>{f[205]}, 20.0);
  for (const double v : s[0]) EXPECT_NEAR(v, 1.0, 1e-12);
  const std::pair<double, double> spike_cases[] = {{s[1][0], 4.041071e-2}, {s[1][1], 3.816859e-2},
                                                   {s[1][2], 3.925255e-2}, {s20[0][0], 2.013191e-2}};
  for (const auto& [got, want] : spike_cases) EXPECT_NEAR(got / want, 1.0, 1e-6);
  const std::pair<double, double> ramp_cases[] = {{s[2][3], 1.0041316}, {s[2][4], 5.0190612}, {s[2][5], 10.0373927}};
  for (const auto& [got, want] : ramp_cases) EXPECT_NEAR(got / want, 1.0, 1e-7);
}

TEST(KonnoOhmachi, TooFewBinsUnderTheWindowGiveNaN) {
  const auto f = bins();
  const std::vector<double> y(f.size(), 2.0);
  const auto s = ko_smooth(f, {y}, std::vector<double>{0.001, 0.0244140625 * 3});
  EXPECT_TRUE(std::isnan(s[0][0]));
  EXPECT_NEAR(s[0][1], 2.0, 1e-12);
}

TEST(LogGrid, HundredPointsADecade) {
  const auto g = log_grid(0.1, 10, 100);
  ASSERT_EQ(g.size(), 201u);
  EXPECT_DOUBLE_EQ(g.front(), 0.1);
  EXPECT_NEAR(g[100], 1.0, 1e-12);
  EXPECT_NEAR(g.back(), 10.0, 1e-12);
  EXPECT_TRUE(log_grid(0, 10, 100).empty());
  EXPECT_TRUE(log_grid(5, 5, 100).empty());
}

TEST(ShapingGain, TrapezoidThenIntegrationOrDifferentiation) {
  Shaping band;
  band.band = std::array<double, 4>{1, 2, 10, 20};
  Shaping integrate = band, differentiate;
  integrate.kind = 1;
  differentiate.kind = 2;
  const double w5 = 2 * std::numbers::pi * 5;
  const std::tuple<const Shaping*, double, double> cases[] = {
      {&band, 0.5, 0},   {&band, 1.5, 0.5},       {&band, 5, 1},  {&band, 15, 0.5},
      {&band, 20, 0},    {&integrate, 5, 1 / w5}, {&differentiate, 5, w5},
  };
  for (const auto& [s, f, g] : cases) EXPECT_NEAR(shaping_gain(*s, f), g, 1e-12) << f;
}

TEST(InputSpectrum, ASineOnABinHasAmplitudeHalfItsDuration) {
  // 2 Hz for 1024 samples at 0.01 s: bin 20.48 is not a bin, so use 256
  // samples at 1/128 s: 2 Hz is bin 4 of a 256-point window.
  const double dt = 1.0 / 128;
  std::vector<double> s(256);
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = 3.0 * std::sin(2 * std::numbers::pi * 2.0 * i * dt);
  const Spectrum sp = input_spectrum({s}, dt, 0, Shaping{});
  ASSERT_EQ(sp.f.size(), 128u);
  EXPECT_DOUBLE_EQ(sp.f[3], 2.0);
  // |X| dt = A N dt / 2 at the sine's bin, nothing elsewhere.
  EXPECT_NEAR(sp.amp[0][3], 3.0 * 256 * dt / 2, 1e-4);
  EXPECT_LT(sp.amp[0][10], 1e-4);
  // nf pads with zeros: twice the window, same amplitude at bin 8.
  const Spectrum padded = input_spectrum({s}, dt, 512, Shaping{});
  EXPECT_NEAR(padded.amp[0][7], 3.0 * 256 * dt / 2, 1e-4);
}

}  // namespace
}  // namespace sitekit::report
