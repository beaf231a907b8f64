// The phase factors of the lane kernel against the library's exp, cos and
// sin: the series and the margin check that guards them must give the
// library's stored bits for every argument they accept, and the check must
// refuse every product it cannot vouch for.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "fft/complex.h"
#include "golden/cases.h"

#define SITERESP_LANES probe
#define SITERESP_LANE_WIDTH 2
#include "response/kernel/kernel.inc"

namespace {

using siteresp::Cplx;
using namespace siteresp::probe;

bool same(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

// exp(x + iy) and exp(-x - iy) the plain way, stored.
void library(float x, float y, Cplx& ex1, Cplx& ex2) {
  const double e1 = std::exp(static_cast<double>(x)), e2 = std::exp(-static_cast<double>(x));
  const double yd = y;
  ex1 = {static_cast<float>(e1 * std::cos(yd)), static_cast<float>(e1 * std::sin(yd))};
  ex2 = {static_cast<float>(e2 * std::cos(-yd)), static_cast<float>(e2 * std::sin(-yd))};
}

struct Tally {
  long checked = 0, series = 0, wrong = 0;
};

// Both lanes through the series (when accepted) and through phase_factors.
void check(float x0, float y0, float x1, float y1, Tally& t) {
  const Vd x{x0, x1}, y{y0, y1};
  Cplx want1[2], want2[2];
  library(x0, y0, want1[0], want2[0]);
  library(x1, y1, want1[1], want2[1]);
  Vc ex1, ex2;
  const auto expect = [&](const char* how) {
    for (int l = 0; l < 2; ++l) {
      const Cplx a = lane(ex1, l), b = lane(ex2, l);
      if ((!same(a.re, want1[l].re) || !same(a.im, want1[l].im) || !same(b.re, want2[l].re) ||
           !same(b.im, want2[l].im)) &&
          ++t.wrong <= 5)
        ADD_FAILURE() << how << " x " << x[l] << " y " << y[l];
    }
  };
  ++t.checked;
  if (series_factors(x, y, ex1, ex2)) {
    ++t.series;
    expect("series");
  }
  phase_factors(x, y, ex1, ex2);
  expect("phase_factors");
}

// Uniform in [lo, hi).
float pick(golden::Noise& n, double lo, double hi) {
  return static_cast<float>(lo + (hi - lo) * (0.5 * n.next() + 0.5));
}

TEST(PhaseFactors, RandomArgumentsMatchTheLibrary) {
  golden::Noise n(7);
  Tally t;
  // (range of x, range of y): the attenuations and phases of real layers,
  // then the edges of the series' range.
  const double ranges[][2] = {{3.0, 40.0}, {0.01, 3.0}, {60.0, 2000.0}, {700.0, 0x1p20}};
  for (const auto& r : ranges)
    for (int k = 0; k < 60000; ++k)
      check(pick(n, -r[0], r[0]), pick(n, -r[1], r[1]), pick(n, -r[0], r[0]), pick(n, -r[1], r[1]), t);
  EXPECT_EQ(t.wrong, 0);
  // The check refuses few products: the series carry almost every call.
  EXPECT_GT(t.series, t.checked * 99 / 100) << t.series << " of " << t.checked;
}

TEST(PhaseFactors, SpecialArguments) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
  const float xs[] = {0.0f, -0.0f, 1e-30f, -1e-42f, 700.0f, -700.0f, 700.00006f, 745.0f, -760.0f,
                      88.7f, 1.5f, inf, -inf, nan};
  const float ys[] = {0.0f, -0.0f, 1e-30f, 1.5707964f, -3.1415927f, 0x1p20f, -0x1p20f, 1048577.0f,
                      1e30f, 6.2831855f, inf, nan};
  Tally t;
  for (float x : xs)
    for (float y : ys) check(x, y, 0.25f, 1.0f, t);
  for (float x : xs)
    for (float y : ys) check(0.25f, 1.0f, x, y, t);
  EXPECT_EQ(t.wrong, 0);
}

// The library facts the factors rely on: cos and sin are even and odd to
// the last bit, over floats of every magnitude (checked exhaustively for all
// floats once; this keeps an eye on the library).
TEST(PhaseFactors, LibraryCosineEvenSineOdd) {
  // Through pointers, so that the compiler cannot use the identities itself.
  double (*volatile cos)(double) = std::cos;
  double (*volatile sin)(double) = std::sin;
  golden::Noise n(11);
  int failures = 0;
  for (int k = 0; k < 200000; ++k) {
    const auto bits = static_cast<std::uint32_t>(static_cast<std::uint64_t>((n.next() + 1.0) * 0x1p31));
    const double y = std::bit_cast<float>(bits & 0x7fffffffu);
    if (!std::isfinite(y)) continue;
    if ((std::bit_cast<std::uint64_t>(cos(-y)) != std::bit_cast<std::uint64_t>(cos(y)) ||
         std::bit_cast<std::uint64_t>(sin(-y)) != std::bit_cast<std::uint64_t>(-sin(y))) &&
        ++failures <= 5)
      ADD_FAILURE() << "y = " << y;
  }
  EXPECT_EQ(failures, 0);
}

// stores_alike: a lane passes only if everything within its margin stores
// as the same float bits (a margin around zero lets the sign flip).
TEST(PhaseFactors, StoresAlike) {
  const double mid = 1.0 + 0x1p-24;  // halfway between 1 and the next float
  struct Row {
    double p, e;
    bool alike;
  };
  const Row rows[] = {
      {1.0, 0x1p-40, true},           {mid, 0x1p-40, false},
      {mid + 0x1p-39, 0x1p-40, true}, {mid - 0x1p-41, 0x1p-40, false},
      {-0.0, 0.0, true},              {1e-50, 1e-60, true},
      {0.0, 0x1p-160, false},         {1e300, 1e280, true},
      {NAN, 0.0, false},              {1.0, NAN, false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(stores_alike(Vd{r.p, 1.0}, Vd{r.e, 0.0}), r.alike) << r.p << " " << r.e;
    EXPECT_EQ(stores_alike(Vd{1.0, r.p}, Vd{0.0, r.e}), r.alike) << r.p << " " << r.e;
  }
}

}  // namespace
