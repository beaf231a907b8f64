// The choice of lane kernel: the widest the processor has and the tests
// allow.
#include "response/layer_pass.h"

#include "fft/complex.h"
#include "response/kernel/lanes.h"

namespace siteresp {

namespace {

int limit = 8;

// The widest kernel this processor runs.
int widest_supported()
{
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
      __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw"))
    return 8;
  if (__builtin_cpu_supports("avx2")) return 4;
#endif
  return 2;
}

}  // namespace

int lane_width()
{
  static const int widest = widest_supported();
  return widest < limit ? widest : limit;
}

void limit_lane_width(int widest) { limit = widest; }

void sh_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp)
{
  switch (lane_width()) {
#if defined(__x86_64__)
    case 8: return lanes8::sh_sweep(g, p, cinv2, amp);
    case 4: return lanes4::sh_sweep(g, p, cinv2, amp);
#endif
    default: return lanes2::sh_sweep(g, p, cinv2, amp);
  }
}

void psv_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp)
{
  switch (lane_width()) {
#if defined(__x86_64__)
    case 8: return lanes8::psv_sweep(g, p, cinv2, amp);
    case 4: return lanes4::psv_sweep(g, p, cinv2, amp);
#endif
    default: return lanes2::psv_sweep(g, p, cinv2, amp);
  }
}

}  // namespace siteresp
