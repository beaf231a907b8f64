// Two lanes: the kernel of every processor (SSE2 on x86-64).
#define SITERESP_LANES lanes2
#define SITERESP_LANE_WIDTH 2
#include "response/kernel/kernel.inc"
