// The transform with a twiddle table and four butterflies at a time against
// the plain transform, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "fft/twiddles.h"
#include "fft/wvfast.h"

namespace siteresp {
namespace {

// Equal bits; a NaN matches any NaN (no output shows its sign or payload).
bool same(float a, float b)
{
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

// n values drawn from pool, or uniform in [-1, 1) where pool is empty.
std::vector<Cplx> data(int n, unsigned seed, const std::vector<float>& pool)
{
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  std::uniform_int_distribution<std::size_t> pick(0, pool.empty() ? 0 : pool.size() - 1);
  const auto value = [&] { return pool.empty() ? u(gen) : pool[pick(gen)]; };
  std::vector<Cplx> a(static_cast<std::size_t>(n));
  for (Cplx& z : a) z = {value(), value()};
  return a;
}

int differences(int n, int ind, const std::vector<Cplx>& x, const Twiddles& t)
{
  std::vector<Cplx> plain = x, fast = x;
  wvfast(n, plain.data(), n, ind);
  wvfast(n, fast.data(), n, ind, t);
  int bad = 0;
  for (int m = 0; m < n; ++m)
    if (!same(plain[m].re, fast[m].re) || !same(plain[m].im, fast[m].im)) ++bad;
  return bad;
}

// Every length and direction, on data where a changed order of operations
// or sign of zero would show: random values, signed zeros and ones (the
// first twiddle of each stage is (1, +0) in both directions), and a
// sprinkling of infinities, NaN, subnormals and the largest floats.
TEST(TwiddleTable, SameBitsAsThePlainTransform)
{
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<std::vector<float>> pools = {
      {},
      {0.0f, -0.0f, 1.0f, -1.0f},
      {0.25f, -0.75f, 0.5f, 0.0f, -0.0f, 1e-40f, -3e38f, 3e38f, 0.1f, -0.3f, 0.7f, 0.9f, -0.6f,
       0.2f, -0.4f, 0.8f, inf, std::nanf("")},
  };
  auto t = std::make_unique<Twiddles>();
  for (int bitsn = 0; bitsn <= 15; ++bitsn) {
    const int n = 1 << bitsn;
    t->prepare(n);
    ASSERT_EQ(t->length(), n);
    unsigned seed = 1;
    for (int ind : {-1, 1})
      for (const auto& pool : pools)
        EXPECT_EQ(differences(n, ind, data(n, seed++, pool), *t), 0) << "n=" << n << " ind=" << ind;
  }
}

// A table of another length, or a direction other than +-1, leaves the
// work to the plain transform; a length that is no power of two or beyond
// the capacity prepares nothing.
TEST(TwiddleTable, OtherLengthsAndDirections)
{
  auto t = std::make_unique<Twiddles>();
  t->prepare(64);
  struct Row { int n, ind; };
  const Row rows[] = {{32, -1}, {128, 1}, {64, 2}, {64, -3}};
  for (const Row& r : rows) EXPECT_EQ(differences(r.n, r.ind, data(r.n, 9, {}), *t), 0) << r.n;
  for (int n : {0, -8, 48, 65536}) {
    t->prepare(n);
    EXPECT_EQ(t->length(), 64) << n;
  }
}

}  // namespace
}  // namespace siteresp
