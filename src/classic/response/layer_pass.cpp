// The two-lane kernel of the layer recursion, and the choice of kernel.
#include "response/layer_pass.h"

#include <bit>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "capacity.h"
#include "fft/complex.h"

#define SITERESP_LANES lanes2
#define SITERESP_LANE_WIDTH 2
#include "response/lanes.inc"
#include "response/phase.inc"
#include "response/layer_pass.inc"
#include "response/powers.inc"
#include "response/media.inc"
#include "response/sweep.inc"

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
