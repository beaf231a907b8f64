// Complex helpers of the layer responses: the square-root branch rule and
// rounding once on store.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

#include "response/one_frequency.h"

namespace siteresp {
namespace {

TEST(Csqrt, BranchRule)
{
  struct Row { float x, y, re, im; };
  const Row rows[] = {
      {4.0f, 0.0f, 2.0f, 0.0f},     // positive real axis
      {0.0f, 0.0f, 0.0f, 0.0f},     // zero modulus
      {-0.0f, -0.0f, 0.0f, 0.0f},
      {-4.0f, 0.0f, 0.0f, 2.0f},    // negative real axis, +0: upper half
      {-4.0f, -0.0f, 0.0f, 2.0f},   // negative real axis, -0: still +i
      {0.0f, 2.0f, 1.0f, 1.0f},     // imaginary axis takes the x <= 0 branch
      {0.0f, -2.0f, 1.0f, -1.0f},
      {3.0f, 4.0f, 2.0f, 1.0f},
      {3.0f, -4.0f, 2.0f, -1.0f},
      {-3.0f, 4.0f, 1.0f, 2.0f},
      {-3.0f, -4.0f, 1.0f, -2.0f},  // t negated for y < 0, real part stays positive
  };
  for (const Row& r : rows) {
    const Cplx s = csqrt({r.x, r.y});
    EXPECT_EQ(s.re, r.re) << r.x << "," << r.y;
    EXPECT_EQ(s.im, r.im) << r.x << "," << r.y;
    EXPECT_FALSE(s.re < 0.0f) << r.x << "," << r.y;
  }
}

// Over all quadrants and magnitudes the root squares back to z within a few
// single-precision roundings of |z| and never has a negative real part.
TEST(Csqrt, PrincipalRootEverywhere)
{
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> u(-1.0f, 1.0f), e(-20.0f, 20.0f);
  for (int i = 0; i < 20000; ++i) {
    const float scale = std::exp2(std::round(e(gen)));
    const Cplx z{u(gen) * scale, (i % 7 == 0 ? 0.0f : u(gen)) * scale};
    const Cplx s = csqrt(z);
    ASSERT_FALSE(s.re < 0.0f);
    const std::complex<double> sq = std::complex<double>(s.re, s.im) * std::complex<double>(s.re, s.im);
    ASSERT_LE(std::abs(sq - std::complex<double>(z.re, z.im)), 4e-7 * std::hypot(z.re, z.im));
  }
}

TEST(Cexp, ModulusAndPhase)
{
  struct Row { float x, y; };
  const Row rows[] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {-2.5f, 1.0f}, {0.5f, -3.0f}, {10.0f, 100.0f}};
  for (const Row& r : rows) {
    const Cplx w = cexp({r.x, r.y});
    const std::complex<double> want = std::exp(std::complex<double>(r.x, r.y));
    EXPECT_NEAR(w.re, want.real(), 6e-8 * std::abs(want));
    EXPECT_NEAR(w.im, want.imag(), 6e-8 * std::abs(want));
  }
  const Cplx one = cexp({0.0f, 0.0f});
  EXPECT_EQ(one.re, 1.0f);
  EXPECT_EQ(one.im, 0.0f);
}

TEST(Cabs, PythagoreanTriples)
{
  EXPECT_EQ(cabs({3.0f, -4.0f}), 5.0f);
  EXPECT_EQ(cabs({-5.0f, 12.0f}), 13.0f);
  // The squares are formed in double, so large parts do not overflow.
  EXPECT_EQ(cabs({3e30f, 4e30f}), 5e30f);
}

// A value stored and taken up again, as every assignment of the responses
// does; kept out of line so that the pair is handled together.
[[gnu::noinline]] Dcx stored(Dcx z) { return get(put(z)); }

// Both parts of a stored complex value are rounded to single precision even
// when the compiler handles the pair together.
TEST(ComplexRounding, StoreRoundsBothParts)
{
  volatile double a = 0.1, b = 1.0 / 3.0;
  const Dcx r = stored({a, b});
  EXPECT_EQ(r.re, 0.100000001490116119384765625);
  EXPECT_EQ(r.im, 0.3333333432674407958984375);
}

}  // namespace
}  // namespace siteresp
