// SH response of a stack of damped layers over a half-space.
#include <cmath>

#include "response/one_frequency.h"
#include "response/layer_pass.h"
#include "response/layers.h"

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
  sh_response({fom, dom, nom, mom}, {dns, nullptr, nullptr, nullptr, vs, qs, fs, thk, nl}, cinv2, amp);
}

}  // namespace siteresp
