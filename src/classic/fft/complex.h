#pragma once
// Single-precision complex value: a pair of floats, real part first.

namespace siteresp {

struct Cplx {
  float re = 0.0f;
  float im = 0.0f;
};

}  // namespace siteresp
