// SH response of a stack of damped layers over a half-space.
#include <cmath>

#include "response/layers.h"
#include "response/sweep.h"

namespace siteresp {

void sbshml(float fom, float dom, int nom, int mom,
            const float* dns, const float* vs, const float* qs, const float* fs,
            const float* thk, int nl, int ml, float theta, Cplx* amp)
{
  if (nl < 1 || nl > ml) return;
  // Squared horizontal slowness sin^2(theta)/vs^2 of the undamped half-space,
  // the same in every layer.
  const Cplx vsn2{static_cast<float>(static_cast<double>(vs[nl - 1]) * vs[nl - 1]), 0.0f};
  const float tsin = static_cast<float>(std::sin(static_cast<double>(theta)));
  const Cplx cinv2 = put(Dcx{static_cast<double>(tsin) * tsin, 0.0} / get(vsn2));

  // A pass is damped when its upper layer has a Q.  A zero Q in the lower
  // layer of a damped pass leaves that velocity undamped, as a zero Q does
  // everywhere else.
  auto speeds = [=](int i, float freq, Cplx& v1, Cplx& v2) {
    v1 = {vs[i], 0.0f};
    v2 = {vs[i + 1], 0.0f};
    if (qs[i] != 0.0f) {
      v1 = damp(vs[i], qs[i], fs[i], freq);
      v2 = damp(vs[i + 1], qs[i + 1], fs[i + 1], freq);
    }
  };
  sweep(fom, dom, nom, mom, dns, thk, nl, ml, cinv2, amp, speeds);
}

}  // namespace siteresp
