// Vertical P-SV response: the SH recursion fed with the equivalent velocity
// vs*sqrt(3/(1 - vs^2/vp^2)) of each layer.
#include <cmath>

#include "response/layers.h"
#include "response/sweep.h"

namespace siteresp {

namespace {

// vs*sqrt(3/(1 - vs^2/vp^2)) from complex (possibly damped) velocities.
Cplx equivalent(Cplx vs, Cplx vp)
{
  const Dcx s = get(vs), p = get(vp);
  const Cplx aa = csqrt(put(Dcx{3.0, 0.0} / (Dcx{1.0, 0.0} - (s * s) / (p * p))));
  return put(s * get(aa));
}

}  // namespace

void sbudml(float fom, float dom, int nom, int mom,
            const float* dns, const float* vp, const float* qp, const float* fp,
            const float* vs, const float* qs, const float* fs,
            const float* thk, int nl, int ml, float theta, Cplx* amp)
{
  if (nl < 1 || nl > ml) return;
  // The half-space enters the slowness with its undamped equivalent velocity.
  const double vsn = vs[nl - 1], vpn = vp[nl - 1];
  const float aa = static_cast<float>(3.0 / (1.0 - (vsn * vsn) / (vpn * vpn)));
  const Cplx vsn2{static_cast<float>(vsn * vsn * aa), 0.0f};
  const float tsin = static_cast<float>(std::sin(static_cast<double>(theta)));
  const Cplx cinv2 = put(Dcx{static_cast<double>(tsin) * tsin, 0.0} / get(vsn2));

  // The upper layer's S-wave Q alone decides whether a pass is damped, for
  // both wave types in both layers.  A zero Q met inside a damped pass leaves
  // that one velocity undamped, as a zero Q does everywhere else.
  auto speeds = [=](int i, float freq, Cplx& v1, Cplx& v2) {
    Cplx s1{vs[i], 0.0f}, s2{vs[i + 1], 0.0f}, p1{vp[i], 0.0f}, p2{vp[i + 1], 0.0f};
    if (qs[i] != 0.0f) {
      s1 = damp(vs[i], qs[i], fs[i], freq);
      s2 = damp(vs[i + 1], qs[i + 1], fs[i + 1], freq);
      p1 = damp(vp[i], qp[i], fp[i], freq);
      p2 = damp(vp[i + 1], qp[i + 1], fp[i + 1], freq);
    }
    v1 = equivalent(s1, p1);
    v2 = equivalent(s2, p2);
  };
  sweep(fom, dom, nom, mom, dns, thk, nl, ml, cinv2, amp, speeds);
}

}  // namespace siteresp
