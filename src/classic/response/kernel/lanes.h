#pragma once
// Entry points of the lane kernel, one namespace per lane width (see
// kernel.inc); only the choice of kernel in layer_pass.cpp calls them.
// Each fills rows from..to (1-based, within the grid and its capacity, not
// the zero-frequency row) of both columns of amp; the layer count is within
// 1..ml.
// lanes4 and lanes8 exist on x86-64 only.
#include "fft/complex.h"
#include "response/layer_pass.h"

namespace siteresp {

namespace lanes2 {
void sh_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp, int from, int to);
void psv_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp, int from, int to);
}  // namespace lanes2

namespace lanes4 {
void sh_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp, int from, int to);
void psv_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp, int from, int to);
}  // namespace lanes4

namespace lanes8 {
void sh_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp, int from, int to);
void psv_sweep(const Grid& g, const Layers& p, Cplx cinv2, Cplx* amp, int from, int to);
}  // namespace lanes8

}  // namespace siteresp
