#pragma once
// Entry points of the lane kernel, one namespace per lane width (see
// kernel.inc); only the choice of kernel in layer_pass.cpp calls them.
// lanes4 and lanes8 exist on x86-64 only.
#include "fft/complex.h"
#include "response/layer_pass.h"

namespace siteresp {

namespace lanes2 {
void sh_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
void psv_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
}  // namespace lanes2

namespace lanes4 {
void sh_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
void psv_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
}  // namespace lanes4

namespace lanes8 {
void sh_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
void psv_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp);
}  // namespace lanes8

}  // namespace siteresp
