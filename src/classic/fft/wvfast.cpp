// In-place radix-2 transform: bit-reversal permutation followed by
// decimation-in-time butterfly stages.
#include "fft/wvfast.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "fft/twiddles.h"
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

// Four butterflies side by side: a[i..i+3] with a[j..j+3] and twiddles
// w[0..3], conjugated (as 0 - sin) when conj.  Lane by lane the operations
// of butterfly(): ar*wr + av*(-wi) is ar*wr - av*wi, and av*wr + ar*wi is
// ar*wi + av*wr, bit for bit.
typedef float Floats8 __attribute__((vector_size(32)));
typedef double Doubles8 __attribute__((vector_size(64)));

[[gnu::always_inline]] inline void butterflies4(Cplx* ai, Cplx* aj, const Cplx* w, bool conj)
{
  Floats8 fi, fj, fw;
  std::memcpy(&fi, ai, sizeof fi);
  std::memcpy(&fj, aj, sizeof fj);
  std::memcpy(&fw, w, sizeof fw);
  const Doubles8 x = __builtin_convertvector(fj, Doubles8);
  const Doubles8 swapped = __builtin_shufflevector(x, x, 1, 0, 3, 2, 5, 4, 7, 6);
  const Doubles8 wd = __builtin_convertvector(fw, Doubles8);
  const Doubles8 wr = __builtin_shufflevector(wd, wd, 0, 0, 2, 2, 4, 4, 6, 6);
  Doubles8 wi = __builtin_shufflevector(wd, wd, 1, 1, 3, 3, 5, 5, 7, 7);
  if (conj) wi = 0.0 - wi;
  const Doubles8 sign = {-1.0, 1.0, -1.0, 1.0, -1.0, 1.0, -1.0, 1.0};
  const Floats8 t = __builtin_convertvector(x * wr + swapped * (wi * sign), Floats8);
  const Floats8 j = fi - t, i = fi + t;
  std::memcpy(static_cast<void*>(aj), &j, sizeof j);
  std::memcpy(static_cast<void*>(ai), &i, sizeof i);
}

// The butterfly stages with the table's twiddles.  Within a stage every
// butterfly has its own pair of elements, so taking them group by group
// (four twiddles at a time) instead of twiddle by twiddle changes no bit.
// Compiled also for the wider vectors, chosen at load time by processor.
#if defined(__x86_64__) && defined(__ELF__)
__attribute__((target_clones("avx512f", "avx2", "default")))
#endif
void table_stages(int n, Cplx* a, bool conj, const Twiddles& t)
{
  for (int kmax = 1; kmax < n; kmax *= 2) {
    const Cplx* w = t.stage(kmax);
    const int istep = 2 * kmax;
    if (kmax < 4) {
      for (int k = 0; k < kmax; ++k) {
        const Cplx wk{w[k].re, conj ? 0.0f - w[k].im : w[k].im};
        for (int i = k; i < n; i += istep) butterfly(a[i], a[i + kmax], wk);
      }
      continue;
    }
    for (int g = 0; g < n; g += istep)
      for (int k = 0; k < kmax; k += 4) butterflies4(a + g + k, a + g + k + kmax, w + k, conj);
  }
}

}  // namespace

void wvfast(int n, Cplx* a, int mom, int ind, const Twiddles& t)
{
  if (n != t.length() || (ind != 1 && ind != -1)) return wvfast(n, a, mom, ind);
  if (n > mom) return;
  detail::bitrev(n, a);
  table_stages(n, a, ind < 0, t);
}

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
