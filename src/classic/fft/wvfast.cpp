// In-place radix-2 transform: bit-reversal permutation followed by
// decimation-in-time butterfly stages.
#include "fft/wvfast.h"

#include <cmath>
#include <utility>

#include "fft/wvfast_detail.h"

namespace siteresp {
namespace detail {

void bitrev(int n, Cplx* a)
{
  // j is the 1-based bit-reversed partner of the 1-based i.
  int j = 1;
  for (int i = 1; i <= n; ++i) {
    if (i < j) std::swap(a[i - 1], a[j - 1]);
    // Advance the reversed counter: clear its leading set bits from the top,
    // then set the first clear one.  m never grows, so n = 1 ends too.
    int m = n / 2;
    while (j > m) {
      j -= m;
      m /= 2;
      if (m <= 1) break;
    }
    j += m;
  }
}

float twiddle_phase(int ind, int k, int kmax)
{
  // pi is taken one unit in the last place below the float nearest to pi.
  const float pai = 3.1415925f;
  return static_cast<float>(static_cast<double>(pai) * static_cast<double>(ind * (k - 1)) /
                            static_cast<double>(kmax));
}

Cplx twiddle(int ind, int k, int kmax)
{
  const double phase = twiddle_phase(ind, k, kmax);
  return {static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase))};
}

}  // namespace detail

namespace {

bool power_of_two(int n) { return n >= 1 && (n & (n - 1)) == 0; }

// One butterfly: temp = a[j]*w with each part rounded once, then
// a[j] = a[i] - temp and a[i] = a[i] + temp in single precision.
inline void butterfly(Cplx& ai, Cplx& aj, Cplx w)
{
  const double ar = aj.re, av = aj.im;
  const float tr = static_cast<float>(ar * w.re - av * w.im);
  const float ti = static_cast<float>(ar * w.im + av * w.re);
  aj.re = ai.re - tr;
  aj.im = ai.im - ti;
  ai.re = ai.re + tr;
  ai.im = ai.im + ti;
}

}  // namespace

void wvfast(int n, Cplx* a, int mom, int ind)
{
  // A length that is not a power of two within the array would walk outside
  // it; such a call changes nothing.
  if (!power_of_two(n) || n > mom) return;
  detail::bitrev(n, a);
  for (int kmax = 1; kmax < n; kmax *= 2) {
    const int istep = 2 * kmax;
    for (int k = 1; k <= kmax; ++k) {
      // The same twiddle serves every butterfly of this k.
      const Cplx w = detail::twiddle(ind, k, kmax);
      for (int i = k; i <= n; i += istep) butterfly(a[i - 1], a[i - 1 + kmax], w);
    }
  }
}

}  // namespace siteresp
