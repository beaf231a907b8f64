#pragma once
// Building blocks of wvfast, visible so that each can be checked on its own.
#include "fft/complex.h"

namespace siteresp::detail {

// Bit-reversal permutation of a[0..n-1] by the reversed-counter walk: every
// element moves to the position whose index is the bit reversal of its own
// index in log2(n) bits; each pair is swapped once.  n a power of two.
void bitrev(int n, Cplx* a);

// Phase of twiddle k (1-based) in a stage of half-width kmax, direction ind:
// ind*(k-1) converted to real, times pi = 3.1415925, over kmax, rounded once
// to single precision.
float twiddle_phase(int ind, int k, int kmax);

// (cos phase, sin phase), each evaluated in double and rounded to single.
Cplx twiddle(int ind, int k, int kmax);

}  // namespace siteresp::detail
