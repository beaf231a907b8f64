#pragma once
// Transfer functions of a stack of damped layers over a half-space.
//
// Layer arrays have capacity ml; element 0 is layer 1 (the top layer) and
// element nl-1 the half-space.  amp holds two columns of mom complex rows:
// row io (1-based) of column c (1 or 2) is amp[(c-1)*mom + io-1].  Column 1 is
// the surface motion over the incident wave at the top of the half-space
// (2 at zero frequency), column 2 the surface motion over the total motion
// at the top of the half-space (1 at zero frequency).  Rows 1..nom are
// written (none past mom); row io belongs to the angular frequency
// fom + (io-1)*dom.  A layer count outside 1..ml writes nothing.
#include "fft/complex.h"

namespace siteresp {

// SH waves at incidence angle theta (radians) in the half-space.
void sbshml(float fom, float dom, int nom, int mom,
            const float* dns, const float* vs, const float* qs, const float* fs,
            const float* thk, int nl, int ml, float theta, Cplx* amp);

// Vertical P-SV response with the equivalent velocity vs*sqrt(3/(1-vs^2/vp^2)).
void sbudml(float fom, float dom, int nom, int mom,
            const float* dns, const float* vp, const float* qp, const float* fp,
            const float* vs, const float* qs, const float* fs,
            const float* thk, int nl, int ml, float theta, Cplx* amp);

}  // namespace siteresp
