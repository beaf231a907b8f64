// Eight lanes, compiled for AVX-512 and used only where the processor has
// it (see lane_width()).
#if defined(__x86_64__)
#define SITERESP_LANES lanes8
#define SITERESP_LANE_WIDTH 8
#define SITERESP_LANE_TARGET "avx512f,avx512dq,avx512vl,avx512bw"
#include "response/kernel/kernel.inc"
#endif
