#pragma once
// The frequency loop shared by the SH and P-SV responses.
#include <algorithm>

#include "fft/complex.h"
#include "response/cplx_math.h"
#include "response/layer_pass.h"

namespace siteresp {

// Fills rows 1..nom of both columns of amp (column 2 at offset mom) for the
// grid om = fom + (io-1)*dom.  speeds(i, freq, v1, v2) gives the complex
// velocities of layer i (0-based) and of the layer below it at frequency freq
// in Hz.  Column 1 is 2/E, column 2 is 2/(E+F) at the top of the half-space.
// A layer count outside 1..ml reads nothing and writes nothing; rows beyond
// the capacity mom are not written.
template <class Speeds>
void sweep(float fom, float dom, int nom, int mom, const float* dns, const float* thk, int nl,
           int ml, Cplx cinv2, Cplx* amp, Speeds speeds)
{
  if (nl < 1 || nl > ml || mom < 1) return;
  Cplx* col1 = amp;
  Cplx* col2 = amp + mom;
  const float sf = 2.0f;
  int ifom = 1;
  // The zero-frequency row gets its limits, so the Q law never sees f = 0.
  if (fom == 0.0f) {
    col1[0] = {sf, 0.0f};
    col2[0] = {1.0f, 0.0f};
    ifom = 2;
  }
  const int last = std::min(nom, mom);
  for (int io = ifom; io <= last; ++io) {
    const float om = static_cast<float>(static_cast<double>(io - 1) * dom + fom);
    const float freq = static_cast<float>(static_cast<double>(om) / 6.2831855f);
    Stack s;
    for (int il = nl - 1; il >= 1; --il) {
      Cplx v1, v2;
      speeds(il - 1, freq, v1, v2);
      layer_pass(s, v1, v2, dns[il - 1], dns[il], om, cinv2, thk[il - 1]);
    }
    const Dcx e = get(s.a11) + get(s.a12);
    col1[io - 1] = put(Dcx{sf, 0.0} / e);
    col2[io - 1] = put(Dcx{2.0, 0.0} / (e + get(s.a21) + get(s.a22)));
  }
}

}  // namespace siteresp
