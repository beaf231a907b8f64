// Vertical P-SV response: the SH recursion fed with the equivalent velocity
// vs*sqrt(3/(1 - vs^2/vp^2)) of each layer.
#include <cmath>

#include "response/one_frequency.h"
#include "response/layer_pass.h"
#include "response/layers.h"

namespace siteresp {

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
  psv_response({fom, dom, nom, mom}, {dns, vp, qp, fp, vs, qs, fs, thk, nl}, cinv2, amp);
}

}  // namespace siteresp
