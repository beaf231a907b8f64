#pragma once
// Everything a run works on: fixed-capacity arrays and the scalars of the
// run, owned by the driver for the whole run and zero at its start.  An
// aggregate, so that zero bytes can become a run state without a
// constructor touching them.
#include <cstdint>

#include "capacity.h"
#include "fft/complex.h"
#include "fft/twiddles.h"
#include "input/wave.h"

namespace siteresp {

struct RunState {
  char infile1[30];
  WaveRecord wave;                 // head1..head4, time, xr1, yr1, zr1, nt
  float xi1[mom], yi1[mom], zi1[mom];
  Cplx fx1[mom], fy1[mom], fz1[mom];
  Cplx samp[2 * mom], pamp[2 * mom];  // column 2 starts at row offset mom
  Twiddles twiddles;                  // of length nf, for all six transforms

  float dns[ml], vp[ml], qp[ml], fp[ml], vs[ml], qs[ml], fs[ml], thk[ml];
  float theta;
  std::int32_t nl, nin;

  std::int32_t nf, if1, iom, nom;
  float dt, dur, dom, eom, fom;

  // Answers and band of the shaping.
  std::int32_t nyes, nbd;
  float pi2, oml1, oml2, omh1, omh2;

  // Statistics of the output histories.
  float xmin, ymin, zmin, xmax, ymax, zmax, amin, amax, aamax;
};

// Single-precision 2*pi of the frequency grid.
inline constexpr float two_pi = 6.2831855f;

// Smallest power of two >= nt, never below 4: false when even 2**15 is
// too small.  if1 is the exponent.
bool choose_transform_length(std::int64_t nt, std::int32_t& nf, std::int32_t& if1);

// Spectral shaping and synthesis, result files and summary.
void response_pass(RunState& s);
void apply_response(RunState& s, int k);  // k: 0-based point
void ask_shaping(RunState& s);
void shape_spectra(RunState& s);
void write_amp1(RunState& s);
void synthesise(RunState& s);
void find_extremes(RunState& s);
void write_summary(const RunState& s);
void write_wave1(const RunState& s);

}  // namespace siteresp
