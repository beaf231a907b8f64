// The choice of lane kernel, the widest the processor has and the tests
// allow, and the rows of a sweep shared between the threads.
#include "response/layer_pass.h"

#include "capacity.h"
#include "fft/complex.h"
#include "response/kernel/lanes.h"
#include "response/split.h"

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

using Kernel = void (*)(const Grid&, const Layers&, Cplx, Cplx*, int, int);

struct Sweep {
  Kernel kernel;
  const Grid& g;
  const Layers& p;
  Cplx cinv2;
  Cplx* amp;
};

void rows(void* context, int from, int to)
{
  const Sweep& s = *static_cast<const Sweep*>(context);
  s.kernel(s.g, s.p, s.cinv2, s.amp, from, to);
}

// A layer count outside 1..ml reads nothing and writes nothing; rows
// beyond the capacity mom are not written.  The zero-frequency row gets its
// limits (even on a grid of no rows), so the Q law never sees f = 0.
void respond(Kernel kernel, const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp)
{
  if (p.nl < 1 || p.nl > ml || g.mom < 1) return;
  int first = 1;
  if (g.fom == 0.0f) {
    amp[0] = {2.0f, 0.0f};
    amp[g.mom] = {1.0f, 0.0f};
    first = 2;
  }
  Sweep s{kernel, g, p, cinv2, amp};
  split_rows(first, g.nom < g.mom ? g.nom : g.mom, rows, &s);
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
    case 8: return respond(lanes8::sh_sweep, g, p, cinv2, amp);
    case 4: return respond(lanes4::sh_sweep, g, p, cinv2, amp);
#endif
    default: return respond(lanes2::sh_sweep, g, p, cinv2, amp);
  }
}

void psv_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp)
{
  switch (lane_width()) {
#if defined(__x86_64__)
    case 8: return respond(lanes8::psv_sweep, g, p, cinv2, amp);
    case 4: return respond(lanes4::psv_sweep, g, p, cinv2, amp);
#endif
    default: return respond(lanes2::psv_sweep, g, p, cinv2, amp);
  }
}

}  // namespace siteresp
