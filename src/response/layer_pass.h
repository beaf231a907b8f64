#pragma once
// One pass of the layer recursion shared by the SH and P-SV responses.
#include "fft/complex.h"

namespace siteresp {

// The 2 x 2 stack matrix B(nl-1)...B(il) of the layer matrices passed so far.
// With up- and down-going amplitudes E = F = 1 at the free surface, the top of
// the half-space receives E = a11 + a12 and F = a21 + a22.
struct Stack {
  Cplx a11{1.0f, 0.0f};
  Cplx a12{0.0f, 0.0f};
  Cplx a21{0.0f, 0.0f};
  Cplx a22{1.0f, 0.0f};
};

// Multiplies the stack on the right by the layer matrix of a layer of
// thickness h, density d1 and complex velocity v1 lying on a layer of density
// d2 and complex velocity v2, at angular frequency om with squared horizontal
// slowness cinv2.
void layer_pass(Stack& s, Cplx v1, Cplx v2, float d1, float d2, float om, Cplx cinv2,
                float h);

// Velocity v made complex by the quality factor q0*freq^f, never less than q0:
// v*(1 + i/(2Q)).  A zero q0 means undamped and returns v itself.
Cplx damp(float v, float q0, float f, float freq);

}  // namespace siteresp
