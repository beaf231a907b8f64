// The layer matrix of one layer and its product into the stack matrix.
#include "response/layer_pass.h"

#include <cmath>

#include "response/cplx_math.h"

namespace siteresp {

namespace {

// Vertical wavenumber om*sqrt(1/v^2 - p^2) on the principal branch: damped
// waves decay downwards, evanescent ones get a positive imaginary value.
Cplx vertical_wavenumber(Cplx v1, float om, Cplx cinv2)
{
  const Cplx vs21 = put(get(v1) * get(v1));
  const Cplx root = csqrt(put(Dcx{1.0, 0.0} / get(vs21) - get(cinv2)));
  return put(static_cast<double>(om) * get(root));
}

}  // namespace

void layer_pass(Stack& s, Cplx v1, Cplx v2, float d1, float d2, float om, Cplx cinv2,
                float h)
{
  const Stack sa = s;
  // Impedance ratio from density times velocity alone, whatever the angle.
  const Cplx am = put((static_cast<double>(d1) * get(v1)) / (static_cast<double>(d2) * get(v2)));
  const Cplx wn = vertical_wavenumber(v1, om, cinv2);
  // wnd = i*wn*h.
  const Cplx wnd{static_cast<float>(-(static_cast<double>(h) * wn.im)),
                 static_cast<float>(static_cast<double>(h) * wn.re)};
  const Dcx ex1 = get(cexp(wnd));
  const Dcx ex2 = get(cexp({-wnd.re, -wnd.im}));
  const Dcx one{1.0, 0.0};
  const Dcx p = one + get(am), m = one - get(am);
  const Dcx sb11 = get(put(0.5 * (p * ex1)));
  const Dcx sb12 = get(put(0.5 * (m * ex2)));
  const Dcx sb21 = get(put(0.5 * (m * ex1)));
  const Dcx sb22 = get(put(0.5 * (p * ex2)));
  s.a11 = put(get(sa.a11) * sb11 + get(sa.a12) * sb21);
  s.a12 = put(get(sa.a11) * sb12 + get(sa.a12) * sb22);
  s.a21 = put(get(sa.a21) * sb11 + get(sa.a22) * sb21);
  s.a22 = put(get(sa.a21) * sb12 + get(sa.a22) * sb22);
}

Cplx damp(float v, float q0, float f, float freq)
{
  if (q0 == 0.0f) return {v, 0.0f};
  const float g = static_cast<float>(std::pow(static_cast<double>(freq), static_cast<double>(f)));
  float q = static_cast<float>(static_cast<double>(q0) * g);
  if (q < q0) q = q0;
  return put(Dcx{v, 0.0} * Dcx{1.0, 0.5 / q});
}

}  // namespace siteresp
