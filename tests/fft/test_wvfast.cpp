// The radix-2 transform against its defining sum and its pinned constants.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "capacity.h"
#include "fft/wvfast.h"
#include "fft/wvfast_detail.h"

namespace siteresp {
namespace {

constexpr double eps = std::numeric_limits<float>::epsilon();

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

std::vector<Cplx> random_data(int n, unsigned seed)
{
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  std::vector<Cplx> a(n);
  for (auto& z : a) z = {u(gen), u(gen)};
  return a;
}

TEST(Wvfast, LengthOneIsIdentity)
{
  for (int ind : {-1, 1}) {
    Cplx a[1] = {{1.25f, -3.5f}};
    wvfast(1, a, 1, ind);
    EXPECT_EQ(a[0].re, 1.25f);
    EXPECT_EQ(a[0].im, -3.5f);
  }
}

TEST(Wvfast, LengthTwoIsSumAndDifference)
{
  struct Row { Cplx a1, a2, sum, diff; };
  const Row rows[] = {
      {{1.0f, 0.0f}, {2.0f, 0.0f}, {3.0f, 0.0f}, {-1.0f, 0.0f}},
      {{0.5f, -1.5f}, {0.25f, 2.0f}, {0.75f, 0.5f}, {0.25f, -3.5f}},
      {{-4.0f, 8.0f}, {-4.0f, 8.0f}, {-8.0f, 16.0f}, {0.0f, 0.0f}},
  };
  for (const Row& r : rows) {
    for (int ind : {-1, 1}) {
      Cplx a[2] = {r.a1, r.a2};
      wvfast(2, a, 2, ind);
      EXPECT_EQ(a[0].re, r.sum.re);
      EXPECT_EQ(a[0].im, r.sum.im);
      EXPECT_EQ(a[1].re, r.diff.re);
      EXPECT_EQ(a[1].im, r.diff.im);
    }
  }
}

TEST(Wvfast, UnitImpulseGivesOnes)
{
  for (int n : {4, 8, 1024}) {
    for (int ind : {-1, 1}) {
      std::vector<Cplx> a(n);
      a[0] = {1.0f, 0.0f};
      wvfast(n, a.data(), n, ind);
      for (int m = 0; m < n; ++m) {
        ASSERT_EQ(a[m].re, 1.0f) << "n=" << n << " m=" << m;
        ASSERT_EQ(a[m].im, 0.0f) << "n=" << n << " m=" << m;
      }
    }
  }
}

// A unit in the second element gives exp(ind*2*pi*i*m/n).  The last stage
// multiplies an exact one by the twiddles, so the error is that of one
// twiddle: the phase with 3.1415925 is off by at most 1.6e-7 rad, plus the
// rounding of cos and sin; 4 eps covers both.
TEST(Wvfast, UnitInSecondElementGivesRootsOfUnity)
{
  for (int n : {4, 16, 512, 32768}) {
    for (int ind : {-1, 1}) {
      std::vector<Cplx> a(n);
      a[1] = {1.0f, 0.0f};
      wvfast(n, a.data(), mom, ind);
      for (int m = 0; m < n; ++m) {
        const double ph = ind * 2.0 * std::numbers::pi * m / n;
        ASSERT_NEAR(a[m].re, std::cos(ph), 4 * eps) << "n=" << n << " m=" << m;
        ASSERT_NEAR(a[m].im, std::sin(ph), 4 * eps) << "n=" << n << " m=" << m;
      }
    }
  }
}

TEST(Wvfast, PermutationOfEight)
{
  Cplx a[8];
  for (int i = 0; i < 8; ++i) a[i] = {static_cast<float>(i + 1), 0.0f};
  detail::bitrev(8, a);
  const float want[8] = {1, 5, 3, 7, 2, 6, 4, 8};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a[i].re, want[i]) << "position " << i + 1;
}

TEST(Wvfast, PermutationIsBitReversal)
{
  for (int bitsn = 0; bitsn <= 12; ++bitsn) {
    const int n = 1 << bitsn;
    std::vector<Cplx> a(n);
    for (int i = 0; i < n; ++i) a[i] = {static_cast<float>(i), 0.0f};
    detail::bitrev(n, a.data());
    for (int i = 0; i < n; ++i) {
      int r = 0;
      for (int b = 0; b < bitsn; ++b) r |= ((i >> b) & 1) << (bitsn - 1 - b);
      ASSERT_EQ(a[i].re, static_cast<float>(r)) << "n=" << n << " i=" << i;
    }
  }
}

// The phase is the exact value pai*ind*(k-1)/kmax rounded once, pai being
// the float just below the float nearest to pi.
float pinned_phase(int ind, int k, int kmax)
{
  const float pai = std::nextafter(static_cast<float>(std::numbers::pi), 0.0f);
  const long double exact = static_cast<long double>(pai) * (ind * (k - 1)) / kmax;
  return static_cast<float>(exact);
}

TEST(Wvfast, TwiddleUsesShortenedPi)
{
  EXPECT_EQ(bits(detail::twiddle_phase(1, 2, 1)), bits(3.1415925f));
  const int kmax = 16384;
  int differ = 0;
  for (int ind : {-1, 1}) {
    for (int k = 1; k <= kmax; ++k) {
      const float ph = pinned_phase(ind, k, kmax);
      const Cplx w = detail::twiddle(ind, k, kmax);
      ASSERT_EQ(bits(w.re), bits(static_cast<float>(std::cos(static_cast<double>(ph))))) << k;
      ASSERT_EQ(bits(w.im), bits(static_cast<float>(std::sin(static_cast<double>(ph))))) << k;
      const double true_ph = static_cast<float>(ind * std::numbers::pi * (k - 1) / kmax);
      if (bits(w.re) != bits(static_cast<float>(std::cos(true_ph)))) ++differ;
    }
  }
  EXPECT_GT(differ, 0) << "the shortened pi should show in some twiddle";
}

// The first half of the transform of a unit in the second element holds the
// last stage's twiddles themselves, bit for bit.
TEST(Wvfast, OutputCarriesPinnedTwiddles)
{
  const int n = 32768, kmax = n / 2;
  for (int ind : {-1, 1}) {
    std::vector<Cplx> a(n);
    a[1] = {1.0f, 0.0f};
    wvfast(n, a.data(), mom, ind);
    for (int m = 0; m < kmax; ++m) {
      const double ph = pinned_phase(ind, m + 1, kmax);
      ASSERT_EQ(bits(a[m].re), bits(static_cast<float>(std::cos(ph)))) << m;
      ASSERT_EQ(bits(a[m].im), bits(static_cast<float>(std::sin(ph)))) << m;
    }
  }
}

// Recursive even/odd split with the transform's rounding: each product part
// is formed in double and rounded once, each sum in single precision.
void split_reference(std::vector<Cplx>& x, int ind)
{
  const int n = static_cast<int>(x.size());
  if (n == 1) return;
  std::vector<Cplx> even(n / 2), odd(n / 2);
  for (int t = 0; t < n / 2; ++t) {
    even[t] = x[2 * t];
    odd[t] = x[2 * t + 1];
  }
  split_reference(even, ind);
  split_reference(odd, ind);
  for (int m = 0; m < n / 2; ++m) {
    const double ph = pinned_phase(ind, m + 1, n / 2);
    const double wr = static_cast<float>(std::cos(ph)), wi = static_cast<float>(std::sin(ph));
    const double orr = odd[m].re, oi = odd[m].im;
    const float tr = static_cast<float>(orr * wr - oi * wi);
    const float ti = static_cast<float>(orr * wi + oi * wr);
    x[m] = {even[m].re + tr, even[m].im + ti};
    x[m + n / 2] = {even[m].re - tr, even[m].im - ti};
  }
}

// The in-place stages perform exactly the operations of the recursive split,
// so the results agree bit for bit.
TEST(Wvfast, RoundingMatchesRecursiveSplit)
{
  for (int n : {2, 8, 256, 4096}) {
    for (int ind : {-1, 1}) {
      auto a = random_data(n, 3u * n + (ind + 1));
      auto want = a;
      wvfast(n, a.data(), n, ind);
      split_reference(want, ind);
      for (int m = 0; m < n; ++m) {
        ASSERT_EQ(bits(a[m].re), bits(want[m].re)) << "n=" << n << " m=" << m;
        ASSERT_EQ(bits(a[m].im), bits(want[m].im)) << "n=" << n << " m=" << m;
      }
    }
  }
}

// Plain O(n^2) sum in double with exactly reduced angles.
std::vector<std::complex<double>> direct_dft(const std::vector<Cplx>& x, int ind)
{
  const int n = static_cast<int>(x.size());
  std::vector<std::complex<double>> w(n), out(n);
  for (int t = 0; t < n; ++t) w[t] = std::polar(1.0, ind * 2.0 * std::numbers::pi * t / n);
  for (int m = 0; m < n; ++m) {
    std::complex<double> s = 0.0;
    for (int t = 0; t < n; ++t)
      s += std::complex<double>(x[t].re, x[t].im) * w[(static_cast<long long>(t) * m) % n];
    out[m] = s;
  }
  return out;
}

// Each of the log2(n) stages forms partial sums bounded by sum|x| and adds an
// error of a few eps relative to that bound (twiddle rounding, the shortened
// pi worth about 1.3 eps of phase, one rounded product, one rounded sum), so
// every output is within 4*log2(n)*eps*sum|x|.  The error in the 2-norm
// grows the same way relative to the norm of the result.
TEST(Wvfast, MatchesDirectSum)
{
  for (int n = 8; n <= 4096; n *= 2) {
    for (int ind : {-1, 1}) {
      auto a = random_data(n, 17u * n + (ind + 1));
      const auto want = direct_dft(a, ind);
      double sum_abs = 0.0, norm2 = 0.0, err2 = 0.0, max_err = 0.0;
      for (const Cplx& z : a) sum_abs += std::hypot(z.re, z.im);
      wvfast(n, a.data(), n, ind);
      for (int m = 0; m < n; ++m) {
        const double e = std::abs(std::complex<double>(a[m].re, a[m].im) - want[m]);
        max_err = std::max(max_err, e);
        err2 += e * e;
        norm2 += std::norm(want[m]);
      }
      const double lg = std::log2(n);
      EXPECT_LE(max_err, 4 * lg * eps * sum_abs) << "n=" << n << " ind=" << ind;
      EXPECT_LE(std::sqrt(err2), 2 * lg * eps * std::sqrt(norm2)) << "n=" << n << " ind=" << ind;
    }
  }
}

// Forward then inverse is n times the input; two transforms, each with the
// normwise bound above.
TEST(Wvfast, ForwardThenInverseScalesByLength)
{
  for (int n : {4, 64, 1024, 32768}) {
    auto a = random_data(n, 5u * n);
    const auto x = a;
    wvfast(n, a.data(), mom, -1);
    wvfast(n, a.data(), mom, 1);
    double err2 = 0.0, norm2 = 0.0;
    for (int m = 0; m < n; ++m) {
      const double dr = a[m].re - double(n) * x[m].re, di = a[m].im - double(n) * x[m].im;
      err2 += dr * dr + di * di;
      norm2 += double(n) * n * (double(x[m].re) * x[m].re + double(x[m].im) * x[m].im);
    }
    EXPECT_LE(std::sqrt(err2), 4 * std::log2(n) * eps * std::sqrt(norm2)) << "n=" << n;
  }
}

TEST(Wvfast, LengthOutsideTheArrayChangesNothing)
{
  struct Row { int n, mom; };
  const Row rows[] = {{6, 8}, {0, 8}, {-4, 8}, {16, 8}};
  for (const Row& r : rows) {
    std::vector<Cplx> a(8, Cplx{1.0f, 2.0f});
    wvfast(r.n, a.data(), r.mom, -1);
    for (const Cplx& z : a) {
      ASSERT_EQ(z.re, 1.0f) << "n=" << r.n;
      ASSERT_EQ(z.im, 2.0f) << "n=" << r.n;
    }
  }
}

}  // namespace
}  // namespace siteresp
