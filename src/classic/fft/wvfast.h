#pragma once
// In-place, unscaled radix-2 complex transform.
#include "fft/complex.h"
#include "fft/twiddles.h"

namespace siteresp {

// a[m] = sum over t of a[t] * exp(ind * 2*pi*i * t*m / n), 0-based m, t.
//
// n must be a power of two (1, 2, 4, ...) and n <= mom (the capacity of a,
// not otherwise used); any other n leaves a as it is.  ind = -1 is the
// forward transform, +1 the inverse; neither direction scales, so forward
// then inverse returns n times the input.
// Bin order: a[0] is zero frequency, a[m] frequency m/n cycles per sample.
// pi is the single-precision 3.1415925; every twiddle is cos/sin in double of
// a phase rounded to single precision, and every butterfly part is rounded
// once to single precision.  No allocation, no twiddle table.
void wvfast(int n, Cplx* a, int mom, int ind);

// The same transform, bit for bit, with the twiddles of t and the
// butterflies four at a time.  t must be prepared for n and ind be +1 or
// -1; otherwise this is the call above.
void wvfast(int n, Cplx* a, int mom, int ind, const Twiddles& t);

}  // namespace siteresp
