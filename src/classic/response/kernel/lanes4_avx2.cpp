// Four lanes, compiled for AVX2 and used only where the processor has it
// (see four_lanes()).
#if defined(__x86_64__)
#define SITERESP_LANES lanes4
#define SITERESP_LANE_WIDTH 4
#define SITERESP_LANE_TARGET "avx2"
#include "response/kernel/kernel.inc"
#endif
