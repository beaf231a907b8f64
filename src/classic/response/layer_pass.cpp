// The choice of lane kernel: the widest the processor has and the tests
// allow.
#include "response/layer_pass.h"

#include "fft/complex.h"
#include "response/kernel/lanes.h"

namespace siteresp {

namespace {
bool allowed = true;
}  // namespace

bool four_lanes()
{
#if defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return allowed && avx2;
#else
  return false;
#endif
}

void allow_four_lanes(bool allow) { allowed = allow; }

void sh_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp)
{
#if defined(__x86_64__)
  if (four_lanes()) return lanes4::sh_sweep(g, p, cinv2, amp);
#endif
  lanes2::sh_sweep(g, p, cinv2, amp);
}

void psv_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp)
{
#if defined(__x86_64__)
  if (four_lanes()) return lanes4::psv_sweep(g, p, cinv2, amp);
#endif
  lanes2::psv_sweep(g, p, cinv2, amp);
}

}  // namespace siteresp
