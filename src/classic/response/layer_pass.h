#pragma once
// The layer recursion of both responses over a frequency grid.
//
// The recursion runs several frequencies at once, one per lane of a vector:
// two lanes on any processor, four where the processor has AVX2, eight
// where it has AVX-512.  All give the same bits.
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

// Lanes of the kernel in use: 8 where the processor has AVX-512, 4 where it
// has AVX2, else 2; never more than the limit that tests set to check the
// narrower kernels on any processor (2, 4 or 8; 8 at the start).
int lane_width();
void limit_lane_width(int widest);

}  // namespace siteresp
