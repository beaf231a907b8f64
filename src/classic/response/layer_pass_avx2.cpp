// The four-lane kernel of the layer recursion, compiled for AVX2 and used
// only where the processor has it (see four_lanes()).  Everything the
// kernel defines is compiled for AVX2 and lives in namespace lanes4, so no
// AVX2 code can stand in for code of the other units.
#if defined(__x86_64__)

#include <immintrin.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "capacity.h"
#include "fft/complex.h"
#include "response/layer_pass.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#define SITERESP_LANES lanes4
#define SITERESP_LANE_WIDTH 4
#include "response/lanes.inc"
#include "response/phase.inc"
#include "response/layer_pass.inc"
#include "response/powers.inc"
#include "response/media.inc"
#include "response/sweep.inc"

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#endif
