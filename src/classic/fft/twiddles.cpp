// The twiddle table, one cos and one sin for each twiddle of a length.
#include "fft/twiddles.h"

#include "fft/wvfast_detail.h"

namespace siteresp {

void Twiddles::prepare(int n)
{
  if (n == n_ || n < 1 || n > max_nf || (n & (n - 1)) != 0) return;
  for (int kmax = 1; kmax < n; kmax *= 2)
    for (int k = 1; k <= kmax; ++k) w_[kmax - 1 + k - 1] = detail::twiddle(1, k, kmax);
  n_ = n;
}

}  // namespace siteresp
