#pragma once
// The soil profile: asks for the file on the console, reads and echoes it.
#include <cstdint>

namespace siteresp {

// Arrays have capacity ml; element 0 is layer 1.  On return theta is in
// radians (degrees * 0.017453292 in single precision).  A layer count outside
// 1..ml, a wave type other than 1 or 2, or a layer that would make the
// responses divide by zero ends the run with a diagnostic.
void soilin(float* dns, float* vp, float* qp, float* fp, float* vs, float* qs,
            float* fs, float* thk, float& theta, std::int32_t& nl, std::int32_t ml,
            std::int32_t& nin);

}  // namespace siteresp
