#pragma once
// The one-frequency formulas of the layer responses: complex arithmetic and
// elementary functions as the recursion applies them to a single frequency.
// The lane kernel (kernel/kernel.inc) must store exactly what these give,
// and the result files use them too.
//
// Every assignment of the responses is evaluated in double from its
// single-precision operands and rounded once when stored: Dcx carries the
// double intermediate, put() does the rounding.  Elementary functions take
// single-precision arguments, work in double and round their result.
#include "fft/complex.h"

namespace siteresp {

struct Dcx {
  double re = 0.0;
  double im = 0.0;
};

inline Dcx get(Cplx z) { return {z.re, z.im}; }
inline Cplx put(Dcx z) { return {static_cast<float>(z.re), static_cast<float>(z.im)}; }

inline Dcx operator+(Dcx a, Dcx b) { return {a.re + b.re, a.im + b.im}; }
inline Dcx operator-(Dcx a, Dcx b) { return {a.re - b.re, a.im - b.im}; }
inline Dcx operator*(Dcx a, Dcx b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }
inline Dcx operator*(double s, Dcx b) { return {s * b.re, s * b.im}; }

// Ordinary complex division ((ac+bd) + i(bc-ad)) / (c^2+d^2), no scaling.
inline Dcx operator/(Dcx a, Dcx b)
{
  const double den = b.re * b.re + b.im * b.im;
  return {(a.re * b.re + a.im * b.im) / den, (a.im * b.re - a.re * b.im) / den};
}

// Principal square root.  For z = x + iy with m = |z|: 0 when m is 0; for
// x > 0, r + i*y/(2r) with r = sqrt((m+x)/2); otherwise y/(2t) + i*t with
// t = sqrt((m-x)/2), negated when y < 0.  The real part is never negative,
// and a negative real z gives +i*sqrt|x| whatever the sign of its zero
// imaginary part.
Cplx csqrt(Cplx z);

// exp(x + iy) = e^x cos y + i e^x sin y.
Cplx cexp(Cplx z);

// Modulus sqrt(x^2 + y^2).
float cabs(Cplx z);

}  // namespace siteresp
