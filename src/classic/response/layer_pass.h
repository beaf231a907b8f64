#pragma once
// The layer recursion of both responses over a frequency grid.
//
// The recursion runs several frequencies at once, one per lane of a vector:
// two lanes on any processor, four where the processor has AVX2.  Both give
// the same bits.
#include "fft/complex.h"

namespace siteresp {

// A profile as the responses receive it: arrays of capacity ml, element 0
// the top layer, element nl-1 the half-space.
struct Layers {
  const float *dns, *vp, *qp, *fp, *vs, *qs, *fs, *thk;
  int nl;
};

// Row io (1-based) belongs to om = fom + (io-1)*dom; rows 1..nom are
// written, none past the capacity mom.
struct Grid {
  float fom, dom;
  int nom, mom;
};

// SH and P-SV responses into amp (column 2 at offset mom) for the squared
// horizontal slowness cinv2.
void sh_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
void psv_response(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);

// Whether the four-lane kernel is used: the processor has AVX2 and it is
// allowed (tests switch it off to check the two-lane kernel).
bool four_lanes();
void allow_four_lanes(bool allowed);

}  // namespace siteresp
