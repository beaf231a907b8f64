// Fourier amplitudes of records, in double precision.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cli/fourier.h"

namespace sitekit::cli {
namespace {

// A pulse of L ones zero-padded to nf: |X_k| = |sin(pi k L/nf) / sin(pi k/nf)|
// (L at k = 0), times dt.  In single precision every bin is off by about
// 1e-7 of L, which the zeros of the kernel show as large relative errors.
TEST(FourierAmplitude, PulseAmplitudesAreTheDirichletKernel) {
  struct Row { std::size_t pulse; int nf; double dt; };
  const Row rows[] = {{10, 16, 0.01}, {1000, 1024, 0.005}, {3, 65536, 0.02}, {40000, 65536, 0.01}};
  for (const Row& r : rows) {
    const AmplitudeSpectrum s = fourier_amplitude(std::vector<double>(r.pulse, 1.0), r.dt, r.nf);
    ASSERT_EQ(s.amp.size(), static_cast<std::size_t>(r.nf / 2 + 1)) << r.nf;
    for (int k = 0; k <= r.nf / 2; ++k) {
      const double a = std::numbers::pi * k / r.nf;
      const double want = (k == 0 ? double(r.pulse) : std::fabs(std::sin(a * double(r.pulse)) / std::sin(a))) * r.dt;
      ASSERT_NEAR(s.amp[k], want, 1e-12 * double(r.pulse) * r.dt) << r.pulse << " in " << r.nf << ", bin " << k;
      ASSERT_DOUBLE_EQ(s.freq[k], k / (r.nf * r.dt)) << k;
    }
  }
}

// Records past the dialogue's 32,768 samples are padded, not cut.
TEST(FourierAmplitude, PaddedLengthIsThePowerOfTwoAtOrAbove) {
  const std::pair<std::size_t, int> rows[] = {{0, 4}, {4, 4}, {5, 8}, {32768, 32768}, {32769, 65536}};
  for (const auto& [n, nf] : rows) EXPECT_EQ(padded_length(n), nf) << n;
}

}  // namespace
}  // namespace sitekit::cli
