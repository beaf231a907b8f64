#pragma once
// The run's acceleration histories, computed along the dialogue's path to
// its synthesized motion but stopped before any integration or
// differentiation: the record's spectra, scaled by dt, times the profile's
// response (column 1 or 2 by wave type, as the dialogue computes it), zero at
// zero frequency, band-passed by the same single-precision trapezoid,
// completed conjugate-symmetrically, transformed back and divided by the
// duration.  The transforms and products are in double precision, so the
// histories carry none of the dialogue's single-precision rounding (a few
// units of 1e-7 of the peak).  The input series takes the same path with the
// response set to 1.
#include <array>
#include <string>
#include <vector>

#include "cli/run_spectra.h"

namespace sitekit::cli {

struct RunMotion {
  std::string error;                         // empty on success
  std::array<std::vector<double>, 3> input;  // H1, H2, V1, nf samples each
  std::array<std::vector<double>, 3> surface;
  double dt = 0;
  // Moduli of the responses on the grid of Amp-Factors.csv (k * df from 0
  // up to the Nyquist frequency): SH column 1 and 2, P-SV column 1 and 2.
  std::vector<double> freq;
  std::array<std::vector<double>, 4> amp;
};

RunMotion synthesize_motion(const RunSpectraInput& in);

}  // namespace sitekit::cli
