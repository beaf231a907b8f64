#pragma once
// The run's acceleration histories, computed as the dialogue computes its
// synthesized motion (single precision, the same transform and the same
// order of operations), but stopped before any integration or
// differentiation: the record's spectra, scaled by dt, times the profile's
// response (column 1 or 2 by wave type), zero at zero frequency, band-passed
// by the trapezoid, completed conjugate-symmetrically, transformed back and
// divided by the duration.  The input series takes the same path with the
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
