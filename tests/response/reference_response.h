#pragma once
// The layer responses written the plain way: every pass damps its two
// velocities afresh, forms every quantity in the order of the recursion and
// calls the elementary functions each time.  Slow, and the yardstick that
// the fast routines must match bit for bit.
#include <cmath>

#include "fft/complex.h"
#include "response/one_frequency.h"

namespace golden::plain {

using siteresp::Cplx;

// The plain complex helpers of the program are the yardstick's own.
using D = siteresp::Dcx;
using siteresp::get;
using siteresp::put;
inline D add(D a, D b) { return a + b; }
inline D sub(D a, D b) { return a - b; }
inline D mul(D a, D b) { return a * b; }
inline D scale(double s, D b) { return s * b; }
inline D div(D a, D b) { return a / b; }
inline Cplx root(Cplx z) { return siteresp::csqrt(z); }
inline Cplx expo(Cplx z) { return siteresp::cexp(z); }

inline Cplx damp(float v, float q0, float f, float freq) {
  if (q0 == 0.0f) return {v, 0.0f};
  const float g = static_cast<float>(std::pow(static_cast<double>(freq), static_cast<double>(f)));
  float q = static_cast<float>(static_cast<double>(q0) * g);
  if (q < q0) q = q0;
  return put(mul(D{v, 0.0}, D{1.0, 0.5 / q}));
}

inline Cplx equivalent(Cplx vs, Cplx vp) {
  const D s = get(vs), p = get(vp);
  const Cplx aa = root(put(div(D{3.0, 0.0}, sub(D{1.0, 0.0}, div(mul(s, s), mul(p, p))))));
  return put(mul(s, get(aa)));
}

struct Stack {
  Cplx a11{1.0f, 0.0f}, a12{0.0f, 0.0f}, a21{0.0f, 0.0f}, a22{1.0f, 0.0f};
};

inline void pass(Stack& s, Cplx v1, Cplx v2, float d1, float d2, float om, Cplx cinv2, float h) {
  const Stack sa = s;
  const Cplx am = put(div(scale(d1, get(v1)), scale(d2, get(v2))));
  const Cplx vs21 = put(mul(get(v1), get(v1)));
  const Cplx r = root(put(sub(div(D{1.0, 0.0}, get(vs21)), get(cinv2))));
  const Cplx wn = put(scale(om, get(r)));
  const Cplx wnd{static_cast<float>(-(static_cast<double>(h) * wn.im)),
                 static_cast<float>(static_cast<double>(h) * wn.re)};
  const D ex1 = get(expo(wnd)), ex2 = get(expo({-wnd.re, -wnd.im}));
  const D p = add(D{1.0, 0.0}, get(am)), m = sub(D{1.0, 0.0}, get(am));
  const D b11 = get(put(scale(0.5, mul(p, ex1)))), b12 = get(put(scale(0.5, mul(m, ex2))));
  const D b21 = get(put(scale(0.5, mul(m, ex1)))), b22 = get(put(scale(0.5, mul(p, ex2))));
  s.a11 = put(add(mul(get(sa.a11), b11), mul(get(sa.a12), b21)));
  s.a12 = put(add(mul(get(sa.a11), b12), mul(get(sa.a12), b22)));
  s.a21 = put(add(mul(get(sa.a21), b11), mul(get(sa.a22), b21)));
  s.a22 = put(add(mul(get(sa.a21), b12), mul(get(sa.a22), b22)));
}

// speeds(i, freq, v1, v2): velocities of layer i (0-based) and layer i + 1.
template <class Speeds>
void frequencies(float fom, float dom, int nom, int mom, const float* dns, const float* thk, int nl,
                 Cplx cinv2, Cplx* amp, Speeds speeds) {
  int ifom = 1;
  if (fom == 0.0f) {
    amp[0] = {2.0f, 0.0f};
    amp[mom] = {1.0f, 0.0f};
    ifom = 2;
  }
  for (int io = ifom; io <= nom && io <= mom; ++io) {
    const float om = static_cast<float>(static_cast<double>(io - 1) * dom + fom);
    const float freq = static_cast<float>(static_cast<double>(om) / 6.2831855f);
    Stack s;
    for (int il = nl - 1; il >= 1; --il) {
      Cplx v1, v2;
      speeds(il - 1, freq, v1, v2);
      pass(s, v1, v2, dns[il - 1], dns[il], om, cinv2, thk[il - 1]);
    }
    const D e = add(get(s.a11), get(s.a12));
    amp[io - 1] = put(div(D{2.0, 0.0}, e));
    amp[mom + io - 1] = put(div(D{2.0, 0.0}, add(add(e, get(s.a21)), get(s.a22))));
  }
}

inline void sh(float fom, float dom, int nom, int mom, const float* dns, const float* vs,
               const float* qs, const float* fs, const float* thk, int nl, float theta, Cplx* amp) {
  const Cplx vsn2{static_cast<float>(static_cast<double>(vs[nl - 1]) * vs[nl - 1]), 0.0f};
  const float tsin = static_cast<float>(std::sin(static_cast<double>(theta)));
  const Cplx cinv2 = put(div(D{static_cast<double>(tsin) * tsin, 0.0}, get(vsn2)));
  frequencies(fom, dom, nom, mom, dns, thk, nl, cinv2, amp,
              [=](int i, float freq, Cplx& v1, Cplx& v2) {
                v1 = {vs[i], 0.0f};
                v2 = {vs[i + 1], 0.0f};
                if (qs[i] != 0.0f) {
                  v1 = damp(vs[i], qs[i], fs[i], freq);
                  v2 = damp(vs[i + 1], qs[i + 1], fs[i + 1], freq);
                }
              });
}

inline void psv(float fom, float dom, int nom, int mom, const float* dns, const float* vp,
                const float* qp, const float* fp, const float* vs, const float* qs, const float* fs,
                const float* thk, int nl, float theta, Cplx* amp) {
  const double vsn = vs[nl - 1], vpn = vp[nl - 1];
  const float aa = static_cast<float>(3.0 / (1.0 - (vsn * vsn) / (vpn * vpn)));
  const Cplx vsn2{static_cast<float>(vsn * vsn * aa), 0.0f};
  const float tsin = static_cast<float>(std::sin(static_cast<double>(theta)));
  const Cplx cinv2 = put(div(D{static_cast<double>(tsin) * tsin, 0.0}, get(vsn2)));
  frequencies(fom, dom, nom, mom, dns, thk, nl, cinv2, amp,
              [=](int i, float freq, Cplx& v1, Cplx& v2) {
                Cplx s1{vs[i], 0.0f}, s2{vs[i + 1], 0.0f}, p1{vp[i], 0.0f}, p2{vp[i + 1], 0.0f};
                if (qs[i] != 0.0f) {
                  s1 = damp(vs[i], qs[i], fs[i], freq);
                  s2 = damp(vs[i + 1], qs[i + 1], fs[i + 1], freq);
                  p1 = damp(vp[i], qp[i], fp[i], freq);
                  p2 = damp(vp[i + 1], qp[i + 1], fp[i + 1], freq);
                }
                v1 = equivalent(s1, p1);
                v2 = equivalent(s2, p2);
              });
}

}  // namespace golden::plain
