#pragma once
// The twiddles of every stage of one transform length, formed once and
// shared by all transforms of that length in both directions.
#include "capacity.h"
#include "fft/complex.h"

namespace siteresp {

class Twiddles {
public:
  // Forms the table of length n (a power of two within max_nf); nothing
  // when it already holds it.  Each twiddle is detail::twiddle(+1, k, kmax):
  // the inverse direction's is its conjugate, formed as 0 - sin, which is
  // -sin exactly and keeps the +0 of the first twiddle of each stage.
  void prepare(int n);
  int length() const { return n_; }

  // Twiddles k = 1..kmax of the stage of half-width kmax.
  const Cplx* stage(int kmax) const { return w_ + (kmax - 1); }

private:
  int n_ = 0;
  Cplx w_[max_nf];  // stage kmax at offset kmax - 1, n - 1 in all
};

}  // namespace siteresp
